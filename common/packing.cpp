#include "common/packing.h"
#include "common/internal/crc32.h"
#include "common/internal/packed_form.h"

#include <algorithm>

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

void appendPackedBody(Bytes& out, const char* in, size_t size)
{
    size_t literalStart = 0, pos = 0;
    auto flushLiterals = [&](size_t end) {
        while (literalStart < end) {
            size_t n = std::min(kLiteralMax, end - literalStart);
            out += static_cast<char>(n - 1);
            out.append(in + literalStart, n);
            literalStart += n;
        }
    };
    while (pos < size) {
        size_t run = runLength(in, size, pos);
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
    flushLiterals(size);
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
