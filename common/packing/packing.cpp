#include "common/packing/packing.h"
#include "common/files/crc32.h"
#include "common/packing/packed_form.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kMagic[4] = {'Q', 'P', 'K', 0x01};
constexpr size_t kLiteralMax = 128;
constexpr size_t kRepeatMin = 3, kRepeatMax = 130;
// The most one body byte can stand for: a two-byte repeat run of 130.
constexpr uint64_t kMostPerBodyByte = kRepeatMax / 2;
static_assert(kPackedHeaderSize == kPackedSizeAtLeast);

void appendNumber(Bytes& out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint64_t numberAt(const char* in, int bytes)
{
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint64_t>(static_cast<uint8_t>(in[i])) << (8 * i);
    return value;
}

size_t runLength(const char* in, size_t size, size_t pos)
{
    size_t n = 1;
    while (pos + n < size && n < kRepeatMax && in[pos + n] == in[pos])
        ++n;
    return n;
}

uint64_t word(const char* at)
{
    uint64_t w;
    std::memcpy(&w, at, 8);
    return w;
}

// The first position at or after `pos` where a byte stands three times in
// a row; `size` when there is none. Eight positions a step: a byte of
// (x ^ y) | (y ^ z) is zero where three bytes are equal, and the lowest
// byte the zero-byte test marks is the first zero byte (little-endian).
size_t nextTriple(const char* in, size_t size, size_t pos)
{
    static_assert(kRepeatMin == 3);
    constexpr uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
    for (; pos + 10 <= size; pos += 8) {
        const uint64_t x = word(in + pos), y = word(in + pos + 1), z = word(in + pos + 2);
        const uint64_t v = (x ^ y) | (y ^ z);
        const uint64_t zero = (v - ones) & ~v & highs;
        if (zero != 0)
            return pos + static_cast<size_t>(__builtin_ctzll(zero)) / 8;
    }
    for (; pos + 2 < size; ++pos)
        if (in[pos] == in[pos + 1] && in[pos] == in[pos + 2])
            return pos;
    return size;
}

void appendLiterals(Bytes& out, const char* in, size_t size)
{
    for (size_t at = 0; at < size; at += kLiteralMax) {
        const size_t n = std::min(kLiteralMax, size - at);
        out += static_cast<char>(n - 1);
        out.append(in + at, n);
    }
}

} // namespace

Bytes packedHeader(uint64_t length, uint32_t checksum)
{
    Bytes out(kMagic, sizeof kMagic);
    appendNumber(out, length, 8);
    appendNumber(out, checksum, 4);
    return out;
}

bool readPackedHeader(const char* header, uint64_t& length, uint32_t& checksum)
{
    if (!std::equal(kMagic, kMagic + sizeof kMagic, header))
        return false;
    length = numberAt(header + 4, 8);
    checksum = static_cast<uint32_t>(numberAt(header + 12, 4));
    return true;
}

bool bodyCanHold(uint64_t length, uint64_t bodySize) { return length / kMostPerBodyByte <= bodySize; }

// Every run of three or more bytes (up to kRepeatMax) is a repeat, every
// stretch between them literals.
void appendPackedBody(Bytes& out, const char* in, size_t size)
{
    size_t pos = 0;
    while (pos < size) {
        const size_t repeat = nextTriple(in, size, pos);
        appendLiterals(out, in + pos, repeat - pos);
        if (repeat == size)
            break;
        const size_t run = runLength(in, size, repeat);
        out += static_cast<char>(run + 125);
        out += in[repeat];
        pos = repeat + run;
    }
}

bool PackedBodyDecoder::feed(const char* in, size_t size, Bytes& out)
{
    size_t pos = 0;
    while (pos < size) {
        if (literals_ > 0) {
            const size_t n = std::min(literals_, size - pos);
            out.append(in + pos, n);
            pos += n;
            literals_ -= n;
        } else if (repeat_ > 0) {
            out.append(repeat_, in[pos++]);
            repeat_ = 0;
        } else {
            const unsigned c = static_cast<uint8_t>(in[pos++]);
            const size_t n = c < 128 ? c + 1 : c - 125;
            if (n > left_)
                return false;
            left_ -= n;
            (c < 128 ? literals_ : repeat_) = n;
        }
    }
    return true;
}

Bytes packBytes(const Bytes& original)
{
    Bytes out = packedHeader(original.size(), crc32(original.data(), original.size()));
    appendPackedBody(out, original.data(), original.size());
    return out;
}

bool unpackBytes(const Bytes& packed, Bytes& original)
{
    uint64_t length = 0;
    uint32_t checksum = 0;
    if (packed.size() < kPackedSizeAtLeast || !readPackedHeader(packed.data(), length, checksum)
        || !bodyCanHold(length, packed.size() - kPackedSizeAtLeast))
        return false;
    // Grown as decoded, never reserved from the stated length.
    Bytes out;
    PackedBodyDecoder decoder(length);
    if (!decoder.feed(packed.data() + kPackedSizeAtLeast, packed.size() - kPackedSizeAtLeast, out)
        || !decoder.complete() || crc32(out.data(), out.size()) != checksum)
        return false;
    original = std::move(out);
    return true;
}
