#include "common/internal/crc32.h"

#include <array>
#include <cstring>

namespace {

// table[k][b]: the remainder of byte b followed by k zero bytes, so eight
// bytes are folded in per step.
using Tables = std::array<std::array<uint32_t, 256>, 8>;

Tables makeTables()
{
    Tables t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][i] = c;
    }
    for (uint32_t i = 0; i < 256; ++i)
        for (size_t k = 1; k < t.size(); ++k)
            t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
    return t;
}

} // namespace

uint32_t crc32(const char* data, size_t size, uint32_t previous)
{
    static const Tables t = makeTables();
    const auto* p = reinterpret_cast<const uint8_t*>(data);
    uint32_t c = previous ^ 0xFFFFFFFFu;
    for (; size >= 8; size -= 8, p += 8) {
        uint32_t low, high;
        std::memcpy(&low, p, 4);
        std::memcpy(&high, p + 4, 4);
        low ^= c;   // the words are read little-endian, as on every target here
        c = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24]
          ^ t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^ t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
    }
    for (; size > 0; --size, ++p)
        c = t[0][(c ^ *p) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}
