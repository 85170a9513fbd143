#pragma once
// The CRC-32 of IEEE 802.3 one bit at a time, as its definition gives it:
// what the stored formats' checksums are checked against.
#include "common/text/gbk.h"

#include <cstdint>

inline uint32_t crc32Bitwise(const Bytes& data)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}
