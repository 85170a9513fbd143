// The cell menu and the tool bar: block setters, colours, font, margin,
// clearing, picture data and the marking of blocks not to be filled.
#include "state/globals.h"
#include "editor/editor_dialogs.h"
#include "editor/template_editor_window.h"

namespace {

using BlockSetter = void (*)(DataSource&, int, int, int, int, int);
using BlockSwitch = void (*)(DataSource&, int, int, int, int, bool);

// The background of a block marked not to be filled.
constexpr int kNotToFillBackground = 0xECECEC;

// One tool-bar item; an empty caption is a separator.
struct ToolbarItem {
    const char* caption;
    MenuItem TemplateEditorWindow::*item;
};

const ToolbarItem kToolbar[] = {
    {"新建", &TemplateEditorWindow::新建},
    {"打开", &TemplateEditorWindow::打开},
    {"保存", &TemplateEditorWindow::保存},
    {"", nullptr},
    {"剪切", &TemplateEditorWindow::剪切},
    {"复制", &TemplateEditorWindow::复制},
    {"粘贴", &TemplateEditorWindow::粘贴},
    {"", nullptr},
    {"预览", &TemplateEditorWindow::打印预览},
    {"打印", &TemplateEditorWindow::打印},
    {"", nullptr},
    {"合并", &TemplateEditorWindow::组合},
    {"分解", &TemplateEditorWindow::分解},
    {"清空", &TemplateEditorWindow::清空},
    {"", nullptr},
    {"表框", &TemplateEditorWindow::添加边框},
    {"横线", &TemplateEditorWindow::添加水平表格线},
    {"竖线", &TemplateEditorWindow::添加垂直表格线},
    {"全部", &TemplateEditorWindow::添加全部表格线},
    {"斜线", &TemplateEditorWindow::添加单斜线},
    {"双斜", &TemplateEditorWindow::添加双斜线},
    {"叉线", &TemplateEditorWindow::添加交叉线},
    {"", nullptr},
    {"删内", &TemplateEditorWindow::清除内部表格线},
    {"删斜", &TemplateEditorWindow::清除斜线或交叉线},
    {"全删", &TemplateEditorWindow::清除所有表格线},
    {"", nullptr},
    {"禁填", nullptr},
    {"复原", nullptr},
    {"", nullptr},
};

constexpr int kNotToFillButton = 27, kRestoreButton = 28;

} // namespace

void TemplateEditorWindow::buildToolBar()
{
    for (int number = 0; const ToolbarItem& t : kToolbar) {
        if (*t.caption)
            工具条1.addButton(loadPicture("editor_tool" + toText(number) + ".png"), t.caption);
        else
            工具条1.addSeparator();
        ++number;
    }
    工具条1.buttonClicked = [this](int number) { onToolbarButtonClick(number); };
}

void TemplateEditorWindow::onToolbarButtonClick(int number)
{
    if (number == kNotToFillButton)
        onNotToFillClick();
    else if (number == kRestoreButton)
        onRestoreClick();
    else if (number >= 0 && number < static_cast<int>(std::size(kToolbar)) && kToolbar[number].item)
        (this->*kToolbar[number].item).clicked();
}

void TemplateEditorWindow::wireCellMenu()
{
    struct Setter {
        MenuItem& item;
        BlockSetter set;
        int value;
    };
    const Setter setters[] = {
        {文本型, setBlockCellType, 10}, {图片文件名型, setBlockCellType, 2}, {图片数据型, setBlockCellType, 3},
        {通常型, setBlockInputType, 0}, {字节型, setBlockInputType, 1}, {短整数型, setBlockInputType, 2},
        {整数型, setBlockInputType, 3}, {长整数型, setBlockInputType, 4}, {小数型, setBlockInputType, 5},
        {双精度小数型, setBlockInputType, 6}, {逻辑型, setBlockInputType, 7}, {日期时间型, setBlockInputType, 8},
        {上左, setBlockAlignment, 1}, {上中, setBlockAlignment, 2}, {上右, setBlockAlignment, 3},
        {中左, setBlockAlignment, 4}, {中中, setBlockAlignment, 5}, {中右, setBlockAlignment, 6},
        {下左, setBlockAlignment, 7}, {下中, setBlockAlignment, 8}, {下右, setBlockAlignment, 9},
        {缩放图片, setBlockAlignment, 10}, {居中图片, setBlockAlignment, 11},
        {缩放居中图片, setBlockAlignment, 12}, {平铺图片, setBlockAlignment, 13},
        {缩放平铺图片, setBlockAlignment, 14},
        {添加边框, addBlockLines, GridFrame}, {添加全部表格线, addBlockLines, GridAllLines},
        {添加水平表格线, addBlockLines, GridInnerHorizontal}, {添加垂直表格线, addBlockLines, GridInnerVertical},
        {添加单斜线, addBlockLines, GridDiagonal}, {添加双斜线, addBlockLines, GridDoubleDiagonal},
        {添加交叉线, addBlockLines, GridCrossed},
        {清除内部表格线, clearBlockLines, GridInnerHorizontal | GridInnerVertical},
        {清除斜线或交叉线, clearBlockLines, GridDiagonals}, {清除所有表格线, clearBlockLines, GridAllLines},
    };
    for (const Setter& s : setters)
        s.item.clicked = [this, set = s.set, value = s.value] {
            markModified();
            const Block b = selectedBlock();
            set(数据源1, b.row, b.column, b.rows, b.columns, value);
        };
    struct Switch {
        MenuItem& item;
        BlockSwitch set;
        bool value;
    };
    const Switch switches[] = {
        {置为只读, setBlockReadOnly, true}, {取消只读, setBlockReadOnly, false},
        {密码方式输入, setBlockPasswordInput, true}, {取消密码方式, setBlockPasswordInput, false},
    };
    for (const Switch& s : switches)
        s.item.clicked = [this, set = s.set, value = s.value] {
            markModified();
            const Block b = selectedBlock();
            set(数据源1, b.row, b.column, b.rows, b.columns, value);
        };
    文本颜色.clicked = [this] { onTextColourClick(); };
    背景颜色.clicked = [this] { onBackgroundColourClick(); };
    字体.clicked = [this] { onFontClick(); };
    边距.clicked = [this] { onMarginClick(); };
    清空.clicked = [this] { onClearClick(); };
    写入图片数据.clicked = [this] { onPictureDataClick(); };
}

bool TemplateEditorWindow::chooseColour()
{
    colourChosenFlag = 0;
    loadWindow<ColourDialog>(nullptr, true);
    return colourChosenFlag == 1;
}

void TemplateEditorWindow::applyChosenColour(void (*set)(DataSource&, int, int, int, int, int))
{
    if (!chooseColour())
        return;
    markModified();
    const Block b = selectedBlock();
    set(数据源1, b.row, b.column, b.rows, b.columns, chosenColour);
}

void TemplateEditorWindow::onTextColourClick() { applyChosenColour(setBlockTextColour); }

void TemplateEditorWindow::onBackgroundColourClick()
{
    applyChosenColour([](DataSource& s, int row, int column, int rows, int columns, int colour) {
        setBlockBackground(s, row, column, rows, columns, colour);
    });
}

void TemplateEditorWindow::onFontClick()
{
    if (!openCommonDialog(字体对话框))
        return;
    const FontSpec& f = 字体对话框.font;
    const int style = (f.bold ? 1 : 0) + (f.italic ? 2 : 0) + (f.underline ? 8 : 0) + (f.strikeOut ? 4 : 0);
    const Block b = selectedBlock();
    setBlockFontStyle(数据源1, b.row, b.column, b.rows, b.columns, style);
    setBlockFontName(数据源1, b.row, b.column, b.rows, b.columns, f.face);
    const int size = static_cast<int>(f.points * 10 / 2.8368);
    setBlockFontSize(数据源1, b.row, b.column, b.rows, b.columns, size);
    markModified();
}

void TemplateEditorWindow::onMarginClick()
{
    int margin = 9;
    if (!inputBox("请输入边距(单位0.1MM):", "单元格边距设置", margin))
        return;
    markModified();
    const Block b = selectedBlock();
    setBlockMargin(数据源1, b.row, b.column, b.rows, b.columns, margin);
}

void TemplateEditorWindow::onClearClick()
{
    markModified();
    const Block b = selectedBlock();
    clearBlockText(数据源1, b.row, b.column, b.rows, b.columns);
}

void TemplateEditorWindow::onPictureDataClick()
{
    if (!openCommonDialog(图片文件对话框))
        return;
    const Bytes picture = readFile(图片文件对话框.fileName);
    // An unreadable file must not wipe the picture the cell has.
    if (picture.empty()) {
        messageBox("读取图片文件失败！", BoxOk | IconStop, "错误");
        return;
    }
    markModified();
    setCellPictureData(数据源1, selectionStartRow(表格1), selectionStartColumn(表格1), picture);
}

void TemplateEditorWindow::fillBlockText(const Text& text)
{
    const Block b = selectedBlock();
    for (int i = 1; i <= b.rows; ++i)
        for (int j = 1; j <= b.columns; ++j)
            setCellText(数据源1, b.row + i - 1, b.column + j - 1, text);
}

// Both change the document like every other command, so both mark it.
void TemplateEditorWindow::onNotToFillClick()
{
    markModified();
    fillBlockText(" ");
    const Block b = selectedBlock();
    setBlockBackground(数据源1, b.row, b.column, b.rows, b.columns, kNotToFillBackground);
}

void TemplateEditorWindow::onRestoreClick()
{
    markModified();
    fillBlockText("");
    const Block b = selectedBlock();
    setBlockBackground(数据源1, b.row, b.column, b.rows, b.columns);
}
