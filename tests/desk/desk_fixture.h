#pragma once
// A main window on meeting 1 of a seeded test database, beside meeting 2
// whose rows no action of meeting 1 may change.
#include "desk/main_window.h"
#include "tests/app/app_fixture.h"

#include <algorithm>
#include <functional>

class DeskTest : public AppTest {
protected:
    DeskTest() { seedOtherMeeting(); }
    // After the test's own fixture has seeded what it needs.
    void SetUp() override { otherMeetingBefore_ = meetingRows(2); }
    void TearDown() override
    {
        auto lines = [](const TextList& rows) {
            std::string all;
            for (const Text& row : rows)
                all += gbkToUtf8(row) + "\n";
            return all;
        };
        EXPECT_EQ(lines(meetingRows(2)), lines(otherMeetingBefore_)) << "meeting 2 changed";
    }

    // What breaks the stored counts of `meeting`, recounted from its
    // delegates, one line each: a room whose 已住人数 is not the number of
    // delegates lodged in it or exceeds its beds, an occupied room whose
    // 性别 is not the one sex of its guests, an empty room that keeps a sex,
    // a table whose 已坐人数 is not its diners or exceeds its seats, a
    // delegate lodged in or seated at a room or table that is not there.
    // Empty while every count holds.
    TextList countFaults(int meeting = 1)
    {
        const Text m = toText(meeting);
        const Text guests = "from 代表信息 d where d.会议编号=r.会议编号 and d.宾馆名称=r.宾馆名称 and d.房间编号=r.房间编号";
        const Text diners = "from 代表信息 d where d.会议编号=t.会议编号 and d.餐厅名称=t.餐厅名称 and d.餐桌编号=t.餐桌编号";
        TextList faults = rows(
            "select 宾馆名称||房间编号||' 已住'||已住人数||'/'||房间人数||' '||性别||', 住着'||住||' '||ifnull(客性别,'') as 错"
            " from (select r.*, (select count(*) " + guests + ") as 住, (select count(distinct d.性别) " + guests
                + ") as 性别数, (select min(d.性别) " + guests + ") as 客性别 from 房间信息 r where r.会议编号=" + m + ")"
            " where 已住人数<>住 or 已住人数>房间人数 or (住>0 and (性别数>1 or 性别<>客性别))"
            " or (住=0 and 性别 in ('男','女'))",
            {"错"});
        const TextList more[] = {
            rows("select 餐厅名称||餐桌编号||' 已坐'||已坐人数||'/'||可坐人数||', 坐着'||坐 as 错 from (select t.*,"
                 " (select count(*) " + diners + ") as 坐 from 餐桌信息 t where t.会议编号=" + m + ")"
                 " where 已坐人数<>坐 or 已坐人数>可坐人数",
                 {"错"}),
            rows("select 姓名||' 住在没有的 '||宾馆名称||房间编号 as 错 from 代表信息 d where 会议编号=" + m
                 + " and 房间编号<>'0' and not exists (select 1 from 房间信息 r where r.会议编号=d.会议编号"
                   " and r.宾馆名称=d.宾馆名称 and r.房间编号=d.房间编号)",
                 {"错"}),
            rows("select 姓名||' 坐在没有的 '||餐厅名称||餐桌编号 as 错 from 代表信息 d where 会议编号=" + m
                 + " and 餐桌编号<>'0' and not exists (select 1 from 餐桌信息 t where t.会议编号=d.会议编号"
                   " and t.餐厅名称=d.餐厅名称 and t.餐桌编号=d.餐桌编号)",
                 {"错"}),
        };
        for (const TextList& list : more)
            faults.insert(faults.end(), list.begin(), list.end());
        return faults;
    }

    // An action refused halfway by a trigger on `table` for `event` and
    // `when`, and the failure it must show.
    struct Refusal {
        const char* what;
        Text event, table, when;
        std::function<void(MainWindow&)> act;
        Text message;
    };
    // For each refusal, on meeting 1 seeded anew by `seed` (which gives the
    // window on its page): nothing of meeting 1 changes, the failure is
    // shown, and `expectShownAsStored` finds the screen as the database is.
    void expectRefusalsKeepNothing(const std::vector<Refusal>& refusals, const std::function<MainWindow&()>& seed,
                                   const std::function<void()>& expectShownAsStored)
    {
        person.answerEveryMessage(AnswerOk);
        for (const Refusal& r : refusals) {
            SCOPED_TRACE(r.what);
            MainWindow& w = seed();
            const TextList before = meetingRows(1);
            const Text trigger = refuse(r.event, r.table, r.when);
            r.act(w);
            EXPECT_TEXT_EQ(r.message, lastMessage());
            EXPECT_EQ(meetingRows(1), before);
            expectShownAsStored();
            exec("drop trigger " + trigger);
        }
    }

    // Delegates of meeting 1: (单位, 姓名, 性别, 代表编号).
    void addDelegate(const Text& unit, const Text& name, const Text& sex, const Text& number, int meeting = 1)
    {
        exec("insert  into 代表信息 (姓名,单位,性别,代表编号,会议编号) values ('" + sqlText(name) + "','"
             + sqlText(unit) + "','" + sex + "','" + number + "'," + toText(meeting) + ")");
    }
    // Rooms of meeting 1, with the guests and the sex their count keeps.
    void addRoom(const Text& hotel, const Text& number, int beds, int occupants = 0, const Text& sex = "无")
    {
        exec("insert  into  房间信息 (宾馆名称,房间编号,房间类别,房间人数,已住人数,性别,会议编号)  values  ('" + hotel
             + "','" + number + "','标准'," + toText(beds) + "," + toText(occupants) + ",'" + sex + "',1)");
    }
    // `lines` ("a|b|c") with each of `changes` in place of the line of its
    // first field, or added where no line has it.
    static TextList withChanges(TextList lines, const TextList& changes)
    {
        auto key = [](const Text& line) { return leftText(line, findText(line, "|")); };
        for (const Text& change : changes) {
            const auto same =
                std::find_if(lines.begin(), lines.end(), [&](const Text& line) { return key(line) == key(change); });
            if (same == lines.end())
                lines.push_back(change);
            else
                *same = change;
        }
        return lines;
    }
    // The one number that `sql` gives in `column`; 0, failing, when it gives
    // no row or more than one.
    int idOf(const Text& sql, const Text& column)
    {
        const TextList found = rows(sql, {column});
        EXPECT_EQ(found.size(), 1u) << gbkToUtf8(sql);
        return found.size() == 1 ? toInteger(found.front()) : 0;
    }
    MainWindow& open()
    {
        otherMeetingBefore_ = meetingRows(2);   // with what the test added to it
        currentMeetingId = 1;
        currentMeetingName = "一号会";
        window = loadWindow<MainWindow>(nullptr, false);
        EXPECT_NE(window, nullptr);
        return *window;
    }
    MainWindow& openUnlocked()
    {
        MainWindow& w = open();
        chooseMenuItem(w.数据锁定);
        return w;
    }
    // A second desk on the same meeting: a main window of its own with a
    // connection of its own, its lock released. The person turns to a desk
    // by bringing its window to the front.
    MainWindow& openOtherDesk()
    {
        MainWindow* other = loadWindow<MainWindow>(nullptr, false);
        EXPECT_NE(other, nullptr);
        chooseMenuItem(other->数据锁定);
        return *other;
    }
    // The tree as "text/image/value" per item, top-down.
    TextList tree()
    {
        TextList items;
        for (int i = 0; i < treeItemCount(window->树型框1); ++i)
            items.push_back(treeItemText(window->树型框1, i) + "/" + toText(treeItemImage(window->树型框1, i))
                            + "/" + (treeItemValue(window->树型框1, i) != 0 ? "1" : "0"));
        return items;
    }

    MainWindow* window = nullptr;

private:
    TextList otherMeetingBefore_;
};
