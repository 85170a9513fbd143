#pragma once
// A test program directory with the delivered database, a scripted person
// and a connection of the test's own for seeding and checking rows.
#include "state/connection.h"
#include "state/globals.h"
#include "common/database/database.h"
#include "common/runtime.h"
#include "tests/support/gbk_print.h"
#include "tests/support/program_directory.h"
#include "tests/support/scripted_interaction.h"
#include "tests/support/user_actions.h"

#include <gtest/gtest.h>

class AppTest : public testing::Test {
protected:
    AppTest()
    {
        resetGlobals();
        EXPECT_TRUE(openDatabase(db, connectionText()));
    }
    ~AppTest() override
    {
        for (Window* w : openWindows())
            closeWindow(*w);
        processEvents();
    }
    void exec(const Text& sql) { EXPECT_TRUE(execSql(db, sql)) << gbkToUtf8(sql); }
    // The rows of a query, each as its columns' texts joined by "|".
    TextList rows(const Text& sql, const TextList& columns)
    {
        TextList result;
        int rs = querySql(db, sql);
        EXPECT_NE(rs, 0) << gbkToUtf8(sql);
        for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs)) {
            Text row;
            for (const Text& c : columns)
                row += (row.empty() ? "" : "|") + readField(rs, c).text();
            result.push_back(row);
        }
        closeRecordSet(rs);
        return result;
    }
    // The message boxes shown so far, each as "text|caption".
    TextList messageTexts()
    {
        TextList texts;
        for (const auto& m : person.messages())
            texts.push_back(m.text + "|" + m.caption);
        return texts;
    }
    // Meeting 2 with data of its own: two delegates lodged, seated at one
    // table and grouped, one checked in, both seated in its own charts 1 and
    // 3. Its hotel, rooms, restaurant, table and delegate numbers are the
    // ones tests give meeting 1, so a statement that forgets the meeting
    // finds them. A meeting row of 2 already there keeps its name.
    void seedOtherMeeting()
    {
        exec("insert or ignore into 会议信息 (会议编号,会议名称,会议地点,会议日期) values (2,'二号会','上海','2024-10-01')");
        exec("update 会议信息 set 表1='外会主会场',表3='外会晚会' where 会议编号=2");
        exec("insert  into 自制模板 (模板名称,模板,会议编号,表格次序) values ('外会主会场',x'00',2,1)");
        exec("insert  into 自制模板 (模板名称,模板,会议编号,表格次序) values ('外会晚会',x'00',2,3)");
        exec("insert  into 会议分组 (分组名称,分组地点,分组时间,召集人,联络员,会议编号)"
             " values ('外会组','二楼','下午','外召集','外联络',2)");
        const Text group = rows("select max(分组id) as id from 会议分组", {"id"}).front();
        exec("insert  into 房间信息 (宾馆名称,房间编号,房间类别,房间人数,已住人数,性别,会议编号)"
             " values ('宾馆','201','标准',2,1,'男',2)");
        exec("insert  into 房间信息 (宾馆名称,房间编号,房间类别,房间人数,已住人数,性别,会议编号)"
             " values ('宾馆','202','标准',2,1,'女',2)");
        exec("insert  into 餐桌信息 (餐厅名称,餐桌编号,可坐人数,已坐人数,会议编号) values ('大厅','1号桌',10,2,2)");
        exec("insert  into 代表信息 (会议编号,代表编号,姓名,单位,性别,职务,手机号码,办公电话,宾馆名称,房间编号,"
             "餐厅名称,餐桌编号,分组编号,报到情况,表1) values (2,'1','外会甲','甲','男','职员','1','1','宾馆','201',"
             "'大厅','1号桌'," + group + ",true,'1排1列')");
        exec("insert  into 代表信息 (会议编号,代表编号,姓名,单位,性别,职务,手机号码,办公电话,宾馆名称,房间编号,"
             "餐厅名称,餐桌编号,分组编号,报到情况,表3) values (2,'2','外会乙','甲','女','职员','2','2','宾馆','202',"
             "'大厅','1号桌'," + group + ",false,'2排2列')");
    }
    // Every stored row of `meeting`, for a check that nothing of it changed.
    TextList meetingRows(int meeting)
    {
        const Text m = toText(meeting);
        TextList all;
        auto add = [&](const Text& sql, const TextList& columns) {
            for (const Text& row : rows(sql, columns))
                all.push_back(row);
        };
        add("select * from 会议信息 where 会议编号=" + m,
            {"会议名称", "会议地点", "会议日期", "表1", "表2", "表3", "表4", "表5"});
        add("select * from 代表信息 where 会议编号=" + m + " order by 代表id",
            {"代表id", "代表编号", "姓名", "单位", "性别", "职务", "手机号码", "办公电话", "照片", "宾馆名称", "房间编号",
             "餐厅名称", "餐桌编号", "分组编号", "报到情况", "表1", "表2", "表3", "表4", "表5"});
        add("select * from 房间信息 where 会议编号=" + m + " order by 房间id",
            {"房间id", "宾馆名称", "房间编号", "房间人数", "已住人数", "性别"});
        add("select * from 餐桌信息 where 会议编号=" + m + " order by 餐桌id", {"餐桌id", "餐厅名称", "餐桌编号", "可坐人数", "已坐人数"});
        add("select * from 会议分组 where 会议编号=" + m + " order by 分组id", {"分组id", "分组名称", "召集人", "联络员"});
        add("select * from 自制模板 where 会议编号=" + m + " order by 模板id", {"模板id", "模板名称", "表格次序"});
        add("select * from 密码信息 where 会议编号=" + m + " order by 用户id", {"用户id", "用户名", "密码", "会议名称"});
        return all;
    }
    // A trigger that refuses the statements of `event` ("insert", "update",
    // "delete") on `table` for which `when` holds, as a locked, full or
    // read-only database would; "" refuses them all.
    // Gives the trigger's name.
    Text refuse(const Text& event, const Text& table, const Text& when = "")
    {
        const Text name = "拒绝" + toText(++refusals_);
        exec("create trigger " + name + " before " + event + " on " + table + (when.empty() ? "" : " when " + when)
             + " begin select raise(abort,'refused'); end");
        return name;
    }

    // The last message box shown, as "text|caption"; "" before any.
    Text lastMessage()
    {
        const TextList texts = messageTexts();
        return texts.empty() ? Text() : texts.back();
    }

    template <class W>
    W* findWindow()
    {
        for (Window* w : openWindows())
            if (auto* found = dynamic_cast<W*>(w))
                return found;
        return nullptr;
    }

    TestProgramDirectory directory;
    ScriptedInteraction person;
    Window seedWindow{"seed", {0, 0, 10, 10}, ""};
    ExternalDatabase db{seedWindow, "seed"};

private:
    int refusals_ = 0;
};
