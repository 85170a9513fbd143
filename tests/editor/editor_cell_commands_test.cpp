// The cell menu and the tool bar's line and marking buttons.
#include "editor/editor_dialogs.h"
#include "common/internal/qt_objects.h"
#include "tests/editor/editor_fixture.h"

#include <QToolBar>

#include <functional>

namespace {

class CellCommandsTest : public EditorTest {
protected:
    void SetUp() override
    {
        open();
        chooseMenuItem(editor->新建);
    }
    // Every cell of the table that satisfies `is` lies inside the block.
    void expectOnlyBlock(int row, int column, int rows, int columns, const std::function<bool(const GridCell&)>& is)
    {
        for (int r = 1; r <= tableRowCount(doc()); ++r)
            for (int c = 1; c <= tableColumnCount(doc()); ++c) {
                const bool inside = r >= row && r < row + rows && c >= column && c < column + columns;
                EXPECT_EQ(inside, is(cellAt(doc(), r, c))) << "cell (" << r << ", " << c << ")";
            }
    }
};

TEST_F(CellCommandsTest, ASetterChangesExactlyTheSelectedBlock)
{
    select(2, 4, 3, 2);
    chooseMenuItem(editor->下右);
    expectOnlyBlock(2, 4, 3, 2, [](const GridCell& c) { return c.alignment == 9; });
    EXPECT_EQ(1, modifiedFlag);
    chooseMenuItem(editor->中左);   // the initial alignment, back on the block
    EXPECT_EQ(4, cellAt(doc(), 2, 4).alignment);
    EXPECT_EQ(4, cellAt(doc(), 4, 5).alignment);
}

TEST_F(CellCommandsTest, EachSetterPassesItsValue)
{
    struct Case {
        MenuItem TemplateEditorWindow::*item;
        std::function<int(const GridCell&)> field;
        int value;
    };
    const auto type = [](const GridCell& c) { return c.cellType; };
    const auto input = [](const GridCell& c) { return c.inputType; };
    const auto align = [](const GridCell& c) { return c.alignment; };
    const auto readOnly = [](const GridCell& c) { return int(c.readOnly); };
    const auto password = [](const GridCell& c) { return int(c.password); };
    const Case cases[] = {
        {&TemplateEditorWindow::图片文件名型, type, 2}, {&TemplateEditorWindow::图片数据型, type, 3},
        {&TemplateEditorWindow::文本型, type, 10}, {&TemplateEditorWindow::字节型, input, 1},
        {&TemplateEditorWindow::短整数型, input, 2}, {&TemplateEditorWindow::整数型, input, 3},
        {&TemplateEditorWindow::长整数型, input, 4}, {&TemplateEditorWindow::小数型, input, 5},
        {&TemplateEditorWindow::双精度小数型, input, 6}, {&TemplateEditorWindow::逻辑型, input, 7},
        {&TemplateEditorWindow::日期时间型, input, 8}, {&TemplateEditorWindow::通常型, input, 0},
        {&TemplateEditorWindow::上左, align, 1}, {&TemplateEditorWindow::上中, align, 2},
        {&TemplateEditorWindow::上右, align, 3}, {&TemplateEditorWindow::中中, align, 5},
        {&TemplateEditorWindow::中左, align, 4},
        {&TemplateEditorWindow::中右, align, 6}, {&TemplateEditorWindow::下左, align, 7},
        {&TemplateEditorWindow::下中, align, 8}, {&TemplateEditorWindow::缩放图片, align, 10},
        {&TemplateEditorWindow::居中图片, align, 11}, {&TemplateEditorWindow::缩放居中图片, align, 12},
        {&TemplateEditorWindow::平铺图片, align, 13}, {&TemplateEditorWindow::缩放平铺图片, align, 14},
        {&TemplateEditorWindow::置为只读, readOnly, 1}, {&TemplateEditorWindow::取消只读, readOnly, 0},
        {&TemplateEditorWindow::密码方式输入, password, 1}, {&TemplateEditorWindow::取消密码方式, password, 0},
    };
    select(3, 3, 2, 2);
    for (const Case& c : cases) {
        MenuItem& item = editor->*c.item;
        modifiedFlag = 0;
        chooseMenuItem(item);
        EXPECT_EQ(c.value, c.field(cellAt(doc(), 4, 4))) << gbkToUtf8(item.caption());
        EXPECT_EQ(1, modifiedFlag) << gbkToUtf8(item.caption());
    }
}

TEST_F(CellCommandsTest, LinesAreAddedAndClearedByKind)
{
    select(2, 2, 2, 2);
    pressToolButton(editor->工具条1, 18);   // 全部
    pressToolButton(editor->工具条1, 19);   // 斜线
    const GridCell inner = cellAt(doc(), 2, 2);
    EXPECT_EQ(LineLeft | LineTop | LineRight | LineBottom | GridDiagonal, inner.lines);
    chooseMenuItem(editor->清除内部表格线);
    // Only the frame is left: the top-left cell keeps its left and top sides.
    EXPECT_EQ(LineLeft | LineTop | GridDiagonal, cellAt(doc(), 2, 2).lines);
    EXPECT_EQ(0, cellAt(doc(), 2, 3).lines & LineLeft);
    chooseMenuItem(editor->清除所有表格线);
    EXPECT_EQ(GridDiagonal, cellAt(doc(), 2, 2).lines);
    pressToolButton(editor->工具条1, 24);   // 删斜
    EXPECT_EQ(0, cellAt(doc(), 2, 2).lines);
    pressToolButton(editor->工具条1, 21);   // 叉线
    EXPECT_EQ(GridCrossed, cellAt(doc(), 3, 3).lines);
}

TEST_F(CellCommandsTest, OnlyAnOkInTheLatestColourDialogAppliesAColour)
{
    select(1, 1, 1, 2);
    person.inModalWindow([](Window& w) {
        auto& dialog = dynamic_cast<ColourDialog&>(w);
        EXPECT_TEXT_EQ("请选择颜色:", dialog.caption());
        dialog.颜色选择器1.setColour(0x0000FF);
        click(dialog.确认按钮);
    });
    chooseMenuItem(editor->文本颜色);
    EXPECT_EQ(0x0000FF, cellAt(doc(), 1, 2).textColour);
    EXPECT_EQ(1, modifiedFlag);

    modifiedFlag = 0;
    person.inModalWindow([](Window& w) {
        auto& dialog = dynamic_cast<ColourDialog&>(w);
        dialog.颜色选择器1.setColour(0x00FF00);
        click(dialog.取消按钮);
    });
    chooseMenuItem(editor->背景颜色);
    EXPECT_EQ(DefaultBackground, cellAt(doc(), 1, 1).background);
    EXPECT_EQ(0, modifiedFlag);

    person.inModalWindow([](Window& w) { pressCloseBox(w); });
    chooseMenuItem(editor->背景颜色);
    EXPECT_EQ(DefaultBackground, cellAt(doc(), 1, 1).background);

    person.inModalWindow([](Window& w) {
        auto& dialog = dynamic_cast<ColourDialog&>(w);
        dialog.颜色选择器1.setColour(0xECECEC);
        click(dialog.确认按钮);
    });
    chooseMenuItem(editor->背景颜色);
    EXPECT_EQ(0xECECEC, cellAt(doc(), 1, 2).background);
}

TEST_F(CellCommandsTest, TheFontDialogGivesFaceStyleAndSizeInTenthsOfAMillimetre)
{
    struct Case {
        int points;
        bool bold, italic, underline, strikeOut;
        int size, style;
    };
    const Case cases[] = {
        {9, false, false, false, false, 31, 0},  {10, true, false, false, false, 35, 1},
        {12, false, true, false, false, 42, 2},  {72, false, false, true, true, 253, 12},
        {11, true, true, true, true, 38, 15},
    };
    select(2, 2, 1, 2);
    person.answerFont(false);
    chooseMenuItem(editor->字体);
    EXPECT_TEXT_EQ("宋体", person.calls().back().text) << "the dialog opens on the cells' face";
    for (const Case& c : cases) {
        FontChoice choice;
        choice.font = {"黑体", c.points, c.bold, c.italic, c.underline, c.strikeOut};
        choice.colour = 0x0000FF;
        modifiedFlag = 0;
        person.answerFont(true, choice);
        chooseMenuItem(editor->字体);
        const GridCell& cell = cellAt(doc(), 2, 3);
        EXPECT_EQ(c.size, cell.fontSize) << c.points;
        EXPECT_EQ(c.style, cell.fontStyle) << c.points;
        EXPECT_TEXT_EQ("黑体", cell.fontName);
        EXPECT_EQ(0, cell.textColour);   // the dialog's colour is not used
        EXPECT_EQ(1, modifiedFlag);
    }
    modifiedFlag = 0;
    person.answerFont(false);
    chooseMenuItem(editor->字体);
    EXPECT_EQ(0, modifiedFlag);
}

TEST_F(CellCommandsTest, MarginAndClear)
{
    setCellText(doc(), 2, 2, "甲");
    select(2, 2);
    person.answerInput(false).answerInput(true, "25");
    chooseMenuItem(editor->边距);
    EXPECT_EQ(0, modifiedFlag);
    chooseMenuItem(editor->边距);
    EXPECT_EQ(25, cellAt(doc(), 2, 2).margin);
    EXPECT_TEXT_EQ("请输入边距(单位0.1MM):", person.calls().back().text);
    modifiedFlag = 0;
    pressToolButton(editor->工具条1, 13);   // 清空
    EXPECT_TEXT_EQ("", cellText(doc(), 2, 2));
    EXPECT_EQ(1, modifiedFlag);
}

TEST_F(CellCommandsTest, NotToFillAndRestoreMarkTheDocument)
{
    setCellText(doc(), 3, 3, "甲");
    select(2, 2, 2, 2);
    // At the window's opening size the bar has no room for these two: they
    // are chosen from its overflow menu.
    auto* bar = static_cast<QToolBar*>(QtObjects::widget(editor->工具条1));
    ASSERT_FALSE(bar->widgetForAction(bar->actions()[27])->isVisible());
    pressToolButton(editor->工具条1, 27);   // 禁填
    expectOnlyBlock(2, 2, 2, 2, [](const GridCell& c) { return c.text == " " && c.background == 0xECECEC; });
    EXPECT_EQ(1, modifiedFlag);
    modifiedFlag = 0;
    pressToolButton(editor->工具条1, 28);   // 复原
    for (int r = 2; r <= 3; ++r)
        for (int c = 2; c <= 3; ++c) {
            EXPECT_TEXT_EQ("", cellText(doc(), r, c));
            EXPECT_EQ(DefaultBackground, cellAt(doc(), r, c).background);
        }
    EXPECT_EQ(1, modifiedFlag);
}

TEST_F(CellCommandsTest, PictureDataGoesIntoTheFirstCellOnly)
{
    ASSERT_TRUE(writeFile(path("图.bmp"), "BM picture bytes"));
    select(2, 2, 2, 2);
    person.answerFile(true, path("图.bmp"));
    chooseMenuItem(editor->写入图片数据);
    EXPECT_TEXT_EQ("请输入图片文件名：", person.lastFileRequest().title);
    EXPECT_EQ(Bytes("BM picture bytes"), cellAt(doc(), 2, 2).picture);
    EXPECT_EQ(10, cellAt(doc(), 2, 2).cellType);
    expectOnlyBlock(2, 2, 1, 1, [](const GridCell& c) { return !c.picture.empty(); });
    EXPECT_EQ(1, modifiedFlag);

    // A file that yields nothing keeps the cell's picture.
    modifiedFlag = 0;
    person.answerFile(true, path("无.bmp")).answerMessage(AnswerOk);
    chooseMenuItem(editor->写入图片数据);
    EXPECT_EQ(Bytes("BM picture bytes"), cellAt(doc(), 2, 2).picture);
    EXPECT_EQ(0, modifiedFlag);
    EXPECT_TEXT_EQ("读取图片文件失败！", person.messages().at(0).text);
    person.answerFile(false);
    chooseMenuItem(editor->写入图片数据);
}

} // namespace
