// The room, banquet-table and delegate lists: one line per record of the
// current meeting in the lists' orders, the people of a room or table
// joined in 代表编号 order, appended lines formatted for the data, and the
// failures of the queries.
#include "tests/reports/report_fixture.h"

namespace {

class ListReportTest : public ReportTest {
protected:
    const GridCell& cell(ReportWindow* w, int row, int column)
    {
        static const GridCell none;
        const GridCell* c = w->报表数据源.document().cell(row, column);
        EXPECT_NE(c, nullptr) << "no cell (" << row << ", " << column << ")";
        return c ? *c : none;
    }
};

TEST_F(ListReportTest, RoomsInBedHotelAndNumberGbkOrderWithTheirOccupants)
{
    addRoom(1, "东楼", "9", 2, "男");
    addRoom(1, "东楼", "10", 2, "女");
    addRoom(1, "北楼", "2", 2);                  // 北 before 东 in GBK, after by code point
    addRoom(1, "A座", "301", 2);
    addRoom(1, "西楼", "1", 1, "男");
    addRoom(1, "O'Neil 宾馆", "8", 3, "男");
    addRoom(2, "东楼", "9", 2, "男");            // another meeting's room
    addDelegate(1, "003", "张三", "东楼", "9");
    addDelegate(1, "001", "李四", "东楼", "9");
    addDelegate(1, "002", "王五", "东楼", "10");
    addDelegate(1, "010", "赵六", "O'Neil 宾馆", "8");
    addDelegate(1, "004", "钱七", "O'Neil 宾馆", "8");
    addDelegate(1, "005", "孙八", "西楼", "1");
    addDelegate(2, "000", "周九", "东楼", "9");   // the other meeting's guest
    ReportWindow* w = open("客房一览表");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(person.messages().empty());
    EXPECT_TEXT_EQ("春季会客房一览表", cellText(w->报表数据源, 1, 2));
    EXPECT_LINES_EQ((TextList{"1|西楼|1|标准间|1|孙八|男",
                              "2|A座|301|标准间|2||无",
                              "3|北楼|2|标准间|2||无",
                              "4|东楼|10|标准间|2|王五|女",
                              "5|东楼|9|标准间|2|李四·张三|男",
                              "6|O'Neil 宾馆|8|标准间|3|钱七·赵六|男"}),
                    dataRows(w->报表数据源));
    EXPECT_EQ(8, tableRowCount(w->报表数据源));
    EXPECT_TEXT_EQ("报表数据源", w->表格1.dataSourceName());
}

TEST_F(ListReportTest, OneRecordFillsTheTemplateRowAndAppendsNothing)
{
    struct Case {
        const char* kind;
        std::function<void()> seed;
        const char* line;
    };
    const Case cases[] = {
        {"客房一览表", [this] { addRoom(1, "东楼", "9", 2); }, "1|东楼|9|标准间|2||无"},
        {"餐桌一览表", [this] { addTable(1, "宴会厅", "1号桌", 10); }, "1|宴会厅|1号桌|10|"},
        {"代表一览表", [this] { addDelegate(1, "001", "张三"); }, "1|001|单位001|张三|男|职务001| ||139001"},
    };
    for (const Case& c : cases) {
        c.seed();
        ReportWindow* w = open(c.kind);
        ASSERT_NE(w, nullptr);
        EXPECT_LINES_EQ(TextList{c.line}, dataRows(w->报表数据源)) << c.kind;
        EXPECT_EQ(3, tableRowCount(w->报表数据源)) << c.kind;
        closeWindow(*w);
    }
    EXPECT_TRUE(person.messages().empty());
}

TEST_F(ListReportTest, TablesByRestaurantInGbkOrderThenIdWithDinersJoinedByAFullStop)
{
    addTable(1, "宴会厅", "2号桌", 10);
    addTable(1, "小餐厅", "1号桌", 8);
    addTable(1, "宴会厅", "1号桌", 12);
    addTable(1, "Mom's 厅", "3号桌", 6);
    addTable(2, "宴会厅", "2号桌", 10);
    addDelegate(1, "002", "王五", " ", "0", "宴会厅", "2号桌");
    addDelegate(1, "001", "李四", " ", "0", "宴会厅", "2号桌");
    addDelegate(1, "003", "张三", " ", "0", "Mom's 厅", "3号桌");
    addDelegate(2, "000", "周九", " ", "0", "宴会厅", "2号桌");
    ReportWindow* w = open("餐桌一览表");
    ASSERT_NE(w, nullptr);
    EXPECT_TEXT_EQ("春季会宴会餐桌一览表", cellText(w->报表数据源, 1, 2));
    EXPECT_LINES_EQ((TextList{"1|Mom's 厅|3号桌|6|张三",
                              "2|小餐厅|1号桌|8|",
                              "3|宴会厅|2号桌|10|李四.王五",
                              "4|宴会厅|1号桌|12|"}),
                    dataRows(w->报表数据源));
    EXPECT_TRUE(person.messages().empty());
}

TEST_F(ListReportTest, DelegatesInNumberTextOrderWithoutTheNoRoomNumber)
{
    addDelegate(1, "10", "甲");
    addDelegate(1, "9", "乙", "东楼", "301");
    addDelegate(1, "011", "丙", "东楼", "0");
    addDelegate(2, "1", "丁");
    ReportWindow* w = open("代表一览表");
    ASSERT_NE(w, nullptr);
    EXPECT_TEXT_EQ("春季会与会人员一览表", cellText(w->报表数据源, 1, 2));
    EXPECT_LINES_EQ((TextList{"1|011|单位011|丙|男|职务011|东楼||139011",
                              "2|10|单位10|甲|男|职务10| ||13910",
                              "3|9|单位9|乙|男|职务9|东楼|301|1399"}),
                    dataRows(w->报表数据源));
}

TEST_F(ListReportTest, AppendedLinesAreCentredAndFramedAndDelegatesUseTheirTextSize)
{
    addRoom(1, "东楼", "1", 2);
    addRoom(1, "东楼", "2", 2);
    addDelegate(1, "001", "张三");
    addDelegate(1, "002", "李四");
    ReportWindow* rooms = open("客房一览表");
    ReportWindow* delegates = open("代表一览表");
    ASSERT_NE(rooms, nullptr);
    ASSERT_NE(delegates, nullptr);
    for (ReportWindow* w : {rooms, delegates}) {
        for (int column = 1; column <= tableColumnCount(w->报表数据源); ++column) {
            EXPECT_EQ(5, cell(w, 4, column).alignment) << "column " << column;
            EXPECT_EQ(GridFrame, cell(w, 4, column).lines & GridFrame) << "column " << column;
        }
    }
    EXPECT_EQ(38, cell(delegates, 4, 3).fontSize);
    EXPECT_EQ(cell(rooms, 3, 3).fontSize, cell(rooms, 4, 3).fontSize);
}

TEST_F(ListReportTest, AnEmptyListShowsItsFailureAfterTheTitleAndKeepsTheGridAttached)
{
    addRoom(2, "东楼", "9", 2);
    addTable(2, "宴会厅", "1号桌", 10);
    addDelegate(2, "001", "张三");
    struct Case {
        const char* kind;
        const char* title;
        const char* failure;
    };
    const Case cases[] = {
        {"客房一览表", "春季会客房一览表", "客房查询失败！"},
        {"餐桌一览表", "春季会宴会餐桌一览表", "查询失败！"},
        {"代表一览表", "春季会与会人员一览表", "查询失败！"},
    };
    TextList failures;
    for (const Case& c : cases) {
        person.answerMessage(AnswerOk);
        ReportWindow* w = open(c.kind);
        ASSERT_NE(w, nullptr);
        failures.push_back(Text(c.failure) + "|");
        EXPECT_LINES_EQ(failures, messageTexts()) << c.kind;
        EXPECT_TEXT_EQ(c.title, cellText(w->报表数据源, 1, 2));
        EXPECT_EQ(3, tableRowCount(w->报表数据源));
        EXPECT_TEXT_EQ("", cellText(w->报表数据源, 3, 1));
        EXPECT_TEXT_EQ("报表数据源", w->表格1.dataSourceName());
        closeWindow(*w);
    }
}

TEST_F(ListReportTest, AFailingNameListIsReportedForEachLineAndLeavesItsCellEmpty)
{
    addRoom(1, "东楼", "1", 2);
    addRoom(1, "东楼", "2", 2);
    addTable(1, "宴会厅", "1号桌", 10);
    exec("drop table 代表信息");
    person.answerMessage(AnswerOk).answerMessage(AnswerOk).answerMessage(AnswerOk);
    ReportWindow* rooms = open("客房一览表");
    ReportWindow* tables = open("餐桌一览表");
    ASSERT_NE(rooms, nullptr);
    ASSERT_NE(tables, nullptr);
    EXPECT_LINES_EQ((TextList{"没有住人！|", "没有住人！|", "没有安排就餐！|"}), messageTexts());
    EXPECT_LINES_EQ((TextList{"1|东楼|1|标准间|2||无", "2|东楼|2|标准间|2||无"}), dataRows(rooms->报表数据源));
    EXPECT_LINES_EQ(TextList{"1|宴会厅|1号桌|10|"}, dataRows(tables->报表数据源));
}

} // namespace
