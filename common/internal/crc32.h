#pragma once
// Internal to common/: the CRC-32 (IEEE 802.3) that the stored formats
// carry to find damage.
#include <cstddef>
#include <cstdint>

uint32_t crc32(const char* data, size_t size);
