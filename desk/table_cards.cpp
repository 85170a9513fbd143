// Page 5: table name cards from a name list, on a paper template.
#include "desk/main_window.h"
#include "desk/name_spacing.h"

void MainWindow::wireCardPage()
{
    字体对话框.font.face = "黑体";
    增加台签名单.clicked = [this] { onAddCardNameClick(); };
    删除台签名单.clicked = [this] { onRemoveCardNameClick(); };
    列表框1.doubleClicked = [this] { onCardNameListDoubleClick(); };
    标签28.mouseDown = [this](int button) { onFontLabelMouseDown(button); };
    生成台签.clicked = [this] { onGenerateCardsClick(); };
    打印预览1.clicked = [this] { onCardPreviewClick(); };
}

void MainWindow::onAddCardNameClick()
{
    if (编辑框18.content().empty()) {
        messageBox("请先录入增加的姓名！", BoxOk | IconInformation, "警示");
        return;
    }
    列表框1.addItem(tableCardName(编辑框18.content()));
    编辑框18.setContent("");
}

void MainWindow::onRemoveCardNameClick()
{
    if (列表框1.currentIndex() < 0) {
        messageBox("请先选择待删姓名！", BoxOk | IconInformation, "警示");
        return;
    }
    列表框1.removeItem(列表框1.currentIndex());
    列表框1.setCurrentIndex(-1);
}

void MainWindow::onCardNameListDoubleClick() { 列表框1.clearItems(); }

void MainWindow::onFontLabelMouseDown(int button)
{
    if (button != LeftButton)
        return;
    openCommonDialog(字体对话框);
    标签28.setCaption("字体：" + 字体对话框.font.face);
}

void MainWindow::onGenerateCardsClick()
{
    Text paper = 台签纸型.currentText();
    if (paper.empty())
        paper = "A3（中间进纸）";
    // The paper templates are delivered in the program directory, which is
    // not always the current directory.
    if (!loadGridFile(数据源1, programDirectory() + "\\" + paper + ".grd")) {
        messageBox("找不到台签表格模板!", BoxOk, "错误");
        return;
    }
    openChartId_ = 0;   // the seating chart's document is gone
    表格3.setDataSourceName("数据源1");
    表格1.setDataSourceName("");
    const Text face = 字体对话框.font.face.empty() ? "黑体" : 字体对话框.font.face;
    const int cards = 列表框1.itemCount();
    for (int i = 1; i <= cards; ++i) {
        const int length = textLength(trimSpaces(列表框1.itemText(i - 1)));
        const int size = length == 10 ? 380 : length == 12 ? 325 : 430;
        setDefaultCellFormat(数据源1, {.fontName = face, .fontSize = size, .fontStyle = 1, .alignment = 5,
                                      .allLines = false});
        appendRows(数据源1);
        setRowHeight(数据源1, i, 1, paper == "A3（中间进纸）" ? 2600 : 1400);
        setCellText(数据源1, i, 1, 列表框1.itemText(i - 1));
    }
    // A card is far larger than the grid: show the first one whole.
    zoomToShowCell(表格3, 1, 1);
}

void MainWindow::onCardPreviewClick()
{
    if (printPreview(表格3) == PreviewPrintFailed)
        messageBox("打印失败！", BoxOk | IconStop, "错误");
}
