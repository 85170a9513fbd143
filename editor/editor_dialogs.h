#pragma once
// The editor's three modal dialogs: its about box, the table properties of
// its grid and the colour chooser of its colour commands.
#include "common/runtime.h"

class EditorAboutWindow : public Window {
public:
    EditorAboutWindow();

    PictureBox 图片框1{*this, "图片框1", {0, 0, 292, 76}};
    TransparentLabel 透明标签1{*this, "透明标签1", {8, 80, 276, 20}, "本编辑器源自网格表格工具 Tabrel"};
    Button 按钮1{*this, "按钮1", {106, 106, 80, 24}, "关闭"};

    void onCloseButtonClick();
};

// Shows the display properties of the editor's grid and sets them on OK.
class TablePropertiesDialog : public Window {
public:
    explicit TablePropertiesDialog(GridTable& grid);

    Label 标签1{*this, "标签1", {24, 20, 90, 20}, "表格线颜色:"};
    ColourPicker 表格线颜色{*this, "表格线颜色", {122, 19, 60, 20}};
    Label 标签2{*this, "标签2", {24, 57, 90, 20}, "背景颜色:"};
    ColourPicker 背景颜色{*this, "背景颜色", {122, 56, 60, 20}};
    CheckBox 允许选择块{*this, "允许选择块", {32, 96, 170, 20}, "允许选择块"};
    CheckBox 显示标尺{*this, "显示标尺", {32, 120, 170, 20}, "显示标尺"};
    CheckBox 空表格线{*this, "空表格线", {32, 144, 170, 20}, "用虚线显示空表格线"};
    CheckBox 允许粘贴扩展{*this, "允许粘贴扩展", {32, 168, 130, 20}, "允许粘贴扩展"};
    CheckBox 禁止调整行高{*this, "禁止调整行高", {216, 96, 130, 20}, "禁止调整行高"};
    CheckBox 禁止调整列宽{*this, "禁止调整列宽", {216, 120, 130, 20}, "禁止调整列宽"};
    Button 确定按钮{*this, "确定按钮", {176, 169, 80, 24}, "&O.确定"};
    Button 取消按钮{*this, "取消按钮", {264, 168, 80, 24}, "&C.取消"};

    void onOkClick();
    void onCancelClick();

private:
    GridTable& grid_;
};

// Leaves its choice in colourChosenFlag and chosenColour on OK only.
class ColourDialog : public Window {
public:
    ColourDialog();

    Label 标签1{*this, "标签1", {16, 33, 140, 20}, "标签"};
    ColourPicker 颜色选择器1{*this, "颜色选择器1", {168, 32, 80, 24}};
    Button 确认按钮{*this, "确认按钮", {112, 80, 80, 24}, "确定(&O)"};
    Button 取消按钮{*this, "取消按钮", {200, 80, 80, 24}, "取消(&C)"};

    void onOkClick();
    void onCancelClick();
};
