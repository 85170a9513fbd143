// The conversion routine: one pass over the text, in place, through a full
// pair table made once per mode from the mapping tables. The full table
// holds, for every lead byte 0x80-0xFF and every trail byte, what the
// mode's passes make of that pair (the pair itself where they leave it),
// so mode 5's two passes become one: every table entry is a double-byte
// character (lead 0x81 or above, trail not 0), so the second pass would
// meet the pairs exactly where the first met them. Runs of bytes below 0x80
// are skipped eight at a time. Nothing past the terminating 0 is read.
#include "encoding/lumtra_abi.h"
#include "encoding/lumtra_tables.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

// Column of each trail byte, or -1 for a trail outside both ranges. The
// second range starts at `secondLow` and continues at column 63.
using ColumnMap = std::array<int16_t, 256>;

constexpr ColumnMap columnsFor(unsigned secondLow)
{
    ColumnMap columns{};
    columns.fill(-1);
    for (unsigned trail = 0x40; trail <= 0x7E; ++trail)
        columns[trail] = static_cast<int16_t>(trail - 0x40);
    for (unsigned trail = secondLow; trail <= 0xFE; ++trail)
        columns[trail] = static_cast<int16_t>(trail - secondLow + 63);
    return columns;
}

struct CodeTable {
    const unsigned char* entries;
    unsigned firstLead;            // leads run from here to 0xFE
    unsigned columnCount;
    const ColumnMap& columns;
};

constexpr ColumnMap big5Columns = columnsFor(0xA1);
constexpr ColumnMap gbkColumns = columnsFor(0x80);
static_assert(big5Columns[0xFE] == Big5TableColumns - 1 && gbkColumns[0xFE] == GbkTableColumns - 1);

const CodeTable big5ToGbk{Big5ToGbkTable, 0xA0, Big5TableColumns, big5Columns};
const CodeTable gbkToBig5{GbkToBig5Table, 0x81, GbkTableColumns, gbkColumns};
const CodeTable gbkTradToSimp{GbkTradToSimpTable, 0x81, GbkTableColumns, gbkColumns};
const CodeTable gbkSimpToTrad{GbkSimpToTradTable, 0x81, GbkTableColumns, gbkColumns};

// What one pass of `table` makes of the pair lead, trail: the table entry
// when both lie in the table's ranges, else the pair as it was.
void convertPair(const CodeTable& table, unsigned char pair[2])
{
    const unsigned lead = pair[0];
    const int column = table.columns[pair[1]];
    if (lead < table.firstLead || lead > 0xFE || column < 0)
        return;
    const unsigned char* entry = table.entries + ((lead - table.firstLead) * table.columnCount + column) * 2;
    pair[0] = entry[0];
    pair[1] = entry[1];
}

// Two output bytes for every pair with a lead of 0x80 or more, at
// ((lead - 0x80) << 8 | trail) * 2.
using PairTable = std::array<unsigned char, 128 * 256 * 2>;

PairTable pairTableOf(const CodeTable* first, const CodeTable* second)
{
    PairTable full{};
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead)
        for (unsigned trail = 0; trail <= 0xFF; ++trail) {
            unsigned char pair[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
            for (const CodeTable* table : {first, second})
                if (table)
                    convertPair(*table, pair);
            std::memcpy(&full[((lead - 0x80) << 8 | trail) * 2], pair, 2);
        }
    return full;
}

// Made on first use of each mode; read-only afterwards.
const PairTable& pairTableFor(int32_t mode)
{
    switch (mode) {
    case ModeGbkToBig5: { static const PairTable t = pairTableOf(&gbkToBig5, nullptr); return t; }
    case ModeBig5ToGbk: { static const PairTable t = pairTableOf(&big5ToGbk, nullptr); return t; }
    case ModeGbkTradToSimp: { static const PairTable t = pairTableOf(&gbkTradToSimp, nullptr); return t; }
    case ModeGbkSimpToTrad: { static const PairTable t = pairTableOf(&gbkSimpToTrad, nullptr); return t; }
    default: { static const PairTable t = pairTableOf(&big5ToGbk, &gbkTradToSimp); return t; }
    }
}

constexpr uint64_t kHighBits = 0x8080808080808080ull;

// The first byte of 0x80 or more in [p, end), or end.
unsigned char* nextHighByte(unsigned char* p, unsigned char* end)
{
    for (uint64_t word; end - p >= 8; p += 8) {
        std::memcpy(&word, p, 8);
        if (const uint64_t high = word & kHighBits; high != 0) {
            if constexpr (std::endian::native == std::endian::little)
                return p + std::countr_zero(high) / 8;
            break;
        }
    }
    while (p < end && *p < 0x80)
        ++p;
    return p;
}

// A byte of 0x80 or more always takes the next byte with it, whether or not
// the pair is converted; a lead byte right before the terminator stays.
void runPass(unsigned char* p, unsigned char* end, const PairTable& table)
{
    for (;;) {
        p = nextHighByte(p, end);
        while (end - p >= 2 && *p >= 0x80) {
            std::memcpy(p, &table[((p[0] - 0x80u) << 8 | p[1]) * 2], 2);
            p += 2;
        }
        if (end - p < 2)
            return;
    }
}

} // namespace

int32_t Lumtra(char* text, int32_t mode)
{
    if (mode < ModeGbkToBig5 || mode > ModeBig5ToGbkSimp)
        return 0;
    if (text == nullptr)
        return 1;
    auto* bytes = reinterpret_cast<unsigned char*>(text);
    runPass(bytes, bytes + std::strlen(text), pairTableFor(mode));
    return 1;
}
