// The byte form of grid documents, in tableToBytes/tableFromBytes and in
// ".grd" files: every property comes back, face names and BIG5 bytes
// included; truncated and crafted data are refused and leave the document
// as it was. The crafted data are built from the format's description, so
// the reader is held to what its comment promises.
#include "tests/common/crc_reference.h"
#include "tests/common/grid/grid_test_window.h"
#include "tests/support/scripted_interaction.h"

#include <QTemporaryDir>

#include <cstdint>
#include <fstream>
#include <vector>

namespace {

const Text kBig5 = "\xA4\xA4\xA4\xE5\xB7\x7C\x80\xFF";   // BIG5 text, then bytes no GBK text has
const Bytes kPicture("\x89PNG\r\n\x1A\n\0\0\x01", 11);

PageSetup landscapeA3()
{
    PageSetup setup;
    setup.paperWidth = 2970;
    setup.paperHeight = 4200;
    setup.landscape = true;
    setup.leftMargin = 101;
    setup.topMargin = 102;
    setup.rightMargin = 103;
    setup.bottomMargin = 104;
    setup.scale = 80;
    setup.rowsPerPage = 17;
    return setup;
}

// Every property of a document away from its initial value.
void fillEverything(DataSource& ds)
{
    setTableSize(ds, 4, 3);
    setHeaderRowCount(ds, 2);
    setHeaderColumnCount(ds, 1);
    setCellText(ds, 1, 1, "会议名称");
    setCellText(ds, 2, 2, kBig5);
    setCellText(ds, 3, 3, " ");
    setBlockFontName(ds, 3, 2, 1, 1, "1234");
    setBlockFontSize(ds, 2, 1, 1, 2, 42);
    setBlockFontStyle(ds, 2, 1, 1, 1, GridBold | GridItalic | GridStrikeOut | GridUnderline);
    setBlockTextColour(ds, 2, 2, 2, 1, 0x123456);
    setBlockBackground(ds, 4, 1, 1, 3, 0xECECEC);
    setBlockAlignment(ds, 1, 1, 1, 3, 14);
    setBlockCellType(ds, 4, 3, 1, 1, 3);
    setBlockInputType(ds, 4, 2, 1, 1, 8);
    setBlockReadOnly(ds, 3, 2, 1, 1, true);
    setBlockPasswordInput(ds, 2, 3, 1, 1, true);
    setBlockMargin(ds, 1, 2, 3, 1, 1000);
    addBlockLines(ds, 1, 1, 4, 3, GridAllLines);
    addBlockLines(ds, 4, 1, 1, 1, GridDiagonals);
    setCellPictureData(ds, 4, 3, kPicture);
    setRowHeight(ds, 1, 1, 2600);
    setColumnWidth(ds, 3, 1, 555);
    mergeBlock(ds, 1, 1, 1, 3);
    mergeBlock(ds, 3, 1, 2, 1);
    setDefaultCellFormat(ds, {.textColour = 0xFF, .background = 0xEEEEEE, .rowHeight = 77, .fontName = "黑体",
                              .fontSize = 380, .margin = 12, .fontStyle = GridItalic, .alignment = 5,
                              .inputType = 3, .allLines = true});
    ScriptedInteraction ui;
    ui.answerPageSetup(true, landscapeA3());
    ASSERT_TRUE(printSetupDialog(ds));
}

class GridFormatTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.path().toStdString();
        std::replace(root.begin(), root.end(), '/', '\\');
    }
    Text path(const Text& name) const { return root + "\\" + name; }

    GridWindow w;
    QTemporaryDir dir{QStringLiteral("/tmp/qelvana-grid-XXXXXX")};
    Text root;
};

TEST_F(GridFormatTest, BytesAndFilesKeepEveryProperty)
{
    fillEverything(w.数据源1);
    ASSERT_TRUE(tableFromBytes(w.数据源2, tableToBytes(w.数据源1)));
    EXPECT_TRUE(w.数据源2.document() == w.数据源1.document());
    EXPECT_TEXT_EQ(kBig5, cellText(w.数据源2, 2, 2));
    EXPECT_TEXT_EQ("1234", cellFontName(w.数据源2, 3, 2));
    EXPECT_EQ(landscapeA3(), w.数据源2.document().pageSetup());

    setTableSize(w.数据源2, 1, 1);
    ASSERT_TRUE(saveGridFile(w.数据源1, path("会议报表.grd")));
    ASSERT_TRUE(loadGridFile(w.数据源2, path("会议报表.grd")));
    EXPECT_TRUE(w.数据源2.document() == w.数据源1.document());
    // The default format travels too: rows appended after loading take it.
    appendRows(w.数据源2);
    EXPECT_TEXT_EQ("黑体", cellFontName(w.数据源2, 5, 1));
    EXPECT_EQ(77, w.数据源2.document().rowHeight(5));
}

TEST_F(GridFormatTest, EmptyTablesRoundTrip)
{
    for (auto [rows, columns] : {std::pair{0, 1}, std::pair{0, 0}, std::pair{3, 0}}) {
        setTableSize(w.数据源1, rows, columns);
        ASSERT_TRUE(tableFromBytes(w.数据源2, tableToBytes(w.数据源1))) << rows << " x " << columns;
        EXPECT_TRUE(w.数据源2.document() == w.数据源1.document());
    }
}

TEST_F(GridFormatTest, EveryTruncationIsRefusedAndTheDocumentStays)
{
    fillEverything(w.数据源1);
    const Bytes bytes = tableToBytes(w.数据源1);
    setTableSize(w.数据源2, 2, 2);
    setCellText(w.数据源2, 1, 1, "旧");
    const GridDocument before = w.数据源2.document();
    for (size_t length = 0; length < bytes.size(); ++length)
        ASSERT_FALSE(tableFromBytes(w.数据源2, bytes.substr(0, length))) << "length " << length;
    EXPECT_TRUE(w.数据源2.document() == before);
    EXPECT_FALSE(loadGridFile(w.数据源2, path("没有.grd")));
    EXPECT_TRUE(w.数据源2.document() == before);
}

TEST_F(GridFormatTest, AFailedSaveReportsFailure)
{
    setTableSize(w.数据源1, 1, 1);
    EXPECT_FALSE(saveGridFile(w.数据源1, path("没有的目录\\表.grd")));
}

// ---- data built from the format's description ------------------------------

Bytes u32(uint32_t v)
{
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

Bytes u16(uint16_t v) { return {static_cast<char>(v), static_cast<char>(v >> 8)}; }
Bytes u8(uint8_t v) { return Bytes(1, static_cast<char>(v)); }
Bytes str(const Bytes& s) { return u32(static_cast<uint32_t>(s.size())) + s; }

struct CellSpec {
    Text text = {};
    int alignment = 4;
    uint8_t flags = 0;
    Bytes extra = {};      // bytes after the known fields
    bool cutFlags = false; // leave the last field out
};

Bytes cell(const CellSpec& c = {})
{
    Bytes body = str(c.text) + str("宋体") + str("");
    for (int v : {35, 0, 0, -1, c.alignment, 10, 0, 9, 0})
        body += u32(static_cast<uint32_t>(v));
    if (!c.cutFlags)
        body += u8(c.flags);
    body += c.extra;
    return str(body);
}

using Sections = std::vector<std::pair<std::string, Bytes>>;

Bytes page(uint32_t leftMargin = 150)
{
    Bytes p = u32(2100) + u32(2970) + u8(0);
    for (uint32_t v : {leftMargin, 150u, 150u, 150u, 100u, 0u})
        p += u32(v);
    return p;
}

// One row of two cells.
Sections validSections()
{
    return {{"SIZE", u32(1) + u32(2) + u32(0) + u32(0)},
            {"ROWH", u32(60)},
            {"COLW", u32(300) + u32(300)},
            {"CELL", cell({"甲"}) + cell({"乙"})},
            {"MERG", u32(0)},
            {"DFLT", cell() + u32(60) + u8(0)},
            {"PAGE", page()}};
}

struct Framing {
    Bytes magic{"QLVGRID\x1A", 8};
    uint16_t major = 1, minor = 0;
    int lengthDelta = 0;         // added to the true section-area length
    uint32_t checksumDelta = 0;
    Bytes trailing = {};         // after the section area
};

Bytes assemble(const Sections& sections, const Framing& f = {})
{
    Bytes area;
    for (const auto& [tag, payload] : sections)
        area += tag + str(payload);
    return f.magic + u16(f.major) + u16(f.minor) + u32(static_cast<uint32_t>(static_cast<int>(area.size()) + f.lengthDelta))
           + u32(crc32Bitwise(area) + f.checksumDelta) + area + f.trailing;
}

Bytes& payloadOf(Sections& s, const std::string& tag)
{
    for (auto& [t, payload] : s)
        if (t == tag)
            return payload;
    throw std::logic_error("no section " + tag);
}

struct Crafted {
    const char* what;
    bool accepted;
    Bytes bytes;
};

std::vector<Crafted> craftedCases()
{
    std::vector<Crafted> cases;
    auto with = [&](const char* what, bool accepted, auto change, const Framing& framing = {}) {
        Sections s = validSections();
        change(s);
        cases.push_back({what, accepted, assemble(s, framing)});
    };
    auto none = [](Sections&) {};
    with("as described", true, none);
    with("sections in another order", true, [](Sections& s) { std::swap(s.front(), s.back()); });
    with("an unknown section", true, [](Sections& s) { s.insert(s.begin() + 2, {"NOTE", "later"}); });
    with("a longer cell record", true, [](Sections& s) { payloadOf(s, "CELL") = cell({"甲", 4, 0, "new"}) + cell(); });
    with("a later minor version", true, none, Framing{.minor = 7});
    with("another major version", false, none, Framing{.major = 2});
    with("another magic", false, none, Framing{.magic = Bytes("QLVGRID\0", 8)});
    with("a wrong checksum", false, none, Framing{.checksumDelta = 1});
    with("a byte after the sections", false, none, Framing{.trailing = "x"});
    with("an area longer than the data", false, none, Framing{.lengthDelta = 4});
    with("an area shorter than the data", false, none, Framing{.lengthDelta = -4});
    with("rows without heights", false, [](Sections& s) { payloadOf(s, "SIZE") = u32(0x7FFFFFFF) + u32(2) + u32(0) + u32(0); });
    with("more cells than the limit", false, [](Sections& s) { payloadOf(s, "SIZE") = u32(100000) + u32(10000) + u32(0) + u32(0); });
    with("a count beyond int", false, [](Sections& s) { payloadOf(s, "SIZE") = u32(0xFFFFFFFF) + u32(2) + u32(0) + u32(0); });
    with("too many header rows", false, [](Sections& s) { payloadOf(s, "SIZE") = u32(1) + u32(2) + u32(2000000) + u32(0); });
    with("a cell too many", false, [](Sections& s) { payloadOf(s, "CELL") += cell(); });
    with("a cell too few", false, [](Sections& s) { payloadOf(s, "CELL") = cell(); });
    with("a height of 0", false, [](Sections& s) { payloadOf(s, "ROWH") = u32(0); });
    with("a width too many", false, [](Sections& s) { payloadOf(s, "COLW") += u32(300); });
    with("a merge leaving the table", false, [](Sections& s) { payloadOf(s, "MERG") = u32(1) + u32(1) + u32(2) + u32(1) + u32(2); });
    with("a merge of one cell", false, [](Sections& s) { payloadOf(s, "MERG") = u32(1) + u32(1) + u32(1) + u32(1) + u32(1); });
    with("overlapping merges", false, [](Sections& s) {
        payloadOf(s, "MERG") = u32(2) + u32(1) + u32(1) + u32(1) + u32(2) + u32(1) + u32(1) + u32(1) + u32(2);
    });
    with("more merges than given", false, [](Sections& s) { payloadOf(s, "MERG") = u32(1000) + u32(1) + u32(1) + u32(1) + u32(2); });
    with("an alignment of 99", false, [](Sections& s) { payloadOf(s, "CELL") = cell({"甲", 99}) + cell(); });
    with("unknown flag bits", false, [](Sections& s) { payloadOf(s, "CELL") = cell({"甲", 4, 4}) + cell(); });
    with("a cell record without its flags", false, [](Sections& s) { payloadOf(s, "CELL") = cell({"甲", 4, 0, "", true}) + cell(); });
    with("a text longer than its record", false, [](Sections& s) {
        Bytes& cells = payloadOf(s, "CELL");
        cells.replace(4, 4, u32(0xFFFFFFF0));
    });
    with("a record longer than its section", false, [](Sections& s) {
        Bytes& cells = payloadOf(s, "CELL");
        cells.replace(0, 4, u32(0x7FFFFFFF));
    });
    with("a default format with a text", false, [](Sections& s) { payloadOf(s, "DFLT") = cell({"x"}) + u32(60) + u8(0); });
    with("margins wider than the paper", false, [](Sections& s) { payloadOf(s, "PAGE") = page(2000); });
    with("a missing section", false, [](Sections& s) { s.pop_back(); });
    with("a section twice", false, [](Sections& s) { s.push_back(s.front()); });
    // A section whose length runs past the area.
    Bytes past = assemble(validSections());
    past.replace(20 + 4, 4, u32(0x10000));
    Bytes area = past.substr(20);
    past.replace(16, 4, u32(crc32Bitwise(area)));
    cases.push_back({"a section longer than the area", false, past});
    return cases;
}

TEST_F(GridFormatTest, CraftedDataAreRefusedAndTheDocumentStays)
{
    setTableSize(w.数据源2, 3, 3);
    setCellText(w.数据源2, 2, 2, "旧");
    const GridDocument before = w.数据源2.document();
    for (const Crafted& c : craftedCases()) {
        const Text file = path("crafted.grd");
        std::ofstream(dir.filePath(QStringLiteral("crafted.grd")).toStdString(), std::ios::binary) << c.bytes;
        EXPECT_EQ(c.accepted, tableFromBytes(w.数据源2, c.bytes)) << c.what;
        EXPECT_EQ(c.accepted, loadGridFile(w.数据源2, file)) << c.what;
        if (c.accepted) {
            EXPECT_EQ(2, tableColumnCount(w.数据源2)) << c.what;
            EXPECT_TEXT_EQ("甲", cellText(w.数据源2, 1, 1));
            ASSERT_TRUE(tableFromBytes(w.数据源2, encodeGrid(before)));
        } else {
            EXPECT_TRUE(w.数据源2.document() == before) << c.what;
        }
    }
}

} // namespace
