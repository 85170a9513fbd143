// The seating report: the chooser lists the meeting's used chart slots;
// a choice rebuilds the report from the template: organisations in runs of
// 代表编号 order, each delegate with their seat, groups shaded in turn.
#include "tests/reports/report_fixture.h"

namespace {

class SeatingReportTest : public ReportTest {
protected:
    SeatingReportTest()
    {
        exec("update 会议信息 set 表1='主会场', 表3='分会场' where 会议编号=1");
        exec("update 会议信息 set 表2='别会场' where 会议编号=2");
    }
    // A delegate of meeting 1 of `unit` seated at `seat` in chart 1 ("0": not).
    void seat(const Text& number, const Text& name, const Text& unit, const Text& seat, const Text& chart3 = "0")
    {
        addDelegate(1, number, name);
        updateDelegate(number, "单位='" + unit + "', 表1='" + seat + "', 表3='" + chart3 + "'");
    }
    ReportWindow* openAndChoose(int item)
    {
        ReportWindow* w = open("座次报表");
        if (w)
            chooseComboItem(w->座次报表, item);
        return w;
    }
    static int background(ReportWindow* w, int row, int column)
    {
        const GridCell* c = w->报表数据源.document().cell(row, column);
        return c ? c->background : -2;
    }
    static TextList reportRows(ReportWindow* w)
    {
        TextList rows;
        for (int row = 3; row <= tableRowCount(w->报表数据源); ++row)
            rows.push_back(rowText(w->报表数据源, row));
        return rows;
    }
};

constexpr int kGrey = rgbColour(236, 236, 236);

TEST_F(SeatingReportTest, TheChooserListsTheMeetingsUsedSlotsWithTheirNumbers)
{
    ReportWindow* w = open("座次报表");
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(2, w->座次报表.itemCount());
    EXPECT_TEXT_EQ("主会场", w->座次报表.itemText(0));
    EXPECT_EQ(1, w->座次报表.itemValue(0));
    EXPECT_TEXT_EQ("分会场", w->座次报表.itemText(1));
    EXPECT_EQ(3, w->座次报表.itemValue(1));
    EXPECT_EQ(-1, w->座次报表.currentIndex());
    EXPECT_TRUE(w->座次报表.visible());
    EXPECT_EQ(3, tableRowCount(w->报表数据源));   // nothing is filled before a choice

    exec("update 会议信息 set 表1='0', 表3='0' where 会议编号=1");
    ReportWindow* none = open("座次报表");
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(0, none->座次报表.itemCount());
    EXPECT_TRUE(person.messages().empty());
}

TEST_F(SeatingReportTest, OrganisationsInRunsWithTheirSeatsShadedInTurn)
{
    seat("01", "甲一", "U1", "1排1列");
    seat("02", "甲二", "U1", "1排2列");
    seat("03", "甲三", "U1", "1排3列");
    seat("04", "未座", "U1", "0", "5排5列");    // seated only in chart 3
    for (int i = 1; i <= 5; ++i)
        seat("1" + toText(i), "乙" + toText(i), "U2", "2排" + toText(i) + "列");
    seat("21", "丙一", "U3", "3排1列");
    seat("22", "丁一", "U1", "3排2列");          // U1 again after others: a group of its own
    addDelegate(2, "00", "别会");
    ReportWindow* w = openAndChoose(0);
    ASSERT_NE(w, nullptr);
    const DataSource& ds = w->报表数据源;
    EXPECT_TEXT_EQ("春季会", cellText(ds, 1, 2));
    EXPECT_TEXT_EQ("《主会场》", cellText(ds, 2, 2));
    EXPECT_LINES_EQ((TextList{"〖U1〗|甲一1排1列|甲二1排2列|甲三1排3列|",
                              "〖U2〗|乙12排1列|乙22排2列|乙32排3列|乙42排4列",
                              "乙52排5列||||",
                              "〖U3〗|丙一3排1列|||",
                              "〖U1〗|丁一3排2列|||"}),
                    reportRows(w));
    const int shaded[] = {kGrey, DefaultBackground, DefaultBackground, kGrey, DefaultBackground};
    for (int row = 3; row <= 7; ++row)
        for (int column = 1; column <= 5; ++column)
            EXPECT_EQ(shaded[row - 3], background(w, row, column)) << row << ", " << column;
    const GridCell* written = ds.document().cell(6, 2);
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(GridFrame, written->lines & GridFrame);
    EXPECT_TEXT_EQ("报表数据源", w->表格1.dataSourceName());
    EXPECT_TRUE(person.messages().empty());
}

TEST_F(SeatingReportTest, AGroupThatFillsItsRowLeavesTheNextRowForTheNextGroup)
{
    for (int i = 1; i <= 4; ++i)
        seat("0" + toText(i), "甲" + toText(i), "U1", toText(i) + "号");
    for (int i = 1; i <= 5; ++i)
        seat("1" + toText(i), "乙" + toText(i), "U2", toText(i) + "座", i <= 4 ? toText(i) + "座" : "0");
    ReportWindow* w = openAndChoose(0);
    ASSERT_NE(w, nullptr);
    EXPECT_LINES_EQ((TextList{"〖U1〗|甲11号|甲22号|甲33号|甲44号",
                              "〖U2〗|乙11座|乙22座|乙33座|乙44座",
                              "乙55座||||"}),
                    reportRows(w));

    // Chart 3 seats four of U2: their row is full, and the row appended
    // for the next group stays empty. The earlier choice leaves nothing.
    chooseComboItem(w->座次报表, 1);
    EXPECT_TEXT_EQ("《分会场》", cellText(w->报表数据源, 2, 2));
    EXPECT_LINES_EQ((TextList{"〖U2〗|乙11座|乙22座|乙33座|乙44座", "||||"}), reportRows(w));
    EXPECT_EQ(kGrey, background(w, 3, 5));
    EXPECT_EQ(DefaultBackground, background(w, 4, 1));
}

TEST_F(SeatingReportTest, AChartWithoutSeatsShowsTheTitlesOnly)
{
    seat("01", "甲一", "U1", "0");
    ReportWindow* w = openAndChoose(1);
    ASSERT_NE(w, nullptr);
    EXPECT_TEXT_EQ("《分会场》", cellText(w->报表数据源, 2, 2));
    EXPECT_LINES_EQ((TextList{"||||"}), reportRows(w));
    EXPECT_EQ(DefaultBackground, background(w, 3, 1));
}

TEST_F(SeatingReportTest, AChoiceWithoutItsTemplateSaysSoAndShowsNoOldReport)
{
    seat("01", "甲一", "U1", "1排1列");
    ReportWindow* w = openAndChoose(0);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(3, tableRowCount(w->报表数据源));
    ASSERT_TRUE(QFile::remove(directory.file(QString::fromStdString(gbkToUtf8("座次报表.grd")))));
    person.answerMessage(AnswerOk);
    chooseComboItem(w->座次报表, 1);
    EXPECT_LINES_EQ(TextList{"找不到表格模板!|错误"}, messageTexts());
    EXPECT_EQ(0, tableRowCount(w->报表数据源));
}

} // namespace
