#include "editor/editor_dialogs.h"
#include "state/globals.h"

EditorAboutWindow::EditorAboutWindow() : Window("EditorAboutWindow", {0, 0, 300, 162}, "关于Tabrel")
{
    图片框1.setPicture(loadPicture("editor_about.jpg"));
    透明标签1.setLabelFont({.face = "黑体"});
    按钮1.clicked = [this] { onCloseButtonClick(); };
}

void EditorAboutWindow::onCloseButtonClick() { closeWindow(*this); }

TablePropertiesDialog::TablePropertiesDialog(GridTable& grid)
    : Window("TablePropertiesDialog", {50, 50, 364, 250}, "表格属性"), grid_(grid)
{
    // The dialog opens on the grid's values, so that OK without a change
    // changes nothing.
    const GridDisplay& d = grid.display();
    表格线颜色.setColour(d.lineColour);
    背景颜色.setColour(d.background);
    允许选择块.setChecked(d.blockSelection);
    显示标尺.setChecked(d.rulers);
    空表格线.setChecked(d.dottedEmptyLines);
    禁止调整行高.setChecked(d.fixedRowHeights);
    禁止调整列宽.setChecked(d.fixedColumnWidths);
    允许粘贴扩展.setChecked(d.pasteExtends);
    确定按钮.clicked = [this] { onOkClick(); };
    取消按钮.clicked = [this] { onCancelClick(); };
}

void TablePropertiesDialog::onOkClick()
{
    GridDisplay d;
    d.lineColour = 表格线颜色.colour();
    d.background = 背景颜色.colour();
    d.blockSelection = 允许选择块.checked();
    d.rulers = 显示标尺.checked();
    d.dottedEmptyLines = 空表格线.checked();
    d.fixedRowHeights = 禁止调整行高.checked();
    d.fixedColumnWidths = 禁止调整列宽.checked();
    d.pasteExtends = 允许粘贴扩展.checked();
    grid_.setDisplay(d);
    closeWindow(*this);
}

void TablePropertiesDialog::onCancelClick() { closeWindow(*this); }

ColourDialog::ColourDialog() : Window("ColourDialog", {0, 0, 295, 149}, "请选择颜色:")
{
    确认按钮.clicked = [this] { onOkClick(); };
    取消按钮.clicked = [this] { onCancelClick(); };
}

void ColourDialog::onOkClick()
{
    colourChosenFlag = 1;
    chosenColour = 颜色选择器1.colour();
    closeWindow(*this);
}

void ColourDialog::onCancelClick() { closeWindow(*this); }
