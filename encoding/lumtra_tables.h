#pragma once
// The four mapping tables (generated data in lumtra_tables.cpp). Each is a
// row-major array of two-byte entries, one row per lead byte and one column
// per trail byte; an entry holds the output character's bytes, lead first.
//   BIG5 tables: leads 0xA0-0xFE; trails 0x40-0x7E (columns 0-62) and
//                0xA1-0xFE (columns 63-156).
//   GBK tables:  leads 0x81-0xFE; trails 0x40-0x7E (columns 0-62) and
//                0x80-0xFE (columns 63-189).
#include <cstddef>

constexpr std::size_t Big5TableColumns = 157;
constexpr std::size_t GbkTableColumns = 190;
constexpr std::size_t Big5TableBytes = 95 * Big5TableColumns * 2;   // 29,830
constexpr std::size_t GbkTableBytes = 126 * GbkTableColumns * 2;    // 47,880

extern const unsigned char Big5ToGbkTable[Big5TableBytes];
extern const unsigned char GbkToBig5Table[GbkTableBytes];
extern const unsigned char GbkTradToSimpTable[GbkTableBytes];
extern const unsigned char GbkSimpToTradTable[GbkTableBytes];
