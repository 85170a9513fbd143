// Storing a group's members and a meeting's seating charts, called with a
// database and plain records.
#include "desk/group_members.h"
#include "desk/seating_charts.h"
#include "tests/desk/desk_fixture.h"

namespace {

class GroupAndChartStepsTest : public DeskTest {
protected:
    GroupAndChartStepsTest()
    {
        exec("insert  into 会议信息 (会议编号,会议名称,表1) values (1,'一号会','图')");
        exec("insert  into 会议分组 (分组名称,会议编号) values ('A',1)");
        group_ = idOf("select * from 会议分组 where 会议编号=1", "分组id");
        exec("insert  into 自制模板 (模板名称,模板,会议编号,表格次序) values ('图',x'01',1,1)");
        chart_ = idOf("select * from 自制模板 where 会议编号=1", "模板id");
        addDelegate("甲", "一", "男", "1");
        addDelegate("甲", "二", "男", "2");
        addDelegate("甲", "三", "男", "3");
        exec("update 代表信息 set 分组编号=" + toText(group_) + ",表1='2排2列',表2='5排5列' where 姓名='二'");
    }
    int delegate(const Text& name) { return idOf("select * from 代表信息 where 姓名='" + name + "'", "代表id"); }
    TextList delegates(const TextList& columns)
    {
        TextList all{"姓名"};
        all.insert(all.end(), columns.begin(), columns.end());
        return rows("select * from 代表信息 where 会议编号=1 order by 代表编号", all);
    }

    int group_ = 0, chart_ = 0;
};

TEST_F(GroupAndChartStepsTest, TheTickedDelegatesTakeTheGroupAndTheOthersNone)
{
    const Text a = toText(group_);
    struct Case {
        const char* what;
        std::vector<std::pair<Text, bool>> members;
        Text refusal;   // a condition on the update refused
        bool stored;
        TextList groups;
    } cases[] = {
        {"ticked and not", {{"一", true}, {"二", false}, {"三", true}}, "", true, {"一|" + a, "二|0", "三|" + a}},
        {"nobody listed", {}, "", true, {"一|0", "二|" + a, "三|0"}},
        {"the last update refused", {{"一", true}, {"二", false}}, "old.姓名='二'", false, {"一|0", "二|" + a, "三|0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        exec("update 代表信息 set 分组编号=case 姓名 when '二' then " + a + " else 0 end where 会议编号=1");
        const Text trigger = c.refusal.empty() ? Text() : refuse("update", "代表信息", c.refusal);
        std::vector<GroupMember> members;
        for (const auto& [name, member] : c.members)
            members.push_back({delegate(name), member});
        EXPECT_EQ(storeGroupMembers(db, group_, members).stored, c.stored);
        EXPECT_EQ(delegates({"分组编号"}), c.groups);
        if (!trigger.empty())
            exec("drop trigger " + trigger);
    }
}

// Another desk put 一 and 三 into group B after this desk listed them in no
// group: 一 ticked here is given back, 三 left unticked stays in B.
TEST_F(GroupAndChartStepsTest, ADelegateAnotherDeskGroupedMeanwhileKeepsHisGroup)
{
    exec("insert  into 会议分组 (分组名称,会议编号) values ('B',1)");
    const Text a = toText(group_), b = toText(idOf("select * from 会议分组 where 分组名称='B'", "分组id"));
    exec("update 代表信息 set 分组编号=" + b + " where 姓名 in ('一','三')");
    const GroupMembersStored result = storeGroupMembers(
        db, group_, {{delegate("一"), true}, {delegate("二"), true}, {delegate("三"), false}});
    EXPECT_TRUE(result.stored);
    EXPECT_EQ(result.groupedElsewhere, std::vector<int>{delegate("一")});
    EXPECT_EQ(delegates({"分组编号"}), (TextList{"一|" + b, "二|" + a, "三|" + b}));
}

TEST_F(GroupAndChartStepsTest, AChartIsStoredWithExactlyTheSeatsItShows)
{
    struct Case {
        const char* what;
        std::vector<std::pair<Text, Text>> seats;   // delegate (a name, or the face as it stands) and label
        Text refusal;
        bool stored;
        TextList seated;   // 姓名|表1|表2
        Bytes document;
    } cases[] = {
        {"seats taken, the one not shown freed, the other chart kept", {{"一", "1排1列"}, {"三", "3排4列"}}, "", true,
         {"一|1排1列|0", "二|0|5排5列", "三|3排4列|0"}, "new"},
        {"a delegate of another meeting and a face that is no number",
         {{"外会甲", "1排1列"}, {"1 or 1=1", "1排2列"}}, "", true, {"一|0|0", "二|0|5排5列", "三|0|0"}, "new"},
        {"a seat refused", {{"一", "1排1列"}, {"三", "3排4列"}}, "new.表1='3排4列'", false,
         {"一|0|0", "二|2排2列|5排5列", "三|0|0"}, "\x01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        exec("update 代表信息 set 表1=case 姓名 when '二' then '2排2列' else '0' end where 会议编号=1");
        exec("update 自制模板 set 模板=x'01' where 模板id=" + toText(chart_));
        const Text trigger = c.refusal.empty() ? Text() : refuse("update", "代表信息", c.refusal);
        std::vector<ChartSeat> seats;
        for (const auto& [who, label] : c.seats)
            seats.push_back({isWholeNumberText(who) || findText(who, " ") != -1 ? who : toText(delegate(who)), label});
        EXPECT_EQ(storeSeatingChart(db, 1, chart_, 1, "new", seats), c.stored);
        EXPECT_EQ(delegates({"表1", "表2"}), c.seated);
        EXPECT_EQ(rows("select * from 自制模板 where 模板id=" + toText(chart_), {"模板"}), TextList{c.document});
        if (!trigger.empty())
            exec("drop trigger " + trigger);
    }
}

TEST_F(GroupAndChartStepsTest, ANewChartAndItsNameAreStoredTogether)
{
    const Text refusal = refuse("update", "会议信息");
    EXPECT_FALSE(storeNewChart(db, 1, 2, "晚会", "doc"));
    EXPECT_EQ(rows("select * from 自制模板 where 会议编号=1 order by 表格次序", {"模板名称"}), TextList{"图"});
    exec("drop trigger " + refusal);
    EXPECT_TRUE(storeNewChart(db, 1, 2, "晚会", "doc"));
    EXPECT_EQ(rows("select * from 自制模板 where 会议编号=1 order by 表格次序", {"模板名称", "表格次序", "模板"}),
              (TextList{"图|1|\x01", "晚会|2|doc"}));
    EXPECT_EQ(rows("select * from 会议信息 where 会议编号=1", {"表1", "表2"}), TextList{"图|晚会"});
}

} // namespace
