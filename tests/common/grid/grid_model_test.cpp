// Grid document operations: appended rows take the default format in force
// when they are appended, writes are clipped to the table and those on the
// row after the last wait for it, merges follow inserted and deleted rows,
// lines are added and removed side by side, and values a setter does not
// take leave the cells alone.
#include "tests/common/grid/grid_test_window.h"
#include "tests/support/case_names.h"

#include <climits>

namespace {

constexpr GridBlock kNoCells{1, 1, 0, 0};

class GridModelTest : public testing::Test {
protected:
    GridWindow w;
    DataSource& ds = w.数据源1;

    bool merged(const GridBlock& block) const
    {
        const auto& merges = ds.document().merges();
        return std::find(merges.begin(), merges.end(), block) != merges.end();
    }
};

TEST_F(GridModelTest, AppendedRowsTakeTheDefaultFormatInForceWhenAppended)
{
    setTableSize(ds, 0, 1);   // a card template: no rows yet
    const int sizes[] = {380, 325, 430};
    for (int size : sizes) {
        setDefaultCellFormat(ds, {.fontName = "黑体", .fontSize = size, .fontStyle = GridBold, .alignment = 5,
                                  .allLines = false});
        appendRows(ds);
        setRowHeight(ds, tableRowCount(ds), 1, 1400);
    }
    // Settings left out keep the current default (face and size stay).
    setDefaultCellFormat(ds, {.alignment = 6, .allLines = true});
    appendRows(ds, 2);

    ASSERT_EQ(5, tableRowCount(ds));
    for (int row = 1; row <= 3; ++row) {
        const GridCell& cell = cellOf(ds, row, 1);
        EXPECT_EQ(sizes[row - 1], cell.fontSize) << "row " << row;
        EXPECT_TEXT_EQ("黑体", cell.fontName);
        EXPECT_EQ(GridBold, cell.fontStyle);
        EXPECT_EQ(5, cell.alignment);
        EXPECT_EQ(0, cell.lines);
        EXPECT_EQ(1400, ds.document().rowHeight(row));
    }
    for (int row = 4; row <= 5; ++row) {
        const GridCell& cell = cellOf(ds, row, 1);
        EXPECT_EQ(430, cell.fontSize);
        EXPECT_TEXT_EQ("黑体", cell.fontName);
        EXPECT_EQ(6, cell.alignment);
        EXPECT_EQ(GridFrame, cell.lines);
    }
}

TEST_F(GridModelTest, InsertedRowsAndColumnsAreEmptyInTheDefaultFormat)
{
    setTableSize(ds, 3, 2);
    setCellText(ds, 3, 1, "末行");
    setDefaultCellFormat(ds, {.rowHeight = 90, .fontSize = 50});
    insertRows(ds, 3);
    EXPECT_EQ(4, tableRowCount(ds));
    EXPECT_TEXT_EQ("", cellText(ds, 3, 1));
    EXPECT_TEXT_EQ("末行", cellText(ds, 4, 1));
    EXPECT_EQ(50, cellOf(ds, 3, 2).fontSize);
    EXPECT_EQ(90, ds.document().rowHeight(3));
    // The row after the last appends (the editor's database mode).
    insertRows(ds, tableRowCount(ds) + 1);
    EXPECT_EQ(5, tableRowCount(ds));
    insertColumns(ds, 1);
    EXPECT_EQ(3, tableColumnCount(ds));
    EXPECT_TEXT_EQ("末行", cellText(ds, 4, 2));
    // Before the first row or past the row after the last: nothing.
    insertRows(ds, 0);
    insertRows(ds, 7);
    deleteRows(ds, 9, 3);
    EXPECT_EQ(5, tableRowCount(ds));
}

struct ClipCase {
    const char* what;
    GridBlock request;
    GridBlock expected;   // the cells changed
};
void PrintTo(const ClipCase& c, std::ostream* os) { *os << c.what; }

class GridClipTest : public GridModelTest, public testing::WithParamInterface<ClipCase> {};

TEST_P(GridClipTest, BlockSettersTouchOnlyTheCellsInsideTheTable)
{
    const ClipCase& c = GetParam();
    setTableSize(ds, 3, 5);
    const GridDocument before = ds.document();
    const GridBlock& b = c.request;
    setBlockBackground(ds, b.row, b.column, b.rows, b.columns, 0xECECEC);
    setBlockFontName(ds, b.row, b.column, b.rows, b.columns, "1234");
    setBlockMargin(ds, b.row, b.column, b.rows, b.columns, 20);
    addBlockLines(ds, b.row, b.column, b.rows, b.columns, GridDiagonal);

    EXPECT_EQ(3, tableRowCount(ds));
    EXPECT_EQ(5, tableColumnCount(ds));
    for (int r = 1; r <= 3; ++r)
        for (int col = 1; col <= 5; ++col) {
            const GridCell& cell = cellOf(ds, r, col);
            if (!c.expected.contains(r, col)) {
                EXPECT_EQ(*before.cell(r, col), cell) << c.what << ": cell (" << r << ", " << col << ")";
                continue;
            }
            EXPECT_EQ(0xECECEC, cell.background) << c.what;
            EXPECT_TEXT_EQ("1234", cell.fontName);
            EXPECT_EQ(20, cell.margin);
            EXPECT_EQ(GridDiagonal, cell.lines);
        }
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, GridClipTest,
    testing::Values(ClipCase{"inside", {2, 2, 2, 3}, {2, 2, 2, 3}},
                    ClipCase{"shading four columns past the last", {1, 4, 1, 5}, {1, 4, 1, 2}},
                    ClipCase{"from row and column 0", {0, 0, 2, 2}, {1, 1, 1, 1}},
                    ClipCase{"before the table", {-5, -5, 3, 3}, kNoCells},
                    ClipCase{"right of the table", {1, 6, 3, 3}, kNoCells},
                    ClipCase{"zero rows", {1, 1, 0, 5}, kNoCells},
                    ClipCase{"negative count", {2, 2, -1, 2}, kNoCells},
                    ClipCase{"huge counts", {1, 1, INT_MAX, INT_MAX}, {1, 1, 3, 5}},
                    ClipCase{"huge start", {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, kNoCells},
                    ClipCase{"huge negative start", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kNoCells}),
    [](const testing::TestParamInfo<ClipCase>& info) { return caseName(info.param.what); });

TEST_F(GridModelTest, ReadsOutsideTheTableGiveEmptyTexts)
{
    setTableSize(ds, 2, 2);
    setCellText(ds, 1, 1, "甲");
    const std::pair<int, int> outside[] = {{0, 1}, {1, 0}, {0, 0}, {3, 1}, {1, 3}, {-1, -1}, {INT_MAX, INT_MIN}};
    for (auto [row, column] : outside) {
        EXPECT_TEXT_EQ("", cellText(ds, row, column)) << row << ", " << column;
        EXPECT_TEXT_EQ("", cellFontName(ds, row, column));
    }
    setCellText(ds, 0, 1, "x");
    setCellText(ds, 3, 3, "x");
    deleteRows(ds, -4, 3);
    deleteColumns(ds, 3, INT_MAX);
    EXPECT_TEXT_EQ("甲", cellText(ds, 1, 1));
    EXPECT_EQ(2, tableRowCount(ds));
    EXPECT_EQ(2, tableColumnCount(ds));
}

// The group report merges and frames a heading block whose second row is
// appended only afterwards.
TEST_F(GridModelTest, RequestsOnTheRowAfterTheLastApplyWhenItIsAppended)
{
    setTableSize(ds, 1, 10);
    const int r = 2;
    appendRows(ds);
    for (int column : {2, 5})
        for (int row : {r, r + 1})
            mergeBlock(ds, row, column, 1, 2);
    mergeBlock(ds, r, 8, 1, 3);
    mergeBlock(ds, r + 1, 8, 1, 3);
    addBlockLines(ds, r, 1, 2, 10, GridAllLines);
    setCellText(ds, r + 1, 1, "召集人：");
    EXPECT_EQ(2, tableRowCount(ds));
    EXPECT_FALSE(merged({r + 1, 2, 1, 2}));
    EXPECT_EQ(GridFrame, cellOf(ds, r, 1).lines);   // its part of the frame and the inner lines

    appendRows(ds);
    for (int column : {2, 5})
        EXPECT_TRUE(merged({r + 1, column, 1, 2})) << column;
    EXPECT_TRUE(merged({r + 1, 8, 1, 3}));
    EXPECT_TEXT_EQ("召集人：", cellText(ds, r + 1, 1));
    for (int column = 1; column <= 10; ++column)
        EXPECT_EQ(GridFrame, cellOf(ds, r + 1, column).lines) << column;
    // Kept once: the next append gets none of it.
    appendRows(ds);
    EXPECT_EQ(0, cellOf(ds, r + 2, 1).lines);
    EXPECT_TEXT_EQ("", cellText(ds, r + 2, 1));
}

TEST_F(GridModelTest, KeptRequestsReachOnlyTheNextRowAndLeaveEarlierRowsAlone)
{
    setTableSize(ds, 2, 3);
    setBlockFontName(ds, 2, 1, 3, 1, "甲");   // rows 2, 3 and 4
    setBlockFontName(ds, 2, 1, 1, 1, "乙");   // row 2 changed again before the append
    mergeBlock(ds, 4, 1, 1, 2);              // two rows ahead: dropped
    appendRows(ds, 2);
    EXPECT_TEXT_EQ("乙", cellFontName(ds, 2, 1));
    EXPECT_TEXT_EQ("甲", cellFontName(ds, 3, 1));
    EXPECT_TEXT_EQ("宋体", cellFontName(ds, 4, 1));
    EXPECT_TRUE(ds.document().merges().empty());
}

TEST_F(GridModelTest, OtherRowChangesDropKeptRequests)
{
    for (auto change : {+[](DataSource& s) { insertRows(s, 1); }, +[](DataSource& s) { deleteRows(s, 1, 1); },
                        +[](DataSource& s) { setTableSize(s, 2, 3); }}) {
        setTableSize(ds, 2, 3);
        setCellText(ds, 3, 1, "待");
        change(ds);
        appendRows(ds);
        EXPECT_TEXT_EQ("", cellText(ds, tableRowCount(ds), 1));
    }
}

TEST_F(GridModelTest, MergeAndSplit)
{
    setTableSize(ds, 6, 6);
    mergeBlock(ds, 2, 2, 2, 3);
    ASSERT_NE(nullptr, ds.document().mergeAt(3, 4));
    EXPECT_EQ((GridBlock{2, 2, 2, 3}), *ds.document().mergeAt(3, 4));
    mergeBlock(ds, 3, 3, 2, 2);   // overlaps: replaces the first
    EXPECT_TRUE(merged({3, 3, 2, 2}));
    EXPECT_EQ(1u, ds.document().merges().size());
    mergeBlock(ds, 1, 1, 1, 1);   // one cell: no merge
    mergeBlock(ds, 5, 5, 5, 5);   // clipped at the edge
    EXPECT_TRUE(merged({5, 5, 2, 2}));
    splitMergedCell(ds, 4, 4);    // any cell of a block splits it
    EXPECT_FALSE(merged({3, 3, 2, 2}));
    splitMergedCell(ds, 0, 0);
    EXPECT_EQ(1u, ds.document().merges().size());
}

struct MergeShift {
    const char* what;
    void (*change)(DataSource&);
    GridBlock expected;   // kNoCells: the merge is gone
};
void PrintTo(const MergeShift& c, std::ostream* os) { *os << c.what; }

class GridMergeShiftTest : public GridModelTest, public testing::WithParamInterface<MergeShift> {};

TEST_P(GridMergeShiftTest, MergesFollowInsertedAndDeletedRowsAndColumns)
{
    setTableSize(ds, 8, 8);
    mergeBlock(ds, 3, 3, 3, 2);   // rows 3-5, columns 3-4
    GetParam().change(ds);
    const auto& merges = ds.document().merges();
    if (GetParam().expected.empty())
        EXPECT_TRUE(merges.empty()) << GetParam().what;
    else
        EXPECT_EQ(std::vector<GridBlock>{GetParam().expected}, merges) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Changes, GridMergeShiftTest,
    testing::Values(MergeShift{"row inserted above", [](DataSource& s) { insertRows(s, 3, 2); }, {5, 3, 3, 2}},
                    MergeShift{"row inserted inside", [](DataSource& s) { insertRows(s, 4); }, {3, 3, 4, 2}},
                    MergeShift{"row inserted below", [](DataSource& s) { insertRows(s, 6); }, {3, 3, 3, 2}},
                    MergeShift{"rows deleted across its top", [](DataSource& s) { deleteRows(s, 2, 2); }, {2, 3, 2, 2}},
                    MergeShift{"rows deleted inside", [](DataSource& s) { deleteRows(s, 4, 1); }, {3, 3, 2, 2}},
                    MergeShift{"all its rows deleted", [](DataSource& s) { deleteRows(s, 1, 6); }, kNoCells},
                    MergeShift{"column inserted inside", [](DataSource& s) { insertColumns(s, 4); }, {3, 3, 3, 3}},
                    MergeShift{"column deleted: one column left", [](DataSource& s) { deleteColumns(s, 4, 1); }, {3, 3, 3, 1}},
                    MergeShift{"cut to one cell", [](DataSource& s) { deleteRows(s, 4, 2); deleteColumns(s, 3, 1); }, kNoCells}),
    [](const testing::TestParamInfo<MergeShift>& info) { return caseName(info.param.what); });

TEST_F(GridModelTest, HeaderCountsFollowRowsAndColumnsAndClampNegatives)
{
    setTableSize(ds, 5, 5);
    setHeaderRowCount(ds, 2);
    setHeaderColumnCount(ds, -3);
    EXPECT_EQ(0, headerColumnCount(ds));
    insertRows(ds, 1);
    EXPECT_EQ(3, headerRowCount(ds));
    deleteRows(ds, 2, 3);   // two header rows and one more
    EXPECT_EQ(1, headerRowCount(ds));
    setHeaderRowCount(ds, 9);   // more than there are rows is kept
    EXPECT_EQ(9, headerRowCount(ds));
}

TEST_F(GridModelTest, LinesAreAddedAndClearedSideBySide)
{
    setTableSize(ds, 4, 4);
    addBlockLines(ds, 2, 2, 2, 2, GridAllLines);
    addBlockLines(ds, 2, 2, 1, 1, GridDiagonal);
    clearBlockLines(ds, 2, 2, 2, 2, GridInnerHorizontal | GridInnerVertical);
    EXPECT_EQ(LineLeft | LineTop | GridDiagonal, cellOf(ds, 2, 2).lines);
    EXPECT_EQ(LineRight | LineBottom, cellOf(ds, 3, 3).lines);
    clearBlockLines(ds, 2, 2, 2, 2, GridAllLines);
    EXPECT_EQ(GridDiagonal, cellOf(ds, 2, 2).lines);   // diagonals stay
    clearBlockLines(ds, 1, 1, 4, 4, GridDiagonals);
    EXPECT_EQ(0, cellOf(ds, 2, 2).lines);

    // A frame cleared from a block also goes from the neighbour that shares it.
    addBlockLines(ds, 1, 1, 4, 4, GridAllLines);
    clearBlockLines(ds, 2, 2, 1, 1, GridFrame);
    EXPECT_EQ(0, cellOf(ds, 2, 2).lines);
    EXPECT_EQ(0, cellOf(ds, 2, 1).lines & LineRight);
    EXPECT_EQ(0, cellOf(ds, 1, 2).lines & LineBottom);
    EXPECT_EQ(0, cellOf(ds, 3, 2).lines & LineTop);
    EXPECT_EQ(0, cellOf(ds, 2, 3).lines & LineLeft);
    EXPECT_NE(0, cellOf(ds, 2, 1).lines & LineLeft);
}

TEST_F(GridModelTest, ValuesASetterDoesNotTakeLeaveTheCells)
{
    setTableSize(ds, 1, 1);
    const GridCell before = cellOf(ds, 1, 1);
    setBlockAlignment(ds, 1, 1, 1, 1, 99);
    setBlockAlignment(ds, 1, 1, 1, 1, 0);
    setBlockCellType(ds, 1, 1, 1, 1, 7);
    setBlockInputType(ds, 1, 1, 1, 1, 9);
    setBlockFontSize(ds, 1, 1, 1, 1, 0);
    setBlockFontStyle(ds, 1, 1, 1, 1, 16);
    setBlockTextColour(ds, 1, 1, 1, 1, -2);
    setBlockBackground(ds, 1, 1, 1, 1, 0x1000000);
    setRowHeight(ds, 1, 1, 0);
    setColumnWidth(ds, 1, 1, -300);
    EXPECT_EQ(before, cellOf(ds, 1, 1));
    EXPECT_EQ(60, ds.document().rowHeight(1));
    EXPECT_EQ(300, ds.document().columnWidth(1));

    setBlockMargin(ds, 1, 1, 1, 1, -5);
    EXPECT_EQ(0, cellOf(ds, 1, 1).margin);
    setBlockMargin(ds, 1, 1, 1, 1, INT_MAX);
    EXPECT_EQ(1000, cellOf(ds, 1, 1).margin);
    setBlockBackground(ds, 1, 1, 1, 1, 0xECECEC);
    setBlockBackground(ds, 1, 1, 1, 1);   // left out: the default background again
    EXPECT_EQ(DefaultBackground, cellOf(ds, 1, 1).background);
    setTableSize(ds, -1, INT_MAX);        // refused: the table stays
    EXPECT_EQ(1, tableColumnCount(ds));
}

TEST_F(GridModelTest, PictureDataGoesIntoTheOneCellAndKeepsItsType)
{
    setTableSize(ds, 2, 2);
    const Bytes picture("\x89PNG\0\x01", 6);
    setCellPictureData(ds, 1, 2, picture);
    EXPECT_EQ(picture, cellOf(ds, 1, 2).picture);
    EXPECT_EQ(10, cellOf(ds, 1, 2).cellType);
    EXPECT_TRUE(cellOf(ds, 2, 2).picture.empty());
    setCellPictureData(ds, 1, 2, "");
    EXPECT_TRUE(cellOf(ds, 1, 2).picture.empty());
}

TEST_F(GridModelTest, AppendTableFromAddsTheRowsWithTheirFormatsAndMerges)
{
    DataSource& added = w.数据源2;
    setTableSize(ds, 2, 2);
    setCellText(ds, 2, 2, "原");
    setTableSize(added, 3, 4);
    setCellText(added, 1, 4, "新");
    setBlockFontSize(added, 2, 1, 1, 4, 99);
    setColumnWidth(added, 4, 1, 555);
    mergeBlock(added, 2, 1, 2, 2);
    appendTableFrom(ds, added);
    EXPECT_EQ(5, tableRowCount(ds));
    EXPECT_EQ(4, tableColumnCount(ds));
    EXPECT_TEXT_EQ("原", cellText(ds, 2, 2));
    EXPECT_TEXT_EQ("新", cellText(ds, 3, 4));
    EXPECT_EQ(99, cellOf(ds, 4, 3).fontSize);
    EXPECT_EQ(555, ds.document().columnWidth(4));
    EXPECT_TRUE(merged({4, 1, 2, 2}));
    // Part of the rows; a merge cut by the range is cut with it.
    appendTableFrom(ds, added, 3, 1);
    EXPECT_EQ(6, tableRowCount(ds));
    EXPECT_TRUE(merged({6, 1, 1, 2}));
    appendTableFrom(ds, ds);   // from itself
    EXPECT_EQ(12, tableRowCount(ds));
    EXPECT_TEXT_EQ("新", cellText(ds, 9, 4));
}

// A report filled again takes the storage the last large document left
// rather than fresh memory; what it then holds are its own cells and blank
// appended ones, nothing of the document that went before.
TEST_F(GridModelTest, ALargeDocumentLeavesItsStorageToTheNextThatGrowsLarge)
{
    const GridCell* left = nullptr;
    {
        GridDocument large(20000, 9);
        large.editBlock({1, 1, 20000, 9}, [](GridCell& cell) {
            cell.text = "旧";
            cell.fontSize = 99;
        });
        left = large.cell(1, 1);
    }
    setTableSize(ds, 3, 9);
    setCellText(ds, 3, 9, "新");
    setDefaultCellFormat(ds, {.alignment = 6, .allLines = true});
    appendRows(ds, 5000);

    ASSERT_EQ(5003, tableRowCount(ds));
    EXPECT_EQ(left, &cellOf(ds, 1, 1)) << "the storage left behind was not taken";
    EXPECT_TEXT_EQ("新", cellText(ds, 3, 9));
    for (int row : {1, 3, 4, 2000, 5003})
        for (int column : {1, 9}) {
            const GridCell& cell = cellOf(ds, row, column);
            if (row != 3 || column != 9) {
                EXPECT_TEXT_EQ("", cell.text) << row << ", " << column;
            }
            EXPECT_EQ(35, cell.fontSize) << row << ", " << column;
            EXPECT_EQ(row > 3 ? 6 : 4, cell.alignment) << row << ", " << column;
        }
}

} // namespace
