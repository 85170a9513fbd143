// The about box and the table properties dialog (the colour dialog is
// tested with the colour commands that use it).
#include "editor/editor_dialogs.h"
#include "tests/editor/editor_fixture.h"

namespace {

using EditorDialogsTest = EditorTest;

TEST_F(EditorDialogsTest, TablePropertiesShowTheGridAndOkKeepsWhatItShows)
{
    open();
    GridDisplay custom;
    custom.lineColour = 0x808080;
    custom.background = 0xF0F0F0;
    custom.rulers = false;
    custom.fixedColumnWidths = true;
    editor->表格1.setDisplay(custom);

    person.inModalWindow([&](Window& w) {
        auto& d = dynamic_cast<TablePropertiesDialog&>(w);
        EXPECT_TEXT_EQ("表格属性", d.caption());
        EXPECT_EQ(0x808080, d.表格线颜色.colour());
        EXPECT_EQ(0xF0F0F0, d.背景颜色.colour());
        EXPECT_FALSE(d.显示标尺.checked());
        EXPECT_TRUE(d.禁止调整列宽.checked());
        EXPECT_TRUE(d.允许粘贴扩展.checked());
        click(d.确定按钮);
    });
    chooseMenuItem(editor->表格属性);
    EXPECT_EQ(custom, editor->表格1.display());

    // Every unit reaches its property; Cancel reaches none.
    person.inModalWindow([](Window& w) {
        auto& d = dynamic_cast<TablePropertiesDialog&>(w);
        d.背景颜色.setColour(0x00FFFF);
        d.允许选择块.setChecked(false);
        d.空表格线.setChecked(false);
        d.禁止调整行高.setChecked(true);
        d.允许粘贴扩展.setChecked(false);
        click(d.取消按钮);
    });
    chooseMenuItem(editor->表格属性);
    EXPECT_EQ(custom, editor->表格1.display());
    person.inModalWindow([](Window& w) {
        auto& d = dynamic_cast<TablePropertiesDialog&>(w);
        d.表格线颜色.setColour(0x0000FF);
        d.背景颜色.setColour(0x00FFFF);
        d.允许选择块.setChecked(false);
        d.显示标尺.setChecked(true);
        d.空表格线.setChecked(false);
        d.禁止调整行高.setChecked(true);
        d.禁止调整列宽.setChecked(false);
        d.允许粘贴扩展.setChecked(false);
        click(d.确定按钮);
    });
    chooseMenuItem(editor->表格属性);
    const GridDisplay expected{0x0000FF, 0x00FFFF, false, true, false, true, false, false};
    EXPECT_EQ(expected, editor->表格1.display());
    EXPECT_EQ(0, modifiedFlag);   // the grid's, not the document's

    // The next opening of the editor starts with them.
    closeWindow(*editor);
    processEvents();
    open();
    EXPECT_EQ(expected, editor->表格1.display());
}

TEST_F(EditorDialogsTest, TheAboutBoxClosesWithItsButtonAndItsCloseBox)
{
    open();
    person.inModalWindow([](Window& w) {
        auto& about = dynamic_cast<EditorAboutWindow&>(w);
        EXPECT_TEXT_EQ("关于Tabrel", about.caption());
        EXPECT_TEXT_EQ("关闭", about.按钮1.caption());
        click(about.按钮1);
    });
    chooseMenuItem(editor->关于Tabrel);
    person.inModalWindow([](Window& w) { pressCloseBox(w); });
    chooseMenuItem(editor->关于Tabrel);
    EXPECT_EQ(1u, openWindows().size());
}

} // namespace
