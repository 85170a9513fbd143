#include "common/files/crc32.h"

#include <array>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

// The register (not inverted) after `size` bytes, eight at a time.
uint32_t byTable(uint32_t c, const uint8_t* p, size_t size)
{
    static const Tables t = makeTables();
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
    return c;
}

#if defined(__x86_64__)

#define CARRYLESS __attribute__((target("pclmul,sse4.1")))

CARRYLESS __m128i load(const uint8_t* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }

// x times the two halves of k, the products added to `next`.
CARRYLESS __m128i fold(__m128i x, __m128i k, __m128i next)
{
    return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11)), next);
}

// Carry-less multiplication folds 64 bytes at a time into four 128-bit
// remainders, then into one, which a Barrett reduction brings to 32 bits.
// The constants are x^n mod P for the bit-reflected polynomial P:
// x^(4*128+32), x^(4*128-32) (folding by four), x^(128+32), x^(128-32)
// (folding by one), x^64, and P with its Barrett quotient. `size` is at
// least 64 and a multiple of 16.
CARRYLESS uint32_t byCarrylessMultiply(uint32_t c, const uint8_t* p, size_t size)
{
    const __m128i foldBy4 = _mm_set_epi64x(0x1c6e41596, 0x154442bd4);
    const __m128i foldBy1 = _mm_set_epi64x(0x0ccaa009e, 0x1751997d0);
    const __m128i fold64 = _mm_set_epi64x(0, 0x163cd6124);
    const __m128i barrett = _mm_set_epi64x(0x1f7011641, 0x1db710641);
    const __m128i low32 = _mm_set_epi64x(0, 0xffffffff);

    __m128i x1 = _mm_xor_si128(load(p), _mm_cvtsi32_si128(static_cast<int>(c)));
    __m128i x2 = load(p + 16), x3 = load(p + 32), x4 = load(p + 48);
    for (p += 64, size -= 64; size >= 64; p += 64, size -= 64) {
        x1 = fold(x1, foldBy4, load(p));
        x2 = fold(x2, foldBy4, load(p + 16));
        x3 = fold(x3, foldBy4, load(p + 32));
        x4 = fold(x4, foldBy4, load(p + 48));
    }
    x1 = fold(fold(fold(x1, foldBy1, x2), foldBy1, x3), foldBy1, x4);
    for (; size >= 16; p += 16, size -= 16)
        x1 = fold(x1, foldBy1, load(p));

    // 128 bits to 64, appending the 32 zero bits the remainder stands for.
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(foldBy1, x1, 0x01));
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 4), _mm_clmulepi64_si128(_mm_and_si128(x1, low32), fold64, 0x00));
    // Barrett reduction, 64 bits to 32.
    __m128i q = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), barrett, 0x10);
    q = _mm_clmulepi64_si128(_mm_and_si128(q, low32), barrett, 0x00);
    return static_cast<uint32_t>(_mm_extract_epi32(_mm_xor_si128(x1, q), 1));
}

bool hasCarrylessMultiply()
{
    static const bool has = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return has;
}

#endif

} // namespace

uint32_t crc32(const char* data, size_t size, uint32_t previous)
{
    const auto* p = reinterpret_cast<const uint8_t*>(data);
    uint32_t c = previous ^ 0xFFFFFFFFu;
#if defined(__x86_64__)
    if (size >= 64 && hasCarrylessMultiply()) {
        const size_t folded = size & ~size_t(15);
        c = byCarrylessMultiply(c, p, folded);
        p += folded;
        size -= folded;
    }
#endif
    return byTable(c, p, size) ^ 0xFFFFFFFFu;
}
