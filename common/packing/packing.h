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
#include "common/text/gbk.h"

#include <cstddef>
#include <functional>

// The smallest packed form (that of the empty string): every packed value is
// at least this long, which bounds how many values a stored list can hold.
constexpr size_t kPackedSizeAtLeast = 16;

Bytes packBytes(const Bytes& original);
bool unpackBytes(const Bytes& packed, Bytes& original);

// The same packed form between files and the list entries of an open file
// (files.h), a piece at a time, in memory that does not grow with the file.
// writePackedFile packs the whole content of the file at `source` as the
// next list entry written to `file`; false when `source` cannot be opened,
// when any read of it fails (nothing unread is ever stored as if read) or
// when the write fails.
bool writePackedFile(int file, const Text& source);

enum class PackedEntry { Unpacked, Damaged, Unwritable };
// Unpacks the next list entry read from `file` into a new file at `target`
// (replacing one there), refusing what unpackBytes refuses: Damaged for the
// entry, Unwritable for the target; either way no file is left at `target`.
// `unpacked(bytes)` follows each piece written. What is written starts on
// its way to the disk at once, so a sync of it afterwards waits little.
PackedEntry readPackedFile(int file, const Text& target,
                           const std::function<void(unsigned long long bytes)>& unpacked = {});
// Steps over the next list entry read from `file`, giving the length its
// packed form states, once the entry's length can hold that form.
bool skipPackedFile(int file, unsigned long long& length);
