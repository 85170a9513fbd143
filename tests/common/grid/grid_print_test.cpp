// Printing grid documents: pages cut by the document's print settings,
// header rows (and columns) repeated on every page, rendered through the
// interaction seam into a PDF whose pages and drawn texts are checked.
#include "tests/common/grid/grid_test_window.h"
#include "tests/support/case_names.h"
#include "tests/support/scripted_interaction.h"

namespace {

const Text kTitle = "会议代表一览表";

class GridPrintTest : public testing::Test {
protected:
    // Two header rows (title, column label) and `bodyRows` rows of one
    // delegate each, every row 10 mm high; the page is A4 upright.
    void fill(int bodyRows, int columns = 2)
    {
        setTableSize(ds, bodyRows + 2, columns);
        setHeaderRowCount(ds, 2);
        setRowHeight(ds, 1, bodyRows + 2, 100);
        setCellText(ds, 1, 1, kTitle);
        setCellText(ds, 2, 1, "姓名");
        for (int i = 1; i <= bodyRows; ++i)
            setCellText(ds, i + 2, 1, "代表" + toText(i));
    }
    void setPage(const PageSetup& setup)
    {
        ScriptedInteraction ui;
        ui.answerPageSetup(true, setup);
        ASSERT_TRUE(printSetupDialog(ds));
    }
    ScriptedInteraction::RenderedGrid preview()
    {
        ScriptedInteraction ui;
        ui.answerPrintPreview();
        EXPECT_EQ(printPreview(w.表格1), PreviewClosed);
        return ui.renderedGrids().empty() ? ScriptedInteraction::RenderedGrid{} : ui.renderedGrids().front();
    }

    GridWindow w;
    DataSource& ds = w.数据源1;
};

TEST_F(GridPrintTest, AThreePageDocumentPrintsThreePagesWithTheHeaderRowsOnEach)
{
    fill(60);   // 247 mm below the header rows: 24 rows a page
    const ScriptedInteraction::RenderedGrid printed = preview();
    EXPECT_EQ(3, printed.pageCount);
    EXPECT_EQ(3, printed.pdfPages);
    ASSERT_EQ(3u, printed.pages.size());
    const int firsts[] = {1, 25, 49}, lasts[] = {24, 48, 60};
    for (int page = 0; page < 3; ++page) {
        TextList expected{kTitle, "姓名"};
        for (int i = firsts[page]; i <= lasts[page]; ++i)
            expected.push_back("代表" + toText(i));
        EXPECT_EQ(expected, printed.pages[static_cast<size_t>(page)]) << "page " << page + 1;
    }
}

struct Layout {
    const char* what;
    int bodyRows;
    void (*set)(PageSetup&);
    int pages;
};
void PrintTo(const Layout& c, std::ostream* os) { *os << c.what; }

class GridPageCountTest : public GridPrintTest, public testing::WithParamInterface<Layout> {};

TEST_P(GridPageCountTest, PagesFollowThePrintSettings)
{
    fill(GetParam().bodyRows);
    PageSetup setup;
    GetParam().set(setup);
    setPage(setup);
    const ScriptedInteraction::RenderedGrid printed = preview();
    EXPECT_EQ(GetParam().pages, printed.pageCount) << GetParam().what;
    EXPECT_EQ(GetParam().pages, printed.pdfPages) << GetParam().what;
    for (const TextList& texts : printed.pages) {
        ASSERT_GE(texts.size(), 2u);
        EXPECT_TEXT_EQ(kTitle, texts[0]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, GridPageCountTest,
    testing::Values(Layout{"as it comes", 60, [](PageSetup&) {}, 3},
                    Layout{"a full page", 24, [](PageSetup&) {}, 1},
                    Layout{"one row more", 25, [](PageSetup&) {}, 2},
                    Layout{"17 rows a page", 34, [](PageSetup& p) { p.rowsPerPage = 17; }, 2},
                    Layout{"landscape: 16 rows a page", 60, [](PageSetup& p) { p.landscape = true; }, 4},
                    Layout{"half size", 60, [](PageSetup& p) { p.scale = 50; }, 2},
                    Layout{"A3", 60, [](PageSetup& p) { p.paperWidth = 2970; p.paperHeight = 4200; }, 2}),
    [](const testing::TestParamInfo<Layout>& info) { return caseName(info.param.what); });

TEST_F(GridPrintTest, WideTablesGoAcrossWithTheHeaderColumnsRepeated)
{
    fill(30, 3);
    setHeaderColumnCount(ds, 1);
    setColumnWidth(ds, 1, 3, 1000);   // one data column a page beside the header column
    setCellText(ds, 3, 3, "右");
    const ScriptedInteraction::RenderedGrid printed = preview();
    ASSERT_EQ(4, printed.pageCount);   // two down, two across
    ASSERT_EQ(4u, printed.pages.size());
    // Across: the title and the delegates of the header column again.
    EXPECT_EQ((TextList{kTitle, "姓名", "代表1"}), TextList(printed.pages[2].begin(), printed.pages[2].begin() + 3));
    auto shows = [&](int page, const Text& text) {
        const TextList& texts = printed.pages[static_cast<size_t>(page - 1)];
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    EXPECT_TRUE(shows(3, "右"));
    EXPECT_FALSE(shows(1, "右"));
    EXPECT_TRUE(shows(4, "代表30"));
    EXPECT_TRUE(shows(2, "代表30"));
}

// Each delegate's diners need several lines of a 30 mm column: on paper the
// rows grow to hold them, so the 60 rows take more than their three pages,
// and each row prints whole on one page.
TEST_F(GridPrintTest, RowsGrowOnPaperToPrintLongTextsWhole)
{
    fill(60);
    const Text diners = "张三、李四、王五、赵六、钱七、孙八、周九、吴十、郑十一";
    for (int row = 3; row <= 62; ++row)
        setCellText(ds, row, 2, diners);
    const ScriptedInteraction::RenderedGrid printed = preview();
    EXPECT_GT(printed.pageCount, 3);
    EXPECT_EQ(printed.pageCount, printed.pdfPages);
    ASSERT_EQ(static_cast<size_t>(printed.pageCount), printed.pages.size());
    int next = 1;
    for (const TextList& texts : printed.pages) {
        ASSERT_GE(texts.size(), 4u);
        EXPECT_EQ((TextList{kTitle, "姓名"}), TextList(texts.begin(), texts.begin() + 2));
        for (size_t i = 2; i + 1 < texts.size(); i += 2) {
            EXPECT_TEXT_EQ("代表" + toText(next++), texts[i]);
            EXPECT_TEXT_EQ(diners, texts[i + 1]);
        }
    }
    EXPECT_EQ(61, next);
    // On screen the document keeps its row heights.
    EXPECT_EQ(100, ds.document().rowHeight(3));
}

TEST_F(GridPrintTest, PrintingPagesOfTheDocumentUsesItsSettings)
{
    fill(60);
    ScriptedInteraction ui;
    ui.answerGridPrint(true);
    EXPECT_TRUE(printGrid(w.表格1, 2, 3));
    ASSERT_EQ(1u, ui.renderedGrids().size());
    EXPECT_EQ(2, ui.renderedGrids()[0].pdfPages);
    EXPECT_TEXT_EQ("代表25", ui.renderedGrids()[0].pages[0][2]);
}

TEST_F(GridPrintTest, NothingToPrint)
{
    // An unbound grid opens no preview: the scripted seam would fail the test.
    w.表格1.setDataSourceName("");
    EXPECT_EQ(printPreview(w.表格1), PreviewClosed);
    EXPECT_FALSE(printGrid(w.表格1));
    // A card template without cards has no page.
    w.表格1.setDataSourceName("数据源1");
    setTableSize(ds, 0, 1);
    const ScriptedInteraction::RenderedGrid printed = preview();
    EXPECT_EQ(0, printed.pageCount);
    EXPECT_EQ(0, printed.pdfPages);
}

TEST_F(GridPrintTest, PageSetupIsPartOfTheDocumentAndCancelKeepsIt)
{
    fill(1);
    PageSetup chosen;
    chosen.landscape = true;
    chosen.topMargin = 250;
    setPage(chosen);
    {
        ScriptedInteraction ui;
        ui.answerPageSetup(false);
        EXPECT_FALSE(printSetupDialog(ds));
        EXPECT_EQ(chosen, ui.lastPageSetupRequest());   // the dialog starts from the document's settings
    }
    EXPECT_EQ(chosen, ds.document().pageSetup());
    // A setup without printable area is not taken.
    PageSetup impossible;
    impossible.leftMargin = impossible.rightMargin = 1100;
    setPage(impossible);
    EXPECT_EQ(chosen, ds.document().pageSetup());
}

} // namespace
