#pragma once
// Packing of byte strings for the backup file: a run-length compression in
// a checked frame, with no key. unpackBytes gives back exactly what packBytes
// was given, and refuses anything else.
//
// Packed form (integers little-endian):
//   magic     4 bytes  "QPK" 0x01 (the 0x01 is the version)
//   length    u64      byte count of the original
//   checksum  u32      CRC-32 (IEEE 802.3) of the original
//   body      runs up to the end of the data, each starting with a control
//             byte c:
//               c < 128   c + 1 literal bytes follow
//               c >= 128  one byte follows that stands c - 125 times (3..130)
// A run never reaches past the end of the body or past the stated length.
//
// Failure: unpackBytes returns false and leaves `original` unchanged for
// data that is too short, has another magic, states a length the body could
// not produce (checked before anything is allocated), has a run that leaves
// the body or overruns the length, does not end exactly with the body, or
// fails the checksum.
#include "common/gbk.h"

#include <cstddef>

// The smallest packed form (that of the empty string): every packed value is
// at least this long, which bounds how many values a stored list can hold.
constexpr size_t kPackedSizeAtLeast = 16;

Bytes packBytes(const Bytes& original);
bool unpackBytes(const Bytes& packed, Bytes& original);
