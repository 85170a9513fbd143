// The reports' lookups of the people of one room, banquet table or group
// search an index by their keys, in the delivered database and in one made
// before text sorted in GBK order, which gains the indexes when a report
// window opens it and fills as before.
#include "tests/reports/report_fixture.h"

namespace {

class ReportDatabaseTest : public ReportTest {
protected:
    // The steps of the engine's plan for `sql`, joined by "; ".
    Text plan(const Text& sql)
    {
        // An explanation runs nothing, so the engine would explain with the
        // schema it last read: a read first sees the report window's indexes.
        rows("select count(*) as n from sqlite_master", {"n"});
        Text steps;
        for (const Text& step : rows("explain query plan " + sql, {"detail"}))
            steps += (steps.empty() ? "" : "; ") + step;
        return steps;
    }
    // meeting.mdb replaced by the delivered schema as it was before: text
    // columns without the collation, no lookup indexes; meeting 1 only.
    void useOlderDatabase()
    {
        const TextList schema = rows("select sql from sqlite_master where sql is not null and name not like 'sqlite%'"
                                     " and name not in ('代表信息_房间','代表信息_餐桌','代表信息_分组') order by rowid",
                                     {"sql"});
        // Emptied in place: a file that is no database does not open.
        for (const Text& table : rows("select name from sqlite_master where type='table' and name not like 'sqlite%'",
                                      {"name"}))
            exec("drop table " + table);
        for (Text statement : schema) {
            for (size_t at; (at = statement.find(" COLLATE GBK")) != Text::npos;)
                statement.erase(at, 12);
            exec(statement);
        }
        exec("insert  into 会议信息 (会议编号,会议名称) values (1,'春季会')");
    }
};

TEST_F(ReportDatabaseTest, EachLookupSearchesByItsKeysInTheDeliveredAndAnOlderDatabase)
{
    const struct {
        const char* sql;
        const char* keys;
    } lookups[] = {
        {"select 姓名 from 代表信息  where  宾馆名称='东楼'  and  房间编号='101'  and  会议编号=1  order  by 代表编号 ",
         "宾馆名称=? AND 房间编号=?"},
        {"select 姓名 from 代表信息  where  餐厅名称='宴会厅'  and  餐桌编号='1号桌' and  会议编号=1  order  by 代表编号 ",
         "餐厅名称=? AND 餐桌编号=?"},
        {"select 姓名 from 代表信息  where  分组编号=1  and  会议编号=1  order  by 代表编号 ", "分组编号=?"},
    };
    for (bool older : {false, true}) {
        SCOPED_TRACE(older ? "older database" : "delivered database");
        if (older) {
            useOlderDatabase();
            for (const auto& lookup : lookups)
                EXPECT_EQ(Text::npos, plan(lookup.sql).find(lookup.keys)) << gbkToUtf8(plan(lookup.sql));
        }
        addRoom(1, "东楼", "101", 2);
        addDelegate(1, "002", "李四", "东楼", "101");
        addDelegate(1, "001", "张三", "东楼", "101");
        ReportWindow* w = open("客房一览表");
        ASSERT_NE(w, nullptr);
        EXPECT_LINES_EQ(TextList{"1|东楼|101|标准间|2|张三·李四|无"}, dataRows(w->报表数据源));
        closeWindow(*w);
        for (const auto& lookup : lookups) {
            const Text steps = plan(lookup.sql);
            EXPECT_NE(Text::npos, steps.find(lookup.keys)) << gbkToUtf8(steps);
            EXPECT_EQ(Text::npos, steps.find("TEMP B-TREE")) << gbkToUtf8(steps);   // no sort of its own
        }
    }
    EXPECT_TRUE(person.messages().empty());
}

} // namespace
