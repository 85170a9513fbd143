// The seating report: for one seating chart of the meeting, every seated
// delegate with their seat, grouped by runs of one organisation in
// 代表编号 order, the groups shaded alternately.
#include "reports/report_values.h"
#include "reports/report_window.h"

namespace {

using report::fieldText;
using report::meeting;

const DefaultCellFormat kSeatRows{.alignment = 5, .allLines = true};
constexpr int kSeatColumns = 5;
constexpr int kCharts = 5;
const int kShade = rgbColour(236, 236, 236);

// A chart slot's name or a seat label: "0" (and a blank text, which no
// chart and no seat has) means none.
bool isUsed(const Text& value) { return value != "0" && !trimSpaces(value).empty(); }

} // namespace

void ReportWindow::fillSeatingChartChooser()
{
    座次报表.clearItems();
    const int rs = querySql(报表外部数据库, "select * from 会议信息 where 会议编号=" + meeting());
    recordMoveFirst(rs);
    for (int chart = 1; chart <= kCharts && !recordSetAtEnd(rs); ++chart) {
        const Text name = fieldText(rs, "表" + toText(chart));
        if (isUsed(name))
            座次报表.addItem(name, chart);
    }
    closeRecordSet(rs);
}

void ReportWindow::onSeatingChartChosen()
{
    // Every choice starts from the empty template; without it the grid must
    // not go on showing the report of the chart chosen before.
    if (!loadReportTemplate()) {
        setTableSize(报表数据源, 0, 0);
        messageBox("找不到表格模板!", BoxOk, "错误");
        return;
    }
    fillSeatingChartReport(座次报表.currentValue(), 座次报表.currentText());
}

void ReportWindow::fillSeatingChartReport(int chart, const Text& chartName)
{
    if (chart < 1 || chart > kCharts)
        return;
    DataSource& ds = 报表数据源;
    setDefaultCellFormat(ds, kSeatRows);
    表格1.setDataSourceName("");
    setCellText(ds, 1, 2, currentMeetingName);
    setCellText(ds, 2, 2, "《" + chartName + "》");
    const int rs = querySql(报表外部数据库, "select  *  from  代表信息   where    会议编号=" + meeting()
                                                + " order by 代表编号");
    if (rs == 0) {
        messageBox("会议座次报表查询失败！", BoxOk, "");
        表格1.setDataSourceName("报表数据源");
        return;
    }
    const Text seatColumn = "表" + toText(chart);
    int row = 3, column = 1;
    bool grouped = false, shaded = false;
    Text organisation;
    // The shading of a cell reaches to the row's end (the runtime clips it
    // to the table), so a shaded group's rows are grey across.
    auto write = [&](const Text& text) {
        setCellText(ds, row, column, text);
        addBlockLines(ds, row, column, 1, 1, GridAllLines);
        if (shaded)
            setBlockBackground(ds, row, column, 1, kSeatColumns, kShade);
    };
    auto nextRow = [&] {
        appendRows(ds);
        ++row;
        column = 1;
    };
    for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs)) {
        const Text seat = fieldText(rs, seatColumn);
        if (!isUsed(seat))
            continue;
        const Text unit = fieldText(rs, "单位");
        if (!grouped || unit != organisation) {
            grouped = true;
            shaded = !shaded;
            if (column != 1)
                nextRow();
            organisation = unit;
            write("〖" + unit + "〗");
            column = 2;
        }
        write(fieldText(rs, "姓名") + seat);
        if (++column > kSeatColumns)
            nextRow();
    }
    closeRecordSet(rs);
    表格1.setDataSourceName("报表数据源");
}
