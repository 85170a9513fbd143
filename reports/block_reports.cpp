// The group discussion report and the address book: reports laid out in
// blocks (a framed heading per group with its members ten to a row; booklet
// pages of fourteen delegates, two pages a sheet) rather than one line per
// record.
#include "reports/report_values.h"
#include "reports/report_window.h"

#include <utility>

namespace {

using report::fieldNumber;
using report::fieldText;
using report::meeting;

// Appended rows of the group report: centred, without lines of their own.
const DefaultCellFormat kGroupRows{.alignment = 5, .allLines = false};
constexpr int kGroupColumns = 10;
constexpr int kSheetRows = 17;
constexpr int kPageRows = 15;      // the heading row and the entry rows
constexpr int kPageEntries = 14;

void setCells(DataSource& ds, int row, std::initializer_list<std::pair<int, Text>> cells)
{
    for (const auto& [column, text] : cells)
        setCellText(ds, row, column, text);
}

} // namespace

void ReportWindow::fillGroupDiscussionReport()
{
    setDefaultCellFormat(报表数据源, kGroupRows);
    表格1.setDataSourceName("");
    setCellText(报表数据源, 1, 2, currentMeetingName + "分组讨论表");
    const int groups = querySql(报表外部数据库, "select  *  from  会议分组   where    会议编号=" + meeting());
    recordMoveFirst(groups);
    if (recordSetAtEnd(groups))
        messageBox("会议分组查询失败！", BoxOk, "");
    for (int row = 2; !recordSetAtEnd(groups); recordMoveNext(groups))
        row = writeGroupBlock(groups, row);
    closeRecordSet(groups);
    // Attached on failure too, as the list reports are.
    表格1.setDataSourceName("报表数据源");
}

int ReportWindow::writeGroupBlock(int groups, int row)
{
    DataSource& ds = 报表数据源;
    // Both heading rows exist before they are merged and framed.
    appendRows(ds, 2);
    for (int heading : {row, row + 1}) {
        mergeBlock(ds, heading, 2, 1, 2);
        mergeBlock(ds, heading, 5, 1, 2);
        mergeBlock(ds, heading, 8, 1, 3);
    }
    addBlockLines(ds, row, 1, 2, kGroupColumns, GridAllLines);
    setCells(ds, row, {{1, "会议组："}, {2, fieldText(groups, "分组名称")}, {4, "时 间："},
                       {5, fieldText(groups, "分组时间")}, {7, "地 点："}, {8, fieldText(groups, "分组地点")}});
    setCells(ds, row + 1, {{1, "召集人："}, {2, fieldText(groups, "召集人")}, {4, "联络员："},
                           {5, fieldText(groups, "联络员")}});

    const int firstMemberRow = row + 2;
    int memberRow = firstMemberRow;
    appendRows(ds);
    const int members = querySql(报表外部数据库, "select 姓名 from 代表信息  where  分组编号="
                                                     + fieldNumber(groups, "分组id") + "  and  会议编号="
                                                     + meeting() + "  order  by 代表编号 ");
    if (members == 0)
        messageBox("当前组没有会议代表！", BoxOk, "");
    recordMoveFirst(members);
    while (!recordSetAtEnd(members)) {
        for (int column = 1; column <= kGroupColumns && !recordSetAtEnd(members); ++column) {
            setCellText(ds, memberRow, column, fieldText(members, "姓名"));
            recordMoveNext(members);
        }
        ++memberRow;
        appendRows(ds);
    }
    if (memberRow > firstMemberRow)
        addBlockLines(ds, firstMemberRow, 1, memberRow - firstMemberRow, kGroupColumns,
                      GridFrame | GridInnerHorizontal);
    closeRecordSet(members);
    // memberRow is the empty row after the block.
    return memberRow + 1;
}

void ReportWindow::fillAddressBookReport()
{
    DataSource& ds = 报表数据源;
    const int delegates = querySql(报表外部数据库, "select  *  from 代表信息   where    会议编号=" + meeting()
                                                       + "  order by 代表编号");
    表格1.setDataSourceName("");
    setCellText(ds, 3, 1, currentMeetingName);
    setCellText(ds, 14, 1, meetingDate());
    recordMoveFirst(delegates);
    // Page 1 is the right half of sheet 1; then each sheet holds a left and
    // a right page. Every page but the last is full, so a page's heading row
    // follows from where the previous page ended.
    int page = 1, column = 1, row = kSheetRows;
    while (!recordSetAtEnd(delegates)) {
        if (column > 4) {
            column = 1;
            appendRows(ds, kSheetRows);
            row += 2;
        } else {
            column = 7;
            row -= kPageRows;
        }
        writeAddressPage(row, column, page++);
        ++row;
        for (int entry = 0; entry < kPageEntries && !recordSetAtEnd(delegates); ++entry, ++row) {
            setCells(ds, row, {{column, fieldText(delegates, "姓名")},
                               {column + 1, fieldText(delegates, "性别")},
                               {column + 2, fieldText(delegates, "单位") + fieldText(delegates, "职务")},
                               {column + 3, fieldText(delegates, "办公电话")},
                               {column + 4, fieldText(delegates, "手机号码")}});
            recordMoveNext(delegates);
        }
    }
    closeRecordSet(delegates);
    表格1.setDataSourceName("报表数据源");
}

void ReportWindow::writeAddressPage(int row, int column, int page)
{
    DataSource& ds = 报表数据源;
    addBlockLines(ds, row, column, kPageRows, 5, GridAllLines);
    setCells(ds, row, {{column, "姓名"}, {column + 1, "性别"}, {column + 2, "职务"}, {column + 3, "办公电话"},
                       {column + 4, "手机号码"}});
    setCellText(ds, row + kPageRows, column + 3, toText(page));
}

// The cover's date: the meeting's own, "" when it has none.
Text ReportWindow::meetingDate()
{
    const int rs = querySql(报表外部数据库, "select 会议日期 from 会议信息 where 会议编号=" + meeting());
    recordMoveFirst(rs);
    const Text date = recordSetAtEnd(rs) ? Text() : trimSpaces(fieldText(rs, "会议日期"));
    closeRecordSet(rs);
    return date;
}
