#pragma once
// The report window on a seeded meeting: meeting 1 "春季会" is the current
// one; meeting 2 "秋季会" holds rows of its own (lodged, seated, grouped,
// checked-in and charted delegates) that no report of meeting 1 may show.
#include "common/grid/grid_model.h"
#include "common/internal/qtext.h"
#include "reports/report_window.h"
#include "tests/app/app_fixture.h"

#include <QAbstractScrollArea>
#include <QFile>
#include <QTest>

class ReportTest : public AppTest {
protected:
    ReportTest()
    {
        exec("insert  into 会议信息 (会议编号,会议名称,会议地点,会议日期) values (1,'春季会','北京','2024-04-01')");
        exec("insert  into 会议信息 (会议编号,会议名称,会议地点,会议日期) values (2,'秋季会','上海','2024-10-01')");
        seedOtherMeeting();
        currentMeetingId = 1;
        currentMeetingName = "春季会";
    }
    ReportWindow* open(const Text& kind)
    {
        reportKind = kind;
        return loadWindow<ReportWindow>(nullptr, false);
    }
    void addRoom(int meeting, const Text& hotel, const Text& room, int beds, const Text& sex = "无")
    {
        exec("insert  into 房间信息 (会议编号,宾馆名称,房间编号,房间类别,房间人数,性别) values (" + toText(meeting)
             + ",'" + sqlText(hotel) + "','" + room + "','标准间'," + toText(beds) + ",'" + sex + "')");
    }
    void addTable(int meeting, const Text& restaurant, const Text& table, int seats)
    {
        exec("insert  into 餐桌信息 (会议编号,餐厅名称,餐桌编号,可坐人数) values (" + toText(meeting) + ",'"
             + sqlText(restaurant) + "','" + table + "'," + toText(seats) + ")");
    }
    // A delegate with the given room and banquet table (" " and "0" for none).
    void addDelegate(int meeting, const Text& number, const Text& name, const Text& hotel = " ",
                     const Text& room = "0", const Text& restaurant = " ", const Text& table = "0")
    {
        exec("insert  into 代表信息 (会议编号,代表编号,姓名,单位,性别,职务,手机号码,宾馆名称,房间编号,餐厅名称,餐桌编号)"
             " values (" + toText(meeting) + ",'" + number + "','" + name + "','单位" + number + "','男','职务"
             + number + "','139" + number + "','" + sqlText(hotel) + "','" + room + "','" + sqlText(restaurant)
             + "','" + table + "')");
    }
    // Sets columns of the delegate numbered `number` ("分组编号=2, 表1='3排4列'").
    void updateDelegate(const Text& number, const Text& assignments)
    {
        exec("update 代表信息 set " + assignments + " where 代表编号='" + number + "'");
    }
    // A discussion group of `meeting`; gives its 分组id.
    int addGroup(int meeting, const Text& name, const Text& time = "上午", const Text& place = "一号厅",
                 const Text& convener = "召集者", const Text& liaison = "联络者")
    {
        exec("insert  into 会议分组 (会议编号,分组名称,分组时间,分组地点,召集人,联络员) values (" + toText(meeting)
             + ",'" + sqlText(name) + "','" + time + "','" + place + "','" + convener + "','" + liaison + "')");
        const TextList ids = rows("select max(分组id) as id from 会议分组", {"id"});
        return ids.empty() ? 0 : toInteger(ids.front());
    }
    // Row `row` of the report document, its cells joined by "|".
    static Text rowText(const DataSource& ds, int row)
    {
        Text line;
        for (int column = 1; column <= tableColumnCount(ds); ++column)
            line += (column > 1 ? "|" : "") + cellText(ds, row, column);
        return line;
    }
    // The data lines, row 3 to the last.
    static TextList dataRows(const DataSource& ds)
    {
        TextList rows;
        for (int row = 3; row <= tableRowCount(ds); ++row)
            rows.push_back(rowText(ds, row));
        return rows;
    }
    // The text of a file of the test's program directory; `name` is GBK.
    Bytes fileBytes(const Text& name)
    {
        QFile f(directory.file(QString::fromStdString(gbkToUtf8(name))));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : Bytes("(missing)");
    }
    // A file of the test's program directory in the program's own form.
    Text programFile(const Text& name) { return directory.programPath() + "\\" + name; }
    // The file's path as a message shows it to the person.
    Text shownFile(const Text& name) { return fromQString(directory.file(toQString(name))); }
};

// GBK lines as one UTF-8 text, one line each, for readable comparisons.
inline std::string utf8Lines(const TextList& texts)
{
    std::string all;
    for (const Text& t : texts)
        all += gbkToUtf8(t) + "\n";
    return all;
}
#define EXPECT_LINES_EQ(expected, actual) EXPECT_EQ(utf8Lines(expected), utf8Lines(actual))
