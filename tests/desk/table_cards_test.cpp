// Table name cards: the name list, the paper templates and the cards.
#include "tests/desk/desk_fixture.h"

#include "common/grid/grid_model.h"
#include "common/grid/grid_view.h"
#include "common/internal/qt_objects.h"

#include <QFile>
#include <QTest>

namespace {

class TableCardsTest : public DeskTest {
protected:
    MainWindow& openCards()
    {
        MainWindow& w = open();
        chooseMenuItem(w.台签);
        return w;
    }
    void add(const Text& name)
    {
        window->编辑框18.setContent(name);
        click(window->增加台签名单);
    }
};

TEST_F(TableCardsTest, TypedNamesAreSpacedAndRemovedOnlyWhenChosen)
{
    MainWindow& w = openCards();
    for (const char* name : {" 张三 ", "欧阳明", "司马相如", "   "})
        add(name);
    ASSERT_EQ(w.列表框1.itemCount(), 4);
    EXPECT_TEXT_EQ("张 　 三", w.列表框1.itemText(0));
    EXPECT_TEXT_EQ("欧 阳 明", w.列表框1.itemText(1));
    EXPECT_TEXT_EQ("司马相如", w.列表框1.itemText(2));
    EXPECT_TEXT_EQ("", w.列表框1.itemText(3));
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    w.编辑框18.setContent("");
    click(w.增加台签名单);
    click(w.删除台签名单);
    EXPECT_EQ(messageTexts(), (TextList{"请先录入增加的姓名！|警示", "请先选择待删姓名！|警示"}));
    clickListRow(w.列表框1, 1);
    click(w.删除台签名单);
    EXPECT_TEXT_EQ("司马相如", w.列表框1.itemText(1));
    doubleClickListRow(w.列表框1, 0);
    EXPECT_EQ(w.列表框1.itemCount(), 0);
}

TEST_F(TableCardsTest, CardsTakeTheirSizeFromTheNameAndTheirHeightFromThePaper)
{
    MainWindow& w = openCards();
    for (const char* name : {"张三", "欧阳明", "一二三四五", "一二三四五六", "一二三四五六七"})
        add(name);
    struct Case {
        int paper;
        int height;
    } papers[] = {{0, 2600}, {1, 1400}, {2, 1400}, {0, 2600}};
    for (const Case& p : papers) {
        chooseComboItem(w.台签纸型, p.paper);
        click(w.生成台签);
        ASSERT_EQ(tableRowCount(w.数据源1), 5);   // made anew each time
        EXPECT_TEXT_EQ("数据源1", w.表格3.dataSourceName());
        EXPECT_TEXT_EQ("", w.表格1.dataSourceName());
        EXPECT_EQ(w.数据源1.document().rowHeight(1), p.height);
        // The first card shows whole in the grid, not a corner of it.
        auto* view = dynamic_cast<GridView*>(QtObjects::widget(w.表格3));
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(view->viewport()->rect().contains(view->placeOfCell(1, 1))) << p.paper;
    }
    // The card the person moves to shows whole as well.
    auto* view = dynamic_cast<GridView*>(QtObjects::widget(w.表格3));
    clickGridCell(w.表格3, 1, 1);
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(w.表格3.selection().row, 3);
    EXPECT_TRUE(view->viewport()->rect().contains(view->placeOfCell(3, 1)));
    const int sizes[] = {430, 430, 380, 325, 430};
    for (int row = 1; row <= 5; ++row) {
        EXPECT_EQ(w.数据源1.document().cell(row, 1)->fontSize, sizes[row - 1]) << row;
        EXPECT_TEXT_EQ("黑体", cellFontName(w.数据源1, row, 1));
    }
    EXPECT_TEXT_EQ("张 　 三", cellText(w.数据源1, 1, 1));

    person.answerFont(true, FontChoice{FontSpec{"楷体", 12}});
    pressMouse(w.标签28);
    EXPECT_TEXT_EQ("字体：楷体", w.标签28.caption());
    click(w.生成台签);
    EXPECT_TEXT_EQ("楷体", cellFontName(w.数据源1, 2, 1));
}

TEST_F(TableCardsTest, MixedWidthNamesArePrintedWhole)
{
    addDelegate("甲", "a张b李", "男", "1");
    MainWindow& w = openCards();
    clickTreeItem(w.树型框1, 1);
    add("a张b");
    add("张三");
    click(w.生成台签);
    person.answerPrintPreview();
    click(w.打印预览1);
    ASSERT_EQ(person.renderedGrids().size(), 1u);
    TextList printed;
    for (const TextList& page : person.renderedGrids().front().pages)
        printed.insert(printed.end(), page.begin(), page.end());
    EXPECT_EQ(printed, (TextList{"a张b李", "a张b", "张 　 三"}));
    EXPECT_TRUE(person.messages().empty());

    person.answerPrintPreview(PreviewPrintFailed).answerMessage(AnswerOk);
    click(w.打印预览1);
    EXPECT_EQ(messageTexts(), TextList{"打印失败！|错误"});
}

TEST_F(TableCardsTest, AMissingPaperTemplateChangesNothing)
{
    MainWindow& w = openCards();
    add("张三");
    QFile::remove(directory.file(QStringLiteral("A4（左边进纸）.grd")));
    chooseComboItem(w.台签纸型, 1);
    person.answerMessage(AnswerOk);
    click(w.生成台签);
    EXPECT_EQ(messageTexts(), TextList{"找不到台签表格模板!|错误"});
    EXPECT_TEXT_EQ("", w.表格3.dataSourceName());
}

} // namespace
