// The group discussion report (a framed heading per group, its members ten
// to a row, an empty row after each group) and the address book (two
// framed pages of fourteen delegates a sheet, the cover on the first).
#include "tests/reports/report_fixture.h"

namespace {

class BlockReportTest : public ReportTest {
protected:
    static int lines(ReportWindow* w, int row, int column)
    {
        const GridCell* c = w->报表数据源.document().cell(row, column);
        return c ? c->lines : -1;
    }
    static int mergedColumns(ReportWindow* w, int row, int column)
    {
        const GridBlock* merge = w->报表数据源.document().mergeAt(row, column);
        return merge ? merge->columns : 1;
    }
    // `count` delegates of meeting 1 numbered from 100 + first, named 代表N.
    void addDelegates(int first, int count, int group = 0)
    {
        for (int i = first; i < first + count; ++i) {
            addDelegate(1, toText(100 + i), "代表" + toText(i));
            if (group != 0)
                updateDelegate(toText(100 + i), "分组编号=" + toText(group));
        }
    }
};

Text names(int first, int count, const Text& separator = "|")
{
    Text text;
    for (int i = first; i < first + count; ++i)
        text += (i > first ? separator : "") + "代表" + toText(i);
    return text;
}

TEST_F(BlockReportTest, EachGroupHasItsHeadingItsMembersTenToARowAndAnEmptyRow)
{
    const int first = addGroup(1, "第一组", "上午九时", "一号厅", "张主任", "李秘书");
    const int empty = addGroup(1, "第二组", "下午", "二号厅", " ", " ");
    const int ten = addGroup(1, "第三组");
    addDelegates(1, 23, first);
    addDelegates(31, 10, ten);
    updateDelegate("101", "代表编号='199'");    // the text order puts it last
    addDelegate(2, "001", "外会");
    updateDelegate("001", "分组编号=" + toText(first));   // another meeting's delegate in the group
    ReportWindow* w = open("分组一览表");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(person.messages().empty());
    const DataSource& ds = w->报表数据源;
    EXPECT_TEXT_EQ("春季会分组讨论表", cellText(ds, 1, 2));
    TextList expected{"会议组：|第一组||时 间：|上午九时||地 点：|一号厅||",
                      "召集人：|张主任||联络员：|李秘书|||||",
                      names(2, 10),
                      names(12, 10),
                      names(22, 2) + "|代表1|||||||",
                      "|||||||||",
                      "会议组：|第二组||时 间：|下午||地 点：|二号厅||",
                      "召集人：| ||联络员：| |||||",
                      "|||||||||",
                      "会议组：|第三组||时 间：|上午||地 点：|一号厅||",
                      "召集人：|召集者||联络员：|联络者|||||",
                      names(31, 10),
                      "|||||||||"};
    TextList shown;
    for (int row = 2; row <= tableRowCount(ds); ++row)
        shown.push_back(rowText(ds, row));
    EXPECT_LINES_EQ(expected, shown);
    EXPECT_EQ(14, tableRowCount(ds));
    EXPECT_TEXT_EQ("报表数据源", w->表格1.dataSourceName());

    for (int row : {2, 3, 8, 9}) {
        EXPECT_EQ((std::vector<int>{2, 2, 3}),
                  (std::vector<int>{mergedColumns(w, row, 2), mergedColumns(w, row, 5), mergedColumns(w, row, 8)}))
            << row;
        for (int column = 1; column <= 10; ++column)
            EXPECT_EQ(GridFrame, lines(w, row, column) & GridFrame) << row << ", " << column;
    }
    // Members: framed and ruled across, no lines between the names.
    EXPECT_EQ(1 | 2 | 8, lines(w, 4, 1) & 0xF);
    EXPECT_EQ(2 | 8, lines(w, 5, 5) & 0xF);
    EXPECT_EQ(2 | 4 | 8, lines(w, 6, 10) & 0xF);
    EXPECT_EQ(2 | 8, lines(w, 13, 5) & 0xF);
    for (int row : {7, 10, 14})
        for (int column = 1; column <= 10; ++column)
            EXPECT_EQ(0, lines(w, row, column) & (4 | 8)) << row << ", " << column;
    EXPECT_EQ(0, lines(w, 10, 5));   // the group without members has no member lines
    EXPECT_NE(0, empty);
}

TEST_F(BlockReportTest, NoGroupIsReportedAfterTheTitleAndTheGridShowsTheDocument)
{
    addGroup(2, "别的会的组");
    person.answerMessage(AnswerOk);
    ReportWindow* w = open("分组一览表");
    ASSERT_NE(w, nullptr);
    EXPECT_LINES_EQ(TextList{"会议分组查询失败！|"}, messageTexts());
    EXPECT_TEXT_EQ("春季会分组讨论表", cellText(w->报表数据源, 1, 2));
    EXPECT_EQ(1, tableRowCount(w->报表数据源));
    EXPECT_TEXT_EQ("报表数据源", w->表格1.dataSourceName());
}

TEST_F(BlockReportTest, TheAddressBookFillsPagesInBookletOrder)
{
    struct Case {
        int delegates;
        int rows;
        std::vector<std::pair<int, int>> numberCells;   // pages 1, 2, ... in order
    };
    const Case cases[] = {
        {1, 17, {{17, 10}}},
        {14, 17, {{17, 10}}},
        {15, 34, {{17, 10}, {34, 4}}},
        {29, 34, {{17, 10}, {34, 4}, {34, 10}}},
        {43, 51, {{17, 10}, {34, 4}, {34, 10}, {51, 4}}},
    };
    int seeded = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delegates);
        addDelegates(seeded + 1, c.delegates - seeded);
        seeded = c.delegates;
        ReportWindow* w = open("通讯录");
        ASSERT_NE(w, nullptr);
        const DataSource& ds = w->报表数据源;
        EXPECT_EQ(c.rows, tableRowCount(ds));
        for (size_t page = 0; page < c.numberCells.size(); ++page) {
            const auto [row, column] = c.numberCells[page];
            EXPECT_TEXT_EQ(toText(static_cast<int>(page) + 1), cellText(ds, row, column));
            const int top = row - 15, left = column - 3;
            EXPECT_TEXT_EQ("姓名|性别|职务|办公电话|手机号码",
                           cellText(ds, top, left) + "|" + cellText(ds, top, left + 1) + "|"
                               + cellText(ds, top, left + 2) + "|" + cellText(ds, top, left + 3) + "|"
                               + cellText(ds, top, left + 4));
            // The frame covers the heading and all 14 entry rows, filled or not.
            for (int row = top; row < top + 15; ++row)
                for (int column = left; column < left + 5; ++column)
                    EXPECT_EQ(GridFrame, lines(w, row, column) & GridFrame) << row << ", " << column;
            EXPECT_EQ(0, lines(w, top + 15, left));
            const int entry = static_cast<int>(page) * 14 + 1;
            EXPECT_TEXT_EQ("代表" + toText(entry), cellText(ds, top + 1, left));
        }
        closeWindow(*w);
    }
}

TEST_F(BlockReportTest, ARightHalfLeftOverStaysBlankAndUnframed)
{
    addDelegates(1, 15);
    ReportWindow* w = open("通讯录");
    ASSERT_NE(w, nullptr);
    const DataSource& ds = w->报表数据源;
    EXPECT_TEXT_EQ("代表15", cellText(ds, 20, 1));
    EXPECT_TEXT_EQ("", cellText(ds, 21, 1));
    for (int row = 18; row <= 34; ++row)
        for (int column = 7; column <= 11; ++column) {
            EXPECT_TEXT_EQ("", cellText(ds, row, column));
            EXPECT_EQ(0, lines(w, row, column)) << row << ", " << column;
        }
}

TEST_F(BlockReportTest, AnEntryJoinsOrganisationAndPositionAndTheCoverShowsTheMeeting)
{
    addDelegate(1, "002", "李　四");
    updateDelegate("002", "单位='X厂', 职务=' ', 性别='女', 办公电话='010-1', 手机号码='139'");
    addDelegate(1, "001", "张三");
    updateDelegate("001", "单位='X', 职务='Y', 办公电话='010-2'");
    addDelegate(2, "000", "别会");
    ReportWindow* w = open("通讯录");
    ASSERT_NE(w, nullptr);
    const DataSource& ds = w->报表数据源;
    EXPECT_TEXT_EQ("春季会", cellText(ds, 3, 1));
    EXPECT_TEXT_EQ("2024-04-01", cellText(ds, 14, 1));
    TextList entries;
    for (int row = 3; row <= 5; ++row) {
        Text entry;
        for (int column = 7; column <= 11; ++column)
            entry += (column > 7 ? "|" : "") + cellText(ds, row, column);
        entries.push_back(entry);
    }
    EXPECT_LINES_EQ((TextList{"张三|男|XY|010-2|139001", "李　四|女|X厂 |010-1|139", "||||"}), entries);
    EXPECT_TRUE(w->修改标题.disabled());
}

TEST_F(BlockReportTest, AnAddressBookWithoutDelegatesKeepsItsCoverAndSaysNothing)
{
    exec("update 会议信息 set 会议日期=' ' where 会议编号=1");
    addDelegate(2, "001", "别会");
    ReportWindow* w = open("通讯录");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(person.messages().empty());
    const DataSource& ds = w->报表数据源;
    EXPECT_EQ(17, tableRowCount(ds));
    EXPECT_TEXT_EQ("春季会", cellText(ds, 3, 1));
    EXPECT_TEXT_EQ("", cellText(ds, 14, 1));
    EXPECT_TEXT_EQ("", cellText(ds, 2, 7));
    EXPECT_EQ(0, lines(w, 2, 7));
    EXPECT_TEXT_EQ("报表数据源", w->表格1.dataSourceName());
}

} // namespace
