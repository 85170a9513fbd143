// The conversion routine: one pass per table over the text, in place. A pass
// only ever indexes a table with a lead and a trail byte from that table's
// ranges, and never looks past the terminating 0.
#include "encoding/lumtra_abi.h"
#include "encoding/lumtra_tables.h"

#include <array>

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

// A byte of 0x80 or more always takes the next byte with it, whether or not
// the pair is converted; a lead byte right before the terminator stays.
void runPass(unsigned char* p, const CodeTable& table)
{
    for (;;) {
        const unsigned lead = p[0];
        if (lead < 0x80) {
            if (lead == 0)
                return;
            ++p;
            continue;
        }
        const unsigned trail = p[1];
        if (trail == 0)
            return;
        const int column = table.columns[trail];
        if (lead >= table.firstLead && lead <= 0xFE && column >= 0) {
            const unsigned char* entry =
                table.entries + ((lead - table.firstLead) * table.columnCount + column) * 2;
            p[0] = entry[0];
            p[1] = entry[1];
        }
        p += 2;
    }
}

const CodeTable* gbkPassTable(int32_t mode)
{
    switch (mode) {
    case ModeGbkToBig5: return &gbkToBig5;
    case ModeGbkTradToSimp: return &gbkTradToSimp;
    case ModeGbkSimpToTrad: return &gbkSimpToTrad;
    case ModeBig5ToGbkSimp: return &gbkTradToSimp;
    default: return nullptr;
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
    if (mode == ModeBig5ToGbk || mode == ModeBig5ToGbkSimp)
        runPass(bytes, big5ToGbk);
    if (const CodeTable* table = gbkPassTable(mode))
        runPass(bytes, *table);
    return 1;
}
