#pragma once
// The packing service's own: the parts of the packed form
// (common/packing/packing.h), for packing and unpacking a piece at a time.
#include "common/text/gbk.h"

#include <cstddef>
#include <cstdint>

constexpr size_t kPackedHeaderSize = 16;

Bytes packedHeader(uint64_t length, uint32_t checksum);
// False for another magic.
bool readPackedHeader(const char* header, uint64_t& length, uint32_t& checksum);
// False when a body of `bodySize` bytes cannot stand for `length` bytes:
// checked before anything is allocated or written.
bool bodyCanHold(uint64_t length, uint64_t bodySize);
// The runs of one piece of the original; pieces are packed independently.
void appendPackedBody(Bytes& out, const char* data, size_t size);

// Decodes a body fed in pieces of any size, never producing more than the
// stated length.
class PackedBodyDecoder {
public:
    explicit PackedBodyDecoder(uint64_t length) : left_(length) {}
    // Appends what `size` body bytes stand for; false on a run that would
    // overrun the length.
    bool feed(const char* data, size_t size, Bytes& out);
    // The whole length produced and no run left open.
    bool complete() const { return left_ == 0 && literals_ == 0 && repeat_ == 0; }

private:
    uint64_t left_;
    size_t literals_ = 0;   // literal bytes still to come
    size_t repeat_ = 0;     // a repeat waiting for its byte
};
