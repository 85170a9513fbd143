#pragma once
// Of the files service, for the stored formats (the packed form, grid
// documents): the CRC-32 (IEEE 802.3) they carry to find damage. Chained:
// the checksum of a whole is that of its last piece given the checksum of
// what came before (0 to start).
#include <cstddef>
#include <cstdint>

uint32_t crc32(const char* data, size_t size, uint32_t previous = 0);
