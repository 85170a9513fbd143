#include "reports/report_window.h"
#include "state/connection.h"
#include "state/globals.h"

namespace {

// The grid's text size (tenths of a millimetre) for a size in points.
int gridFontSize(int points) { return static_cast<int>(points * 10 / 2.8368); }

} // namespace

ReportWindow::ReportWindow() : Window("ReportWindow", {50, 50, 800, 589}, "")
{
    座次报表.setVisible(false);
    座次报表.setPlaceholder("请选择大会座次表");
    座次报表.selectionChanged = [this] { onSeatingChartChosen(); };
    字体对话框1.font.face = "宋体";
    导出对话框.title = "数据导出到文件";
    导出对话框.filter = "WORD文件（*.DOC）";
    created = [this] { openReportByKind(); };
    destroyed = [this] { closeReportDatabase(); };
    报表打印.clicked = [this] { previewReportPrint(); };
    导出.clicked = [this] { exportReportAsDoc(); };
    修改标题.clicked = [this] { replaceReportTitle(); };
    表格1.mouseUp = [this](int button) {
        if (button == RightButton)
            setGridSelectionFont();
    };
    wireBadgePage();
}

void ReportWindow::openReportByKind()
{
    kind_ = reportKind;
    openReportDatabase();
    if (kind_ == "代表证") {
        openBadgePage();
        return;
    }
    if (!loadReportTemplate()) {
        messageBox("找不到表格模板!", BoxOk, "错误");
        return;
    }
    runFillOfKind();
    if (kind_ == "通讯录")
        修改标题.setDisabled(true);
}

void ReportWindow::openReportDatabase()
{
    if (!openMeetingConnection(报表外部数据库))
        messageBox("无法打开报表数据库！", BoxOk, "");
}

// The badge page moves on reportRecordSet and shows its first delegate.
void ReportWindow::openBadgePage()
{
    报表选择夹.setCurrentPage(1);
    reportRecordSet = querySql(报表外部数据库, "select  *  from 代表信息   where    会议编号="
                                                   + toText(currentMeetingId) + "  order by 代表编号");
    recordMoveFirst(reportRecordSet);
    if (recordSetAtEnd(reportRecordSet))
        return;
    badgeShowFirstRecord();
    saveBadgeLayout();
}

bool ReportWindow::loadReportTemplate()
{
    return loadGridFile(报表数据源, programDirectory() + "\\" + kind_ + ".grd");
}

void ReportWindow::runFillOfKind()
{
    LongOperation busy;
    if (kind_ == "客房一览表")
        fillRoomListReport();
    else if (kind_ == "餐桌一览表")
        fillDiningTableReport();
    else if (kind_ == "代表一览表")
        fillDelegateListReport();
    else if (kind_ == "分组一览表")
        fillGroupDiscussionReport();
    else if (kind_ == "通讯录")
        fillAddressBookReport();
    else if (kind_ == "座次报表") {
        fillSeatingChartChooser();
        座次报表.setVisible(true);
    }
}

void ReportWindow::previewReportPrint()
{
    if (printPreview(表格1) == PreviewPrintFailed)
        messageBox("打印失败！", BoxOk | IconStop, "错误");
}

void ReportWindow::exportReportAsDoc()
{
    导出对话框.fileName = currentMeetingName + kind_;
    if (!openCommonDialog(导出对话框))
        return;
    // The separator before a row's first cell is dropped on the first
    // exported row only: later rows start after a CR LF, which no trimming
    // passes.
    Text text;
    for (int row = headerRowCount(报表数据源); row <= tableRowCount(报表数据源); ++row) {
        Text line;
        for (int column = headerColumnCount(报表数据源); column <= tableColumnCount(报表数据源); ++column)
            line += " " + cellText(报表数据源, row, column);
        text += text.empty() ? trimLeadingSpaces(line) : line;
        text += "\r\n";
    }
    const Text path = 导出对话框.fileName + ".doc";
    if (writeFile(path, toBytes(text)))
        messageBox("成功保存为" + shownPath(path) + "！", BoxOk | IconInformation, "成功");
    else
        messageBox("无法保存为" + shownPath(path) + "！", BoxOk | IconStop, "错误");
    closeAllFiles();
}

void ReportWindow::setGridSelectionFont()
{
    if (!openCommonDialog(字体对话框1))
        return;
    const int row = selectionStartRow(表格1), column = selectionStartColumn(表格1);
    const int rows = selectionRowCount(表格1), columns = selectionColumnCount(表格1);
    setBlockFontName(报表数据源, row, column, rows, columns, 字体对话框1.font.face);
    setBlockFontSize(报表数据源, row, column, rows, columns, gridFontSize(字体对话框1.font.points));
}

void ReportWindow::replaceReportTitle()
{
    const Text title = 编辑框1.content();
    // Without a report (the badge window, a missing template) there is no
    // title cell to write, and the text stays for the user.
    if (title.empty() || tableRowCount(报表数据源) < 1 || tableColumnCount(报表数据源) < 2)
        return;
    表格1.setVisible(false);
    setCellText(报表数据源, 1, 2, title);
    编辑框1.setContent("");
    表格1.setVisible(true);
}

void ReportWindow::closeReportDatabase()
{
    if (reportRecordSet != 0) {
        closeRecordSet(reportRecordSet);
        reportRecordSet = 0;
    }
    closeDatabase(报表外部数据库);
}
