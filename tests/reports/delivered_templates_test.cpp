// The delivered report templates: each loads from the program directory and
// has the shape its fill writes into (rows, columns, header counts, the
// cells the fill addresses not hidden in a merge), and its columns fit the
// page across.
#include "tests/reports/report_fixture.h"

namespace {

struct Shape {
    const char* kind;
    int rows, columns, headerRows, headerColumns;
    std::vector<std::pair<int, int>> writtenCells;   // filled by the report, outside the data lines
    int firstDataRow;                                // 0: none in the template
};

const Shape kShapes[] = {
    {"客房一览表", 3, 7, 2, 1, {{1, 2}}, 3},
    {"餐桌一览表", 3, 5, 2, 1, {{1, 2}}, 3},
    {"代表一览表", 3, 9, 2, 1, {{1, 2}}, 3},
    {"分组一览表", 1, 10, 1, 1, {{1, 2}}, 0},
    {"通讯录", 17, 11, 0, 0, {{3, 1}, {14, 1}, {17, 4}, {17, 10}}, 2},
    {"座次报表", 3, 5, 2, 1, {{1, 2}, {2, 2}}, 3},
};

struct TemplateWindow : Window {
    TemplateWindow() : Window("TemplateWindow", {0, 0, 100, 100}, "") {}
    DataSource 数据源1{*this, "数据源1"};
};

class DeliveredTemplateTest : public ReportTest {};

TEST_F(DeliveredTemplateTest, EachTemplateHasTheShapeItsFillWritesInto)
{
    for (const Shape& s : kShapes) {
        SCOPED_TRACE(gbkToUtf8(s.kind));
        TemplateWindow w;
        DataSource& ds = w.数据源1;
        ASSERT_TRUE(loadGridFile(ds, programFile(Text(s.kind) + ".grd")));
        const GridDocument& doc = ds.document();
        EXPECT_EQ(s.rows, tableRowCount(ds));
        EXPECT_EQ(s.columns, tableColumnCount(ds));
        EXPECT_EQ(s.headerRows, headerRowCount(ds));
        EXPECT_EQ(s.headerColumns, headerColumnCount(ds));
        for (auto [row, column] : s.writtenCells) {
            const GridBlock* merge = doc.mergeAt(row, column);
            EXPECT_TRUE(merge == nullptr || (merge->row == row && merge->column == column))
                << "cell (" << row << ", " << column << ") lies inside a merge";
        }
        if (s.firstDataRow > 0) {
            for (int row = s.firstDataRow; row <= s.rows; ++row)
                for (int column = 1; column <= s.columns; ++column)
                    if (Text(s.kind) != "通讯录" || column > 5) {   // the address book's cover is on the left
                        EXPECT_EQ(nullptr, doc.mergeAt(row, column)) << row << ", " << column;
                    }
        }
        const PageSetup& page = doc.pageSetup();
        const int across = (page.landscape ? page.paperHeight : page.paperWidth) - page.leftMargin - page.rightMargin;
        EXPECT_LE(columnSpan(doc, 1, s.columns), across);
    }
}

TEST_F(DeliveredTemplateTest, ListTemplatesLabelEveryColumnAndFrameTheirDataRow)
{
    for (const char* kind : {"客房一览表", "餐桌一览表", "代表一览表"}) {
        SCOPED_TRACE(gbkToUtf8(kind));
        TemplateWindow w;
        ASSERT_TRUE(loadGridFile(w.数据源1, programFile(Text(kind) + ".grd")));
        for (int column = 1; column <= tableColumnCount(w.数据源1); ++column) {
            EXPECT_NE(Text(""), cellText(w.数据源1, 2, column)) << column;
            EXPECT_EQ(GridFrame, w.数据源1.document().cell(3, column)->lines & GridFrame) << column;
        }
        EXPECT_TEXT_EQ("", cellText(w.数据源1, 1, 2));
    }
}

TEST_F(DeliveredTemplateTest, TheAddressBookPrintsOneSheetAPage)
{
    TemplateWindow w;
    ASSERT_TRUE(loadGridFile(w.数据源1, programFile("通讯录.grd")));
    const GridDocument& doc = w.数据源1.document();
    const PageSetup& page = doc.pageSetup();
    EXPECT_TRUE(page.landscape);
    EXPECT_EQ(17, page.rowsPerPage);
    EXPECT_LE(rowSpan(doc, 1, 17), page.paperWidth - page.topMargin - page.bottomMargin);
    EXPECT_EQ(doc.rowHeight(17), doc.defaults().rowHeight);   // appended sheets keep the rows' height
}

} // namespace
