// The grid unit on Qt: it shows the document its data-source name names and
// nothing while that is "", two grids take one document in turn, header
// rows stay while the rest scrolls, the person's edits raise the cell-edited
// event (the program's never do), selections are blocks that never cut a
// merge, and the clipboard and ruler drags change the document.
#include "tests/common/grid/grid_test_window.h"
#include "common/internal/qt_objects.h"
#include "tests/support/scripted_interaction.h"

#include "common/program/clipboard.h"
#include "common/grid/grid_paint.h"
#include "common/grid/grid_view.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFontDatabase>
#include <QRawFont>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

namespace {

constexpr int kGreen = 0x00FF00, kRed = 0x0000FF, kBlue = 0xFF0000;

// A provider that records what the data sources tell it.
class RecordingProvider : public GridProvider {
public:
    RecordingProvider(Container& window, const Text& name) : GridProvider(window, name) {}
    GridDocument& document() override { return document_; }
    void documentChanged(const GridChange& change) override { changes.push_back(change); }
    std::vector<GridChange> changes;

private:
    GridDocument document_;
};

struct TableWindow : GridWindow {
    TableWindow()
    {
        表格1.cellEdited = [this] { ++edits; };
        表格1.mouseDown = [this](int button) { downs.push_back(button); };
        表格1.mouseUp = [this](int button) { ups.push_back(button); };
    }
    RecordingProvider 数据库提供者1{*this, "数据库提供者1"};
    int edits = 0;
    std::vector<int> downs, ups;
};

class GridTableTest : public testing::Test {
protected:
    void SetUp() override
    {
        w = loadWindow<TableWindow>(nullptr, false);
        ASSERT_NE(w, nullptr);
        setTableSize(ds(), 4, 4);
    }
    void TearDown() override
    {
        closeWindow(*w);
        processEvents();
    }
    DataSource& ds() { return w->数据源1; }
    QAbstractScrollArea* view(GridTable& grid) { return static_cast<QAbstractScrollArea*>(QtObjects::widget(grid)); }
    double scale(GridTable& grid) { return QtObjects::widget(grid)->logicalDpiX() / 254.0 * grid.zoom() / 100.0; }
    // The middle of cell (row, column) of the default 60 x 300 cells, rulers shown, not scrolled.
    QPoint centre(GridTable& grid, int row, int column)
    {
        const double s = scale(grid);
        return QPoint(40 + static_cast<int>((300 * (column - 1) + 150) * s), 20 + static_cast<int>((60 * (row - 1) + 30) * s));
    }
    int colourAt(GridTable& grid, QPoint at)
    {
        const QColor c = view(grid)->viewport()->grab().toImage().pixelColor(at);
        return c.red() | (c.green() << 8) | (c.blue() << 16);
    }
    void click(GridTable& grid, int row, int column, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(view(grid)->viewport(), button, {}, centre(grid, row, column));
    }
    // The open cell editor; a closed one may wait to be deleted, hidden.
    QLineEdit* editor()
    {
        for (QLineEdit* edit : view(w->表格1)->viewport()->findChildren<QLineEdit*>())
            if (edit->isVisible())
                return edit;
        return nullptr;
    }

    TableWindow* w = nullptr;
};

TEST_F(GridTableTest, ShowsTheBoundDocumentAndNothingWhileUnbound)
{
    setBlockBackground(ds(), 1, 1, 4, 4, kGreen);
    EXPECT_EQ(kGreen, colourAt(w->表格1, centre(w->表格1, 2, 2)));
    EXPECT_NE(0xFFFFFF, colourAt(w->表格1, QPoint(5, 5)));   // the ruler

    w->表格1.setDataSourceName("");
    EXPECT_EQ(nullptr, w->表格1.dataSource());
    EXPECT_EQ(0xFFFFFF, colourAt(w->表格1, centre(w->表格1, 2, 2)));
    EXPECT_EQ(0xFFFFFF, colourAt(w->表格1, QPoint(5, 5)));

    // Writes while unbound show once the grid is bound again.
    setBlockBackground(ds(), 2, 2, 1, 1, kRed);
    w->表格1.setDataSourceName("数据源1");
    EXPECT_EQ(kRed, colourAt(w->表格1, centre(w->表格1, 2, 2)));
    EXPECT_EQ(kGreen, colourAt(w->表格1, centre(w->表格1, 3, 3)));
}

TEST_F(GridTableTest, EveryLineOfTheTableShowsItsOuterEdgesIncluded)
{
    setTableSize(ds(), 2, 2);
    addBlockLines(ds(), 1, 1, 2, 2, GridAllLines);
    processEvents();
    const QImage shown = view(w->表格1)->viewport()->grab().toImage();
    // Lines crossed by a scan line from the rulers' inner edge (the table's
    // corner) through the middle of cell (1, 1).
    auto crossings = [&](QPoint from, QPoint step, int count) {
        int lines = 0;
        bool onLine = false;
        for (QPoint at = from; count-- > 0; at += step) {
            const bool dark = shown.valid(at) && shown.pixelColor(at).lightness() < 128;
            lines += dark && !onLine;
            onLine = dark;
        }
        return lines;
    };
    const QPoint middle = centre(w->表格1, 1, 1);
    EXPECT_EQ(3, crossings({40, middle.y()}, {1, 0}, shown.width())) << "left, inner and right";
    EXPECT_EQ(3, crossings({middle.x(), 20}, {0, 1}, shown.height())) << "top, inner and bottom";
}

TEST_F(GridTableTest, TwoGridsTakeOneDocumentInTurn)
{
    setBlockBackground(ds(), 1, 1, 4, 4, kGreen);
    w->表格3.setDataSourceName("数据源1");
    w->表格1.setDataSourceName("");
    EXPECT_EQ(kGreen, colourAt(w->表格3, centre(w->表格3, 2, 2)));
    EXPECT_EQ(0xFFFFFF, colourAt(w->表格1, centre(w->表格1, 2, 2)));
    setBlockBackground(ds(), 2, 2, 1, 1, kBlue);   // redraws the grid that shows it
    EXPECT_EQ(kBlue, colourAt(w->表格3, centre(w->表格3, 2, 2)));
    w->表格3.setDataSourceName("");
    w->表格1.setDataSourceName("数据源1");
    EXPECT_EQ(kBlue, colourAt(w->表格1, centre(w->表格1, 2, 2)));
    EXPECT_EQ(0xFFFFFF, colourAt(w->表格3, centre(w->表格3, 2, 2)));
}

TEST_F(GridTableTest, HeaderRowsStayWhileTheRestScrollsAndZoomScales)
{
    setTableSize(ds(), 200, 4);
    setHeaderRowCount(ds(), 1);
    setBlockBackground(ds(), 1, 1, 1, 4, kBlue);
    setBlockBackground(ds(), 2, 1, 199, 4, kGreen);
    processEvents();
    QScrollBar* bar = view(w->表格1)->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());
    EXPECT_EQ(kBlue, colourAt(w->表格1, centre(w->表格1, 1, 2)));
    EXPECT_EQ(kGreen, colourAt(w->表格1, centre(w->表格1, 2, 2)));
    bar->setValue(0);
    w->表格1.setZoom(200);
    EXPECT_EQ(kGreen, colourAt(w->表格1, centre(w->表格1, 2, 2)));
    w->表格1.setZoom(5);   // refused
    EXPECT_EQ(200, w->表格1.zoom());
}

// Scrolled sideways, the header column, its ruler number and the rows'
// numbers stay exactly as they were: nothing of the scrolled columns, nor
// the selection of one of them, is drawn over them.
TEST_F(GridTableTest, HeaderColumnsStayPutWhileTheRestScrollsSideways)
{
    setTableSize(ds(), 4, 12);
    setHeaderColumnCount(ds(), 1);
    setBlockBackground(ds(), 1, 1, 4, 1, kBlue);
    setBlockBackground(ds(), 1, 2, 4, 11, kGreen);
    setCellText(ds(), 2, 2, "一二三四五六七八九十");
    click(w->表格1, 2, 2);
    processEvents();
    QWidget* viewport = view(w->表格1)->viewport();
    const int frozenRight = 40 + static_cast<int>(300 * scale(w->表格1));
    const QRect still(0, 0, frozenRight - 1, viewport->height() - 1);
    const QImage before = viewport->grab(still).toImage();
    QScrollBar* bar = view(w->表格1)->horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    for (int value : {static_cast<int>(150 * scale(w->表格1)), bar->maximum()}) {
        bar->setValue(value);
        EXPECT_EQ(before, viewport->grab(still).toImage()) << "scrolled by " << value;
    }
    // The scrolled columns' numbers stand over their columns.
    bar->setValue(static_cast<int>(150 * scale(w->表格1)));
    const QPoint onColumn3(centre(w->表格1, 2, 3).x() - static_cast<int>(150 * scale(w->表格1)), 10);
    const QRect numberCell(onColumn3.x() - 20, 2, 40, 16);
    QImage ruler = viewport->grab(numberCell).toImage();
    bar->setValue(0);
    const QPoint unscrolled(centre(w->表格1, 2, 3).x(), 10);
    EXPECT_EQ(viewport->grab(QRect(unscrolled.x() - 20, 2, 40, 16)).toImage(), ruler);
}

// Scrolled both ways by the keyboard, the rulers' sections lie on the
// lines of the cells they number: the columns' along the scrolled header
// row, the rows' along the header column. Nothing of a line scrolled under
// the header column or row shows in the ruler.
TEST_F(GridTableTest, RulerSectionsLineUpWithTheirCellsAfterScrolling)
{
    setTableSize(ds(), 40, 12);
    setHeaderRowCount(ds(), 2);
    setHeaderColumnCount(ds(), 1);
    addBlockLines(ds(), 1, 1, 40, 12, GridAllLines);
    click(w->表格1, 3, 2);
    QWidget* viewport = view(w->表格1)->viewport();
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(viewport, Qt::Key_Right);
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(viewport, Qt::Key_Down);
    ASSERT_GT(view(w->表格1)->horizontalScrollBar()->value(), 0);
    ASSERT_GT(view(w->表格1)->verticalScrollBar()->value(), 0);
    const QImage shown = viewport->grab().toImage();
    // Where dark runs start along a scan line.
    auto lines = [&](QPoint from, QPoint step) {
        std::vector<int> at;
        bool onLine = false;
        for (QPoint p = from; shown.valid(p); p += step) {
            const bool dark = shown.pixelColor(p).lightness() < 128;
            if (dark && !onLine)
                at.push_back(step.x() ? p.x() : p.y());
            onLine = dark;
        }
        return at;
    };
    const QPoint headerCell = centre(w->表格1, 2, 1);
    EXPECT_EQ(lines({40, 1}, {1, 0}), lines({40, headerCell.y()}, {1, 0})) << "columns";
    EXPECT_EQ(lines({1, 20}, {0, 1}), lines({headerCell.x(), 20}, {0, 1})) << "rows";
}

// A merged block that starts in the header column and reaches into the
// scrolled ones (a chart's title) keeps its start in place and ends where
// its last column now ends: its text stays readable and it covers no other
// cell.
TEST_F(GridTableTest, AMergeAcrossTheHeaderColumnShowsItsTextWhileScrolled)
{
    setTableSize(ds(), 6, 12);
    setHeaderRowCount(ds(), 2);
    setHeaderColumnCount(ds(), 1);
    mergeBlock(ds(), 1, 1, 1, 12);
    setCellText(ds(), 1, 1, "十五日上午全体大会座次表十五日上午全体大会座次表");
    mergeBlock(ds(), 2, 1, 1, 3);
    click(w->表格1, 4, 4);
    processEvents();
    QWidget* viewport = view(w->表格1)->viewport();
    const int column = static_cast<int>(300 * scale(w->表格1));
    const QRect title(42, 22, column * 3, static_cast<int>(60 * scale(w->表格1)) - 4);
    const QImage before = viewport->grab(title).toImage();
    QScrollBar* bar = view(w->表格1)->horizontalScrollBar();
    bar->setValue(column);
    EXPECT_EQ(before, viewport->grab(title).toImage());

    auto* grid = dynamic_cast<GridView*>(QtObjects::widget(w->表格1));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->placeOfCell(2, 1).left(), 40);
    EXPECT_NEAR(grid->placeOfCell(2, 1).right() + 1, grid->placeOfCell(2, 4).left(), 1) << "ends where column 4 begins";
    QTest::mouseClick(viewport, Qt::LeftButton, {}, grid->placeOfCell(2, 4).center());
    EXPECT_EQ((GridTable::Selection{2, 4, 1, 1}), w->表格1.selection());
    bar->setValue(bar->maximum());
    EXPECT_EQ(grid->placeOfCell(2, 1).left(), 40);
    EXPECT_NEAR(grid->placeOfCell(2, 1).width(), column, 1) << "scrolled past its end, its header column's part is left";

    // The same down the rows: a block from the header rows into the
    // scrolled ones ends where its last row now ends.
    setTableSize(ds(), 40, 3);
    mergeBlock(ds(), 2, 2, 3, 1);
    processEvents();
    view(w->表格1)->verticalScrollBar()->setValue(static_cast<int>(60 * scale(w->表格1)));
    EXPECT_NEAR(grid->placeOfCell(2, 2).bottom() + 1, grid->placeOfCell(5, 2).top(), 1);
}

// The face a cell's Chinese text is drawn in, in the weight asked for: a
// face made in that weight, not regular glyphs thickened. A face named in a
// template that is not installed (a delegate id among them) draws in a
// Chinese face too, and the document keeps the name.
TEST_F(GridTableTest, FacesDrawInChineseFacesWithRealWeights)
{
    const QString serif = QStringLiteral("Noto Serif CJK SC"), sans = QStringLiteral("Noto Sans CJK SC");
    const struct {
        Text face;
        QString family;
    } cases[] = {{"宋体", serif},   {"新宋体", serif}, {"SimSun", serif},      {"黑体", sans},
                 {"SimHei", sans},  {"", sans},        {"楷体_GB2312", serif}, {"Arial", sans},
                 {"1234", sans},    {"DejaVu Sans", sans}};
    for (const auto& c : cases)
        for (const bool bold : {true, false}) {
            setBlockFontName(ds(), 1, 1, 1, 1, c.face);
            setBlockFontStyle(ds(), 1, 1, 1, 1, bold ? GridBold : 0);
            const QRawFont drawn = QRawFont::fromFont(gridCellFont(cellOf(ds(), 1, 1)), QFontDatabase::SimplifiedChinese);
            EXPECT_EQ(drawn.familyName().toStdString(), c.family.toStdString()) << gbkToUtf8(c.face);
            EXPECT_EQ(drawn.styleName().toStdString(), bold ? "Bold" : "Regular") << gbkToUtf8(c.face);
            EXPECT_TEXT_EQ(c.face, cellFontName(ds(), 1, 1));
        }
    EXPECT_TRUE(QFontDatabase::styles(serif).contains(QStringLiteral("Bold")));
    EXPECT_TRUE(QFontDatabase::styles(sans).contains(QStringLiteral("Bold")));
    QFont program = QApplication::font();
    program.setBold(true);
    const QRawFont drawn = QRawFont::fromFont(program, QFontDatabase::SimplifiedChinese);
    EXPECT_EQ(drawn.familyName().toStdString(), sans.toStdString());
    EXPECT_EQ(drawn.styleName().toStdString(), "Bold");
}

// Where a cell's text shows: the pixels of the text colour, red here.
QRect inkOf(const QImage& shown)
{
    QRect ink;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            if (c.red() > c.green() + 60 && c.red() > c.blue() + 60)
                ink |= QRect(x, y, 1, 1);
        }
    return ink;
}

// A list of diners for a cell of one line: shown on one whole line, clipped
// at the cell's right side; given room, the same text wraps onto whole lines.
TEST_F(GridTableTest, ATextThatDoesNotFitShowsWholeLinesInsideItsCell)
{
    const Text diners = "张三、李四、王五、赵六、钱七、孙八、周九、吴十、郑十一";
    setBlockTextColour(ds(), 1, 1, 4, 4, kRed);
    setCellText(ds(), 3, 2, diners);
    const double s = scale(w->表格1);
    const double lineHeight = 35 * s * 1.6;
    for (const int height : {60, 240}) {
        SCOPED_TRACE(height);
        setRowHeight(ds(), 3, 1, height);
        const QRectF cell(40 + 300 * s, 20 + 120 * s, 300 * s, height * s);
        const QRect ink = inkOf(view(w->表格1)->viewport()->grab().toImage());
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_TRUE(cell.contains(QRectF(ink))) << ink.left() << "," << ink.top() << " " << ink.width() << "x" << ink.height();
        // No line cut across: the ink stays clear of the cell's top and bottom.
        EXPECT_GT(ink.top(), cell.top() + 1);
        EXPECT_LT(ink.bottom(), cell.bottom() - 1);
        if (height == 60) {
            EXPECT_LT(ink.height(), lineHeight);
            EXPECT_GT(ink.right(), cell.right() - 10 * s);   // on to the side
        } else {
            EXPECT_GT(ink.height(), lineHeight);
        }
    }
}

TEST_F(GridTableTest, ThePersonsEditsRaiseTheCellEditedEvent)
{
    setCellText(ds(), 1, 1, "程序");   // the program's write: no event
    EXPECT_EQ(0, w->edits);
    QTest::mouseDClick(view(w->表格1)->viewport(), Qt::LeftButton, {}, centre(w->表格1, 2, 2));
    ASSERT_NE(nullptr, editor());
    editor()->setText(QString::fromUtf16(u"张三"));
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_TEXT_EQ("张三", cellText(ds(), 2, 2));
    EXPECT_EQ(1, w->edits);
    EXPECT_EQ(3, selectionStartRow(w->表格1));   // Enter moves down

    // Typing on a cell starts with what is typed; Escape leaves the cell.
    QTest::keyClick(view(w->表格1), 'a');
    ASSERT_NE(nullptr, editor());
    QTest::keyClick(editor(), 'b');
    EXPECT_EQ(QStringLiteral("ab"), editor()->text());
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_EQ(nullptr, editor());
    EXPECT_TEXT_EQ("", cellText(ds(), 3, 2));
    EXPECT_EQ(1, w->edits);

    setBlockReadOnly(ds(), 4, 4, 1, 1, true);
    QTest::mouseDClick(view(w->表格1)->viewport(), Qt::LeftButton, {}, centre(w->表格1, 4, 4));
    EXPECT_EQ(nullptr, editor());
}

TEST_F(GridTableTest, ALongCellSurvivesItsEditorUntouched)
{
    const Text text(100000, 'x');
    setCellText(ds(), 2, 2, text);
    click(w->表格1, 2, 2);
    QTest::keyClick(view(w->表格1), Qt::Key_F2);
    ASSERT_NE(nullptr, editor());
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(cellText(ds(), 2, 2).size(), text.size());
    EXPECT_EQ(0, w->edits);
}

TEST_F(GridTableTest, SelectionsAreBlocksThatNeverCutAMerge)
{
    click(w->表格1, 3, 2);
    EXPECT_EQ((GridTable::Selection{3, 2, 1, 1}), w->表格1.selection());
    EXPECT_EQ((std::vector<int>{LeftButton}), w->ups);

    QWidget* viewport = view(w->表格1)->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, centre(w->表格1, 2, 3));
    QTest::mouseMove(viewport, centre(w->表格1, 3, 1));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, centre(w->表格1, 3, 1));
    EXPECT_EQ(2, selectionStartRow(w->表格1));
    EXPECT_EQ(1, selectionStartColumn(w->表格1));
    EXPECT_EQ(2, selectionRowCount(w->表格1));
    EXPECT_EQ(3, selectionColumnCount(w->表格1));

    mergeBlock(ds(), 1, 3, 2, 2);
    click(w->表格1, 2, 4);
    EXPECT_EQ((GridTable::Selection{1, 3, 2, 2}), w->表格1.selection());
    click(w->表格1, 4, 1, Qt::RightButton);   // the right button selects nothing
    EXPECT_EQ((GridTable::Selection{1, 3, 2, 2}), w->表格1.selection());
    EXPECT_EQ(RightButton, w->downs.back());
    EXPECT_TRUE(w->表格1.pressedOnCell());

    // Below the last row and on the ruler no cell is pressed: the selection stays.
    for (const QPoint at : {centre(w->表格1, 5, 2), QPoint(5, centre(w->表格1, 2, 2).y())}) {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        EXPECT_FALSE(w->表格1.pressedOnCell());
        EXPECT_EQ((GridTable::Selection{1, 3, 2, 2}), w->表格1.selection());
        EXPECT_EQ(LeftButton, w->ups.back());
    }

    setGridCursor(w->表格1, 4, 1);
    EXPECT_EQ((GridTable::Selection{4, 1, 1, 1}), w->表格1.selection());
}

// Shift with a click or the arrow keys moves the far end of the selection
// and keeps where it started, also from a cell the program chose.
TEST_F(GridTableTest, ShiftExtendsTheSelectionFromItsAnchor)
{
    QWidget* viewport = view(w->表格1)->viewport();
    click(w->表格1, 2, 2);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, centre(w->表格1, 4, 3));
    EXPECT_EQ((GridTable::Selection{2, 2, 3, 2}), w->表格1.selection());
    QTest::keyClick(viewport, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(viewport, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ((GridTable::Selection{2, 1, 3, 2}), w->表格1.selection());
    QTest::keyClick(viewport, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(viewport, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(viewport, Qt::Key_Up, Qt::ShiftModifier);   // stops at the first row
    EXPECT_EQ((GridTable::Selection{1, 1, 2, 2}), w->表格1.selection());
    QTest::keyClick(viewport, Qt::Key_Down);   // without Shift: one cell again
    EXPECT_EQ((GridTable::Selection{2, 1, 1, 1}), w->表格1.selection());

    setGridCursor(w->表格1, 3, 3);
    QTest::keyClick(viewport, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ((GridTable::Selection{3, 3, 1, 2}), w->表格1.selection());
    mergeBlock(ds(), 1, 1, 2, 2);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, centre(w->表格1, 2, 2));
    EXPECT_EQ((GridTable::Selection{1, 1, 3, 3}), w->表格1.selection()) << "a merge is never cut";
}

TEST_F(GridTableTest, OneCellAtATimeWithoutBlockSelection)
{
    GridDisplay display;
    display.blockSelection = false;
    w->表格1.setDisplay(display);
    QWidget* viewport = view(w->表格1)->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, centre(w->表格1, 2, 2));
    QTest::mouseMove(viewport, centre(w->表格1, 4, 4));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, centre(w->表格1, 4, 4));
    EXPECT_EQ((GridTable::Selection{2, 2, 1, 1}), w->表格1.selection());
}

TEST_F(GridTableTest, CopyAndPasteThroughTheClipboard)
{
    setCellText(ds(), 1, 1, "甲");
    setCellText(ds(), 1, 2, "乙");
    setCellText(ds(), 2, 2, "丁");
    copyBlockToClipboard(w->表格1, 1, 1, 2, 2);
    EXPECT_TEXT_EQ("甲\t乙\r\n\t丁\r\n", clipboardText());

    setCellText(ds(), 4, 4, "锁");
    setBlockReadOnly(ds(), 4, 4, 1, 1, true);
    setGridCursor(w->表格1, 4, 4);
    pasteAtCursor(w->表格1);   // grows the table by a row and a column
    EXPECT_EQ(5, tableRowCount(ds()));
    EXPECT_EQ(5, tableColumnCount(ds()));
    EXPECT_TEXT_EQ("锁", cellText(ds(), 4, 4));   // read-only cells keep their text
    EXPECT_TEXT_EQ("乙", cellText(ds(), 4, 5));
    EXPECT_TEXT_EQ("丁", cellText(ds(), 5, 5));

    GridDisplay display;
    display.pasteExtends = false;
    w->表格1.setDisplay(display);
    setGridCursor(w->表格1, 5, 5);
    pasteAtCursor(w->表格1);   // clipped at the edge
    EXPECT_EQ(5, tableRowCount(ds()));
    EXPECT_EQ(5, tableColumnCount(ds()));
    EXPECT_TEXT_EQ("甲", cellText(ds(), 5, 5));
    clearClipboard();
}

TEST_F(GridTableTest, RulerDragsChangeWidthsAndHeightsUnlessFixed)
{
    QWidget* viewport = view(w->表格1)->viewport();
    const double s = scale(w->表格1);
    const QPoint line(40 + static_cast<int>(300 * s), 10);
    QTest::mousePress(viewport, Qt::LeftButton, {}, line);
    QTest::mouseMove(viewport, line + QPoint(static_cast<int>(100 * s), 0));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, line + QPoint(static_cast<int>(100 * s), 0));
    EXPECT_NEAR(400, ds().document().columnWidth(1), 3);
    EXPECT_EQ(1, w->edits);

    GridDisplay display;
    display.fixedRowHeights = true;
    w->表格1.setDisplay(display);
    const QPoint rowLine(20, 20 + static_cast<int>(60 * s));
    QTest::mousePress(viewport, Qt::LeftButton, {}, rowLine);
    QTest::mouseMove(viewport, rowLine + QPoint(0, 30));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, rowLine + QPoint(0, 30));
    EXPECT_EQ(60, ds().document().rowHeight(1));
    EXPECT_EQ(1, w->edits);
}

TEST_F(GridTableTest, FitColumnsToWidthFillsTheGrid)
{
    setColumnWidth(ds(), 1, 1, 100);
    fitColumnsToWidth(w->表格1);
    const double width = columnSpan(ds().document(), 1, 4) * scale(w->表格1);
    EXPECT_NEAR(view(w->表格1)->viewport()->width() - 40, width, 4);
    EXPECT_LT(ds().document().columnWidth(1), ds().document().columnWidth(2));
}

TEST_F(GridTableTest, DataSourcesWorkOnTheirProvidersDocument)
{
    RecordingProvider& provider = w->数据库提供者1;
    w->数据源1.setProviderName("数据库提供者1");
    EXPECT_EQ(0, tableRowCount(ds()));   // the provider's own, empty document
    setTableSize(ds(), 2, 2);
    setCellText(ds(), 2, 1, "库");
    appendRows(ds(), 3);
    deleteColumns(ds(), 2, 5);
    EXPECT_TEXT_EQ("库", cellText(w->数据源1, 2, 1));
    EXPECT_EQ(5, provider.document().rows());
    ASSERT_EQ(4u, provider.changes.size());
    EXPECT_EQ(GridChange::Document, provider.changes[0].kind);
    const GridChange& text = provider.changes[1];
    EXPECT_EQ((std::tuple{GridChange::Cells, 2, 1, 1, 1}), std::tuple(text.kind, text.row, text.column, text.rows, text.columns));
    EXPECT_EQ((std::tuple{GridChange::RowsInserted, 3, 3}), std::tuple(provider.changes[2].kind, provider.changes[2].row, provider.changes[2].rows));
    EXPECT_EQ((std::tuple{GridChange::ColumnsDeleted, 2, 1}),
              std::tuple(provider.changes[3].kind, provider.changes[3].column, provider.changes[3].columns));

    // A second data source on the provider shares its document; its grid
    // shows what is changed through the first.
    w->数据源2.setProviderName("数据库提供者1");
    w->表格3.setDataSourceName("数据源2");
    EXPECT_TEXT_EQ("库", cellText(w->数据源2, 2, 1));
    setBlockBackground(ds(), 1, 1, 5, 1, kBlue);
    EXPECT_EQ(kBlue, colourAt(w->表格3, centre(w->表格3, 2, 1)));

    // Back to the generic provider: its document is as it was.
    w->数据源1.setProviderName("通用提供者1");
    EXPECT_EQ(4, tableRowCount(ds()));
}

} // namespace
