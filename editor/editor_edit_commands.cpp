// The edit menu: clipboard, merges, header counts, rows and columns, added
// data, zoom and the conversion of every cell.
#include "state/globals.h"
#include "common/program/library.h"
#include "editor/editor_dialogs.h"
#include "editor/template_editor_window.h"

TemplateEditorWindow::Block TemplateEditorWindow::selectedBlock() const
{
    return {selectionStartRow(表格1), selectionStartColumn(表格1), selectionRowCount(表格1),
            selectionColumnCount(表格1)};
}

void TemplateEditorWindow::wireFileAndEditMenus()
{
    新建.clicked = [this] { onNewClick(); };
    打开.clicked = [this] { onOpenClick(); };
    保存.clicked = [this] { onSaveClick(); };
    另存为.clicked = [this] { onSaveAsClick(); };
    打印设置.clicked = [this] { onPrintSetupClick(); };
    打印.clicked = [this] { onPrintClick(); };
    打印预览.clicked = [this] { onPrintPreviewClick(); };
    退出.clicked = [this] { onExitClick(); };
    剪切.clicked = [this] { onCutClick(); };
    复制.clicked = [this] { onCopyClick(); };
    粘贴.clicked = [this] { onPasteClick(); };
    组合.clicked = [this] { onMergeClick(); };
    分解.clicked = [this] { onSplitClick(); };
    置表头行数.clicked = [this] { onHeaderRowsClick(); };
    置表头列数.clicked = [this] { onHeaderColumnsClick(); };
    插入行.clicked = [this] { onInsertRowClick(); };
    插入列.clicked = [this] { onInsertColumnClick(); };
    删除行.clicked = [this] { onDeleteRowsClick(); };
    删除列.clicked = [this] { onDeleteColumnsClick(); };
    置行高.clicked = [this] { onRowHeightClick(); };
    置列宽.clicked = [this] { onColumnWidthClick(); };
    添加数据.clicked = [this] { onAddDataClick(); };
    表格属性.clicked = [this] { onTablePropertiesClick(); };
    简体到繁体.clicked = [this] { convertAllCells(1); };
    繁体到简体.clicked = [this] { convertAllCells(5); };
    比例50.clicked = [this] { onZoomClick(50); };
    比例100.clicked = [this] { onZoomClick(100); };
    比例200.clicked = [this] { onZoomClick(200); };
    等宽.clicked = [this] { onFitWidthClick(); };
    关于Tabrel.clicked = [this] { onAboutClick(); };
}

void TemplateEditorWindow::onCutClick()
{
    markModified();
    const Block b = selectedBlock();
    copyBlockToClipboard(表格1, b.row, b.column, b.rows, b.columns);
    clearBlockText(数据源1, b.row, b.column, b.rows, b.columns);
}

void TemplateEditorWindow::onCopyClick()
{
    const Block b = selectedBlock();
    copyBlockToClipboard(表格1, b.row, b.column, b.rows, b.columns);
}

void TemplateEditorWindow::onPasteClick()
{
    markModified();
    pasteAtCursor(表格1);
}

void TemplateEditorWindow::onMergeClick()
{
    markModified();
    const Block b = selectedBlock();
    mergeBlock(数据源1, b.row, b.column, b.rows, b.columns);
}

void TemplateEditorWindow::onSplitClick()
{
    markModified();
    splitMergedCell(数据源1, selectionStartRow(表格1), selectionStartColumn(表格1));
}

namespace {

using LineSizeSetter = void (*)(DataSource&, int first, int count, int size);

// Applies a confirmed size above 0 to lines first..first+count-1; true then.
bool askLineSize(DataSource& source, const Text& prompt, const Text& title, int initial, LineSizeSetter set,
                 int first, int count)
{
    int size = initial;
    if (!inputBox(prompt, title, size) || size <= 0)
        return false;
    set(source, first, count, size);
    return true;
}

} // namespace

void TemplateEditorWindow::onHeaderRowsClick()
{
    int count = 0;
    if (inputBox("请输入表头行数:", "表头行数设置", count)) {
        markModified();
        setHeaderRowCount(数据源1, count);
    }
}

void TemplateEditorWindow::onHeaderColumnsClick()
{
    int count = 0;
    if (inputBox("请输入表头列数:", "表头列数设置", count)) {
        markModified();
        setHeaderColumnCount(数据源1, count);
    }
}

void TemplateEditorWindow::onInsertRowClick()
{
    markModified();
    if (!databaseMode()) {
        insertRows(数据源1, selectionStartRow(表格1));
        return;
    }
    insertRows(数据源1, tableRowCount(数据源1) + 1);
    setGridCursor(表格1, tableRowCount(数据源1), 1);
}

void TemplateEditorWindow::onInsertColumnClick()
{
    markModified();
    insertColumns(数据源1, selectionStartColumn(表格1));
}

void TemplateEditorWindow::onDeleteRowsClick()
{
    markModified();
    deleteRows(数据源1, selectionStartRow(表格1), selectionRowCount(表格1));
}

void TemplateEditorWindow::onDeleteColumnsClick()
{
    markModified();
    deleteColumns(数据源1, selectionStartColumn(表格1), selectionColumnCount(表格1));
}

void TemplateEditorWindow::onRowHeightClick()
{
    if (askLineSize(数据源1, "请输入新行高（单位0.1毫米）", "新行高", 60, setRowHeight, selectionStartRow(表格1),
                    selectionRowCount(表格1)))
        markModified();
}

void TemplateEditorWindow::onColumnWidthClick()
{
    if (askLineSize(数据源1, "请输入新列宽（单位0.1毫米）", "新列宽", 300, setColumnWidth,
                    selectionStartColumn(表格1), selectionColumnCount(表格1)))
        markModified();
}

void TemplateEditorWindow::onAddDataClick()
{
    if (!chooseFile("请输入欲添加进来的表格文件名：", false))
        return;
    if (!loadGridFile(数据源2, 通用对话框1.fileName)) {
        messageBox("打开欲添加文件失败！", BoxOk | IconStop, "错误");
        return;
    }
    appendTableFrom(数据源1, 数据源2);
    markModified();
    setTableSize(数据源2, 1, 1);
}

void TemplateEditorWindow::onTablePropertiesClick() { loadWindow<TablePropertiesDialog>(nullptr, true, 表格1); }

void TemplateEditorWindow::onZoomClick(int percent) { 表格1.setZoom(percent); }

void TemplateEditorWindow::onFitWidthClick() { fitColumnsToWidth(表格1); }

void TemplateEditorWindow::onAboutClick() { loadWindow<EditorAboutWindow>(nullptr, true); }

void TemplateEditorWindow::convertAllCells(int mode)
{
    if (!conversionLibraryLoaded()) {
        messageBox("找不到汉字编码转换支持库，无法转换！", BoxOk | IconStop, "错误");
        return;
    }
    markModified();
    const int rows = tableRowCount(数据源1), columns = tableColumnCount(数据源1);
    for (int row = 1; row <= rows; ++row)
        for (int column = 1; column <= columns; ++column) {
            const Text text = cellText(数据源1, row, column);
            const Text converted = convertTextCode(text, mode);
            // A conversion keeps the length: any other result (the "" of a
            // failed call, a text cut at a NUL byte) leaves the cell as it is.
            if (converted.size() != text.size() || converted == text)
                continue;
            setCellText(数据源1, row, column, converted);
        }
    refreshTable(数据源1);
}
