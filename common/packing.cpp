#include "common/packing.h"
#include "common/internal/crc32.h"

#include <array>
#include <cstdint>

namespace {

constexpr char kMagic[4] = {'Q', 'P', 'K', 0x01};
constexpr size_t kLiteralMax = 128;
constexpr size_t kRepeatMin = 3, kRepeatMax = 130;
// The most one body byte can stand for: a two-byte repeat run of 130.
constexpr uint64_t kMostPerBodyByte = kRepeatMax / 2;

void appendNumber(Bytes& out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint64_t numberAt(const Bytes& in, size_t pos, int bytes)
{
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint64_t>(static_cast<uint8_t>(in[pos + i])) << (8 * i);
    return value;
}

size_t runLength(const Bytes& in, size_t pos)
{
    size_t n = 1;
    while (pos + n < in.size() && n < kRepeatMax && in[pos + n] == in[pos])
        ++n;
    return n;
}

void appendBody(Bytes& out, const Bytes& in)
{
    size_t literalStart = 0, pos = 0;
    auto flushLiterals = [&](size_t end) {
        while (literalStart < end) {
            size_t n = std::min(kLiteralMax, end - literalStart);
            out += static_cast<char>(n - 1);
            out.append(in, literalStart, n);
            literalStart += n;
        }
    };
    while (pos < in.size()) {
        size_t run = runLength(in, pos);
        if (run < kRepeatMin) {
            pos += run;
            continue;
        }
        flushLiterals(pos);
        out += static_cast<char>(run + 125);
        out += in[pos];
        pos += run;
        literalStart = pos;
    }
    flushLiterals(in.size());
}

// Decodes the body into `out` without ever growing it past `length`.
bool decodeBody(const Bytes& in, size_t pos, uint64_t length, Bytes& out)
{
    while (pos < in.size()) {
        const unsigned c = static_cast<uint8_t>(in[pos++]);
        if (c < 128) {
            const size_t n = c + 1;
            if (n > in.size() - pos || n > length - out.size())
                return false;
            out.append(in, pos, n);
            pos += n;
        } else {
            const size_t n = c - 125;
            if (pos >= in.size() || n > length - out.size())
                return false;
            out.append(n, in[pos++]);
        }
    }
    return out.size() == length;
}

} // namespace

Bytes packBytes(const Bytes& original)
{
    Bytes out(kMagic, sizeof kMagic);
    appendNumber(out, original.size(), 8);
    appendNumber(out, crc32(original.data(), original.size()), 4);
    appendBody(out, original);
    return out;
}

bool unpackBytes(const Bytes& packed, Bytes& original)
{
    if (packed.size() < kPackedSizeAtLeast || packed.compare(0, sizeof kMagic, kMagic, sizeof kMagic) != 0)
        return false;
    const uint64_t length = numberAt(packed, 4, 8);
    const uint32_t checksum = static_cast<uint32_t>(numberAt(packed, 12, 4));
    if (length / kMostPerBodyByte > packed.size() - kPackedSizeAtLeast)
        return false;
    // Grown as decoded, never reserved from the stated length.
    Bytes out;
    if (!decodeBody(packed, kPackedSizeAtLeast, length, out) || crc32(out.data(), out.size()) != checksum)
        return false;
    original = std::move(out);
    return true;
}
