// The list reports: the meeting's rooms with their occupants, its banquet
// tables with their diners, and its delegates, one line per record.
#include "reports/report_values.h"
#include "reports/report_window.h"

namespace {

using report::fieldNumber;
using report::fieldText;
using report::meeting;

// The format of the appended lines: centred and framed.
const DefaultCellFormat kListLines{.alignment = 5, .allLines = true};

// The records of `rs`; it is at its first record afterwards.
int recordCount(int rs)
{
    int count = 0;
    for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs))
        ++count;
    recordMoveFirst(rs);
    return count;
}

} // namespace

void ReportWindow::fillListReport(const DefaultCellFormat& format, const Text& title, const Text& sql,
                                  const Text& failure,
                                  const std::function<void(int recordSet, int row)>& writeLine)
{
    setDefaultCellFormat(报表数据源, format);
    表格1.setDataSourceName("");
    setCellText(报表数据源, 1, 2, currentMeetingName + title);
    const int rs = querySql(报表外部数据库, sql);
    recordMoveFirst(rs);
    if (recordSetAtEnd(rs))
        messageBox(failure, BoxOk, "");
    // Row 3 is the template's; the rows for the other records are appended
    // at once, so that a long list takes its memory in one piece.
    if (const int records = recordCount(rs); records > 1)
        appendRows(报表数据源, records - 1);
    for (int row = 3; !recordSetAtEnd(rs); recordMoveNext(rs), ++row) {
        setCellText(报表数据源, row, 1, toText(row - 2));
        writeLine(rs, row);
    }
    closeRecordSet(rs);
    // Attached again on failure too, so that the grid shows the document
    // that preview and export work on.
    表格1.setDataSourceName("报表数据源");
}

Text ReportWindow::joinedNames(const Text& sql, const Text& separator, const Text& failure)
{
    const int rs = querySql(报表外部数据库, sql);
    if (rs == 0) {
        messageBox(failure, BoxOk, "");
        return "";
    }
    Text names;
    bool first = true;
    for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs), first = false)
        names += (first ? "" : separator) + fieldText(rs, "姓名");
    closeRecordSet(rs);
    return names;
}

void ReportWindow::fillRoomListReport()
{
    const Text sql = "select  *  from  房间信息   where    会议编号=" + meeting()
                     + "  order by 房间人数,宾馆名称,房间编号";
    fillListReport(kListLines, "客房一览表", sql, "客房查询失败！", [this](int rs, int row) {
        const Text hotel = fieldText(rs, "宾馆名称"), room = fieldText(rs, "房间编号");
        setCellText(报表数据源, row, 2, hotel);
        setCellText(报表数据源, row, 3, room);
        setCellText(报表数据源, row, 4, fieldText(rs, "房间类别"));
        setCellText(报表数据源, row, 5, fieldNumber(rs, "房间人数"));
        setCellText(报表数据源, row, 6,
                    joinedNames("select 姓名 from 代表信息  where  宾馆名称='" + sqlText(hotel)
                                    + "'  and  房间编号='" + sqlText(room) + "'  and  会议编号=" + meeting()
                                    + "  order  by 代表编号 ",
                                "·", "没有住人！"));
        setCellText(报表数据源, row, 7, fieldText(rs, "性别"));
    });
}

void ReportWindow::fillDiningTableReport()
{
    const Text sql = "select  *  from  餐桌信息   where    会议编号=" + meeting() + "  order by 餐厅名称,餐桌id ";
    fillListReport(kListLines, "宴会餐桌一览表", sql, "查询失败！", [this](int rs, int row) {
        const Text restaurant = fieldText(rs, "餐厅名称"), table = fieldText(rs, "餐桌编号");
        setCellText(报表数据源, row, 2, restaurant);
        setCellText(报表数据源, row, 3, table);
        setCellText(报表数据源, row, 4, fieldNumber(rs, "可坐人数"));
        setCellText(报表数据源, row, 5,
                    joinedNames("select 姓名 from 代表信息  where  餐厅名称='" + sqlText(restaurant)
                                    + "'  and  餐桌编号='" + sqlText(table) + "' and  会议编号=" + meeting()
                                    + "  order  by 代表编号 ",
                                ".", "没有安排就餐！"));
    });
}

void ReportWindow::fillDelegateListReport()
{
    const Text sql = "select  *  from 代表信息   where    会议编号=" + meeting() + "  order by 代表编号";
    DefaultCellFormat format = kListLines;
    format.fontSize = 38;
    fillListReport(format, "与会人员一览表", sql, "查询失败！", [this](int rs, int row) {
        const char* columns[] = {"代表编号", "单位", "姓名", "性别", "职务", "宾馆名称"};
        int column = 2;
        for (const char* name : columns)
            setCellText(报表数据源, row, column++, fieldText(rs, name));
        const Text room = fieldText(rs, "房间编号");
        setCellText(报表数据源, row, 8, room == "0" ? "" : room);
        setCellText(报表数据源, row, 9, fieldText(rs, "手机号码"));
    });
}
