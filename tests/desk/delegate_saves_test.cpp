// Storing a delegate from plain records: a new one, a changed one, and the
// sex of a lodged one against his room's other guests.
#include "desk/delegate_saves.h"
#include "tests/desk/desk_fixture.h"

namespace {

class DelegateSavesTest : public DeskTest {
protected:
    // Meeting 1: M1 and M2 in 宾馆301, M3 alone in 宾馆201 (the number of a
    // room of meeting 2 with its own guest), U unlodged.
    void seed()
    {
        for (const char* table : {"代表信息", "房间信息"})
            exec(Text("delete from ") + table + " where 会议编号=1");
        addRoom("宾馆", "301", 2, 2, "男");
        addRoom("宾馆", "201", 2, 1, "男");
        for (const char* name : {"M1", "M2", "M3", "U"})
            addDelegate("甲", name, "男", name);
        exec("update 代表信息 set 宾馆名称='宾馆',房间编号='301' where 姓名 in ('M1','M2')");
        exec("update 代表信息 set 宾馆名称='宾馆',房间编号='201' where 姓名='M3'");
    }
    // The delegates of meeting 1 with sex, post and photo, and its rooms
    // with their sex.
    TextList stored()
    {
        TextList all = rows("select * from 代表信息 where 会议编号=1", {"姓名", "性别", "职务", "照片"});
        for (const Text& room : rows("select * from 房间信息 where 会议编号=1", {"房间编号", "性别"}))
            all.push_back(room);
        return all;
    }
    static constexpr const char* kSeeded[] = {"M1|男||", "M2|男||", "M3|男||", "U|男||", "201|男", "301|男"};
};

TEST_F(DelegateSavesTest, ADelegateIsStoredUnlessHisRoomHoldsGuestsOfTheOtherSex)
{
    struct Case {
        const char* what;
        Text who;   // "" for a new delegate, "X" for one deleted meanwhile
        Text sex;
        Text refusal;   // a statement refused, on 房间信息
        DelegateSaved outcome;
        Text room;
        TextList changed;   // lines of stored() that differ from the seed
    } cases[] = {
        {"a new delegate with a photo", "", "女", "", DelegateSaved::Saved, "", {"N|女|处长|1会.PIC"}},
        {"an unlodged delegate changes sex", "U", "女", "", DelegateSaved::Saved, "", {"U|女|处长|1会.PIC"}},
        {"guests of his sex stay with him", "M2", "男", "", DelegateSaved::Saved, "", {"M2|男|处长|1会.PIC"}},
        {"another guest keeps him from the other sex", "M2", "女", "", DelegateSaved::RoomOfOtherSex, "宾馆301房间", {}},
        {"alone, his room follows; the other meeting's room keeps its guest", "M3", "女", "", DelegateSaved::Saved,
         "", {"M3|女|处长|1会.PIC", "201|女"}},
        {"a delegate deleted meanwhile", "X", "女", "", DelegateSaved::Gone, "", {}},
        {"his room's sex refused", "M3", "女", "update", DelegateSaved::Failed, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        seed();
        addDelegate("甲", "X", "男", "X");
        const int id = c.who.empty() ? 0 : idOf("select * from 代表信息 where 姓名='" + c.who + "'", "代表id");
        exec("delete from 代表信息 where 姓名='X'");
        const Text trigger = c.refusal.empty() ? Text() : refuse(c.refusal, "房间信息");
        const DelegateEntry entry{id, c.who.empty() ? Text("N") : c.who, "甲", c.sex, "处长", " ", " ",
                                  c.who.empty() ? Text("N") : c.who, "1会.PIC"};
        const DelegateSave save = saveDelegate(db, 1, entry);
        EXPECT_EQ(static_cast<int>(save.outcome), static_cast<int>(c.outcome));
        EXPECT_TEXT_EQ(c.room, save.room);
        TextList expected = withChanges(TextList(std::begin(kSeeded), std::end(kSeeded)), c.changed);
        TextList found = stored();
        std::sort(found.begin(), found.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(found, expected);
        EXPECT_EQ(countFaults(), TextList{});
        if (!trigger.empty())
            exec("drop trigger " + trigger);
    }
}

} // namespace
