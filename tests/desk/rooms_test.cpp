// Rooms: batches of new rooms, the manual assignment through the pending
// list, deleting rooms, clearing every assignment and the automatic run.
#include "tests/desk/desk_fixture.h"

namespace {

class RoomsTest : public DeskTest {
protected:
    MainWindow& openRooms()
    {
        MainWindow& w = openUnlocked();
        chooseMenuItem(w.客房分配);
        return w;
    }
    void batch(const Text& first, const Text& last, bool interval, const Text& beds = "2")
    {
        window->编辑框8.setContent("宾馆");
        window->编辑框9.setContent("标准");
        window->编辑框10.setContent(first);
        window->编辑框11.setContent(last);
        window->编辑框12.setContent(beds);
        if (window->选择框2.checked() != interval)
            click(window->选择框2);
        click(window->确定手动分配);
    }
    // Every row of the room list shows a stored room of meeting 1 with its
    // guests and sex.
    void expectListShowsStoredRooms(MainWindow* desk = nullptr)
    {
        ListView& list = (desk ? desk : window)->超级列表框1;
        for (int r = 0; r < listRowCount(list); ++r)
            EXPECT_EQ(rows("select * from 房间信息 where 会议编号=1 and 房间id=" + toText(listRowValue(list, r)),
                           {"已住人数", "性别"}),
                      TextList{listCellText(list, r, 4) + "|" + listCellText(list, r, 5)})
                << "row " << r;
    }
    // The row of the room numbered `number`, the tree item named `name`.
    int roomRow(MainWindow& w, const Text& number)
    {
        for (int r = 0; r < listRowCount(w.超级列表框1); ++r)
            if (listCellText(w.超级列表框1, r, 1) == number)
                return r;
        ADD_FAILURE() << "no room " << gbkToUtf8(number);
        return -1;
    }
    int treeItem(MainWindow& w, const Text& name)
    {
        for (int i = 0; i < treeItemCount(w.树型框1); ++i)
            if (treeItemText(w.树型框1, i) == name)
                return i;
        ADD_FAILURE() << "no delegate " << gbkToUtf8(name);
        return -1;
    }
    TextList unlodged() { return rows("select * from 代表信息 where 会议编号=1 and 房间编号='0'", {"姓名"}); }
    TextList roomNumbers() { return rows("select * from 房间信息 where 会议编号=1 order by 房间id", {"房间编号"}); }
    TextList lodging() { return rows("select * from 代表信息 where 会议编号=1 order by 代表编号", {"姓名", "宾馆名称", "房间编号"}); }
};

TEST_F(RoomsTest, BatchesNumberTheirRoomsAndStopAtAnExistingOne)
{
    MainWindow& w = openRooms();
    click(w.房间调整);
    EXPECT_TEXT_EQ("增加", w.确定手动分配.caption());
    struct Case {
        Text first, last;
        bool interval;
        TextList added;
    } cases[] = {
        {"0801", "0803", false, {"0801", "0802", "0803"}},
        {"101", "110", true, {"101", "103", "105", "107", "109"}},
        {"9", "11", false, {"9", "10", "11"}},
    };
    for (const Case& c : cases) {
        exec("delete from 房间信息 where 会议编号=1");
        batch(c.first, c.last, c.interval);
        EXPECT_EQ(roomNumbers(), c.added) << c.first;
    }
    EXPECT_EQ(listRowCount(w.超级列表框1), 3);   // the maintenance listing after the batch
    EXPECT_EQ(rows("select * from 房间信息 where 会议编号=1 and 房间编号='10'", {"房间人数", "已住人数", "性别"}), TextList{"2|0|无"});

    for (int i = 0; i < 5; ++i)
        person.answerMessage(AnswerOk);
    batch("", "3", false);
    batch("5", "3", false);
    batch("1", "2", false, "2;drop table 房间信息");
    batch("1", "999999", false);
    batch("8", "12", false);   // 9 exists: 8 is added, nothing after it
    EXPECT_EQ(messageTexts(), (TextList{"房间编号有错误！|", "房间编号有错误！|", "请填全内容！|",
                                         "房间编号有错误！|", "宾馆9房间已经存在！|"}));
    EXPECT_EQ(roomNumbers(), (TextList{"9", "10", "11", "8"}));
}

TEST_F(RoomsTest, BatchNumbersAreDigitsCountedExactlyAndBedsAWholeNumber)
{
    MainWindow& w = openRooms();
    click(w.房间调整);
    person.answerEveryMessage(AnswerOk);
    for (const char* beds : {"0", "-2", "+3", "32768", "2.5"})
        batch("1", "2", false, beds);
    // Not digits, or no number above 0; "１" is a full-width digit.
    for (auto [first, last] : {std::pair{"1e20", "1e20"}, {"1.5", "3"}, {"1", "1e1"}, {"000", "3"}, {"１", "3"}})
        batch(first, last, false);
    TextList refusals(5, "请填全内容！|");
    refusals.resize(10, "房间编号有错误！|");
    EXPECT_EQ(messageTexts(), refusals);
    EXPECT_EQ(roomNumbers(), TextList{});

    // Counted on exactly past what a double holds, keeping the width.
    batch("99999999999999999998", "100000000000000000000", false, "32767");
    batch("9007199254740992", "9007199254740993", false, "1");
    batch("0098", "0100", false);
    EXPECT_EQ(roomNumbers(), (TextList{"99999999999999999998", "99999999999999999999", "100000000000000000000",
                                        "9007199254740992", "9007199254740993", "0098", "0099", "0100"}));
    EXPECT_EQ(rows("select * from 房间信息 where 会议编号=1 order by 房间id", {"房间人数"}),
              (TextList{"32767", "32767", "32767", "1", "1", "2", "2", "2"}));
    EXPECT_EQ(listRowCount(w.超级列表框1), 8);
    EXPECT_EQ(countFaults(), TextList{});
}

TEST_F(RoomsTest, PicksGoThroughThePendingListAndACommit)
{
    addDelegate("甲", "张三", "男", "1");
    addDelegate("甲", "李四", "女", "2");
    addDelegate("甲", "王五", "男", "3");
    addRoom("宾馆", "201", 2);
    addRoom("宾馆", "1001", 2);
    addRoom("宾馆", "301", 1, 1, "男");   // full: not listed
    MainWindow& w = openRooms();
    click(w.手动分配);
    ASSERT_EQ(listRowCount(w.超级列表框1), 2);
    EXPECT_TEXT_EQ("1001", listCellText(w.超级列表框1, 0, 1));   // room numbers as text
    EXPECT_TRUE(listRowChecked(w.超级列表框1, 1));
    EXPECT_EQ(treeItemCount(w.树型框1), 4);

    clickListRow(w.超级列表框1, 1);
    EXPECT_TEXT_EQ("201", w.标签11.caption());
    clickTreeItem(w.树型框1, 1);
    clickTreeItem(w.树型框1, 3);
    ASSERT_EQ(listRowCount(w.超级列表框2), 2);
    EXPECT_TEXT_EQ("2", listCellText(w.超级列表框2, 1, 3));

    // Cancelling the first pick gives its bed back to the room and to the
    // later pick's count.
    w.超级列表框2.setCurrentRow(0);
    click(w.删除表项);
    ASSERT_EQ(listRowCount(w.超级列表框2), 1);
    EXPECT_TEXT_EQ("1", listCellText(w.超级列表框2, 0, 3));
    EXPECT_TEXT_EQ("1", listCellText(w.超级列表框1, 1, 4));

    click(w.确定手动分配);
    EXPECT_EQ(lodging(), (TextList{"张三| |0", "李四| |0", "王五|宾馆|201"}));
    EXPECT_EQ(rows("select * from 房间信息 where 会议编号=1 and 房间编号='201'", {"已住人数", "性别"}), TextList{"1|男"});
    EXPECT_EQ(treeItemCount(w.树型框1), 3);   // refreshed: only the unassigned
}

TEST_F(RoomsTest, DeletingAndClearingReleaseTheDelegates)
{
    addDelegate("甲", "张三", "男", "1");
    addDelegate("甲", "李四", "女", "2");
    addRoom("宾馆", "201", 2, 1, "男");
    addRoom("宾馆", "202", 2, 1, "女");
    exec("update 代表信息 set 宾馆名称='宾馆',房间编号='201' where 姓名='张三'");
    exec("update 代表信息 set 宾馆名称='宾馆',房间编号='202' where 姓名='李四'");
    MainWindow& w = openRooms();
    click(w.房间调整);
    person.answerMessage(AnswerOk);
    click(w.删除表项);   // nothing ticked
    clickListRowTick(w.超级列表框1, 0);
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.删除表项);
    EXPECT_EQ(roomNumbers(), TextList{"202"});
    EXPECT_EQ(lodging(), (TextList{"张三| |0", "李四|宾馆|202"}));

    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.全部清空);
    EXPECT_EQ(messageTexts(), (TextList{"请先选中待删除的房间项！|注意",
                                         "真的要删除当前房间吗？\r\n删除的信息将不能恢复！|警告",
                                         "所选房间成功删除，请给对应的代表重新分配房间！|注意",
                                         "真的要清空并重新分配所有房间吗？\r\n清空的信息将不能恢复！|警告",
                                         "清空成功执行！|恭喜"}));
    EXPECT_EQ(lodging(), (TextList{"张三| |0", "李四| |0"}));
    EXPECT_EQ(rows("select * from 房间信息 where 会议编号=1", {"已住人数", "性别"}), TextList{"0|无 "});
    EXPECT_EQ(listRowCount(w.超级列表框1), 1);   // refreshed in the manual mode
    EXPECT_TEXT_EQ("确认", w.确定手动分配.caption());
}

TEST_F(RoomsTest, TheAutomaticRunFollowsOrganisationsAndSexes)
{
    // Four organisations in number order: O1 M1 W1, O2 M2, O3 M3 W2, O4 M4.
    addDelegate("O1", "M1", "男", "01");
    addDelegate("O1", "W1", "女", "02");
    addDelegate("O2", "M2", "男", "03");
    addDelegate("O3", "M3", "男", "04");
    addDelegate("O3", "W2", "女", "05");
    addDelegate("O4", "M4", "男", "06");
    addRoom("宾馆", "R1", 2);
    addRoom("宾馆", "R2", 2);
    addRoom("宾馆", "R3", 3);
    MainWindow& w = openRooms();
    click(w.手动分配);
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.自动分配);
    EXPECT_TEXT_EQ("房间不够分配|", messageTexts().back());
    EXPECT_EQ(lodging(), (TextList{"M1|宾馆|R1", "W1|宾馆|R2", "M2|宾馆|R1", "M3|宾馆|R3", "W2| |0", "M4|宾馆|R3"}));
    EXPECT_EQ(rows("select * from 房间信息 where 会议编号=1 order by 房间编号", {"已住人数", "性别"}),
              (TextList{"2|男", "1|女", "2|男"}));
}

TEST_F(RoomsTest, TheAutomaticRunFirstCommitsThePicksMadeBeforeIt)
{
    struct Case {
        const char* what;
        Text pickedSex;
        TextList lodging, rooms;
    } cases[] = {
        // The picked man's room is open for men: the other man joins him.
        {"a man picked", "男", {"P|R1", "M|R1"}, {"R1|2|男", "R2|0|无"}},
        {"a woman picked", "女", {"P|R1", "M|R2"}, {"R1|1|女", "R2|1|男"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        exec("delete from 代表信息 where 会议编号=1");
        exec("delete from 房间信息 where 会议编号=1");
        addDelegate("O1", "P", c.pickedSex, "01");
        addDelegate("O1", "M", "男", "02");
        addRoom("宾馆", "R1", 2);
        addRoom("宾馆", "R2", 2);
        MainWindow& w = window ? *window : openRooms();
        click(w.手动分配);
        clickListRow(w.超级列表框1, 0);
        clickTreeItem(w.树型框1, 1);
        ASSERT_EQ(listRowCount(w.超级列表框2), 1);

        person.answerMessage(AnswerCancel);
        click(w.自动分配);
        EXPECT_EQ(listRowCount(w.超级列表框2), 1);   // kept for the commit
        EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1 and 房间编号<>'0'", {"姓名"}), TextList{});

        person.answerMessage(AnswerOk).answerMessage(AnswerOk);
        click(w.自动分配);
        EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1 order by 代表编号", {"姓名", "房间编号"}), c.lodging);
        EXPECT_EQ(rows("select * from 房间信息 where 会议编号=1 order by 房间编号", {"房间编号", "已住人数", "性别"}), c.rooms);
        EXPECT_EQ(listRowCount(w.超级列表框2), 0);
        expectListShowsStoredRooms();
        EXPECT_EQ(countFaults(), TextList{});
    }
}

// A pick that another desk made stale before the run is given back and
// named; the run goes on over what is stored.
TEST_F(RoomsTest, TheAutomaticRunNamesThePicksBeforeItThatItGivesBack)
{
    addDelegate("O1", "P", "男", "01");
    addDelegate("O1", "M", "男", "02");
    addRoom("宾馆", "R1", 2);
    addRoom("宾馆", "R2", 2);
    MainWindow& w = openRooms();
    click(w.手动分配);
    clickListRow(w.超级列表框1, 0);
    clickTreeItem(w.树型框1, 1);   // P into R1, pending
    exec("update 代表信息 set 宾馆名称='宾馆',房间编号='R2' where 姓名='P'");
    exec("update 房间信息 set 已住人数=1,性别='男' where 会议编号=1 and 房间编号='R2'");

    person.answerEveryMessage(AnswerOk);
    click(w.自动分配);
    const TextList shown = messageTexts();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_TEXT_EQ("下列分配未能保存，已经退回：\r\nP（宾馆R1房间）：代表已分配了房间|注意", shown[shown.size() - 2]);
    EXPECT_TEXT_EQ("代表分配完毕,请查看‘客房报表’|", shown.back());
    EXPECT_EQ(lodging(), (TextList{"P|宾馆|R2", "M|宾馆|R1"}));
    EXPECT_EQ(listRowCount(w.超级列表框2), 0);
    EXPECT_EQ(countFaults(), TextList{});
}

TEST_F(RoomsTest, TheAutomaticRunKeepsRunsTogetherAndFillsTheOpenRoomFirst)
{
    struct Room {
        Text number;
        int beds, occupants;
        Text sex;
    };
    struct Case {
        const char* what;
        std::vector<Room> rooms;
        TextList delegates;   // "sex:name", all of one organisation
        TextList lodging;     // name|room, in number order
        Text message;
    } cases[] = {
        {"a run fills its room, the rest waits for the next",
         {{"A", 2, 0, "无"}, {"B", 2, 0, "无"}}, {"男:M1", "男:M2", "男:M3"},
         {"M1|A", "M2|A", "M3|B"}, "代表分配完毕,请查看‘客房报表’|"},
        {"the run skips the other sex, who starts the next room",
         {{"A", 4, 0, "无"}, {"B", 2, 0, "无"}}, {"男:M1", "女:W1", "男:M2"},
         {"M1|B", "W1|A", "M2|B"}, "代表分配完毕,请查看‘客房报表’|"},
        {"the open room is filled up, the rest opens the empty one",
         {{"X", 2, 1, "男"}, {"Y", 3, 0, "无"}}, {"男:M1", "男:M2"},
         {"M1|X", "M2|Y"}, "代表分配完毕,请查看‘客房报表’|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        exec("delete from 代表信息 where 会议编号=1");
        exec("delete from 房间信息 where 会议编号=1");
        for (const Room& r : c.rooms)
            addRoom("宾馆", r.number, r.beds, r.occupants, r.sex);
        for (size_t i = 0; i < c.delegates.size(); ++i) {
            const Text& d = c.delegates[i];
            addDelegate("O1", rightText(d, textLength(d) - 3), leftText(d, 2), "0" + toText(static_cast<int>(i)));
        }
        MainWindow& w = window ? *window : openRooms();
        click(w.手动分配);
        person.answerMessage(AnswerOk).answerMessage(AnswerOk);
        click(w.自动分配);
        EXPECT_TEXT_EQ(c.message, lastMessage());
        EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1 order by 代表编号", {"姓名", "房间编号"}), c.lodging);
    }
}

TEST_F(RoomsTest, TheAutomaticRunAsksFirstAndSkipsExcludedDelegates)
{
    addDelegate("O1", "M1", "男", "01");
    addDelegate("O1", "M2", "男", "02");
    addRoom("宾馆", "R1", 2);
    MainWindow& w = openRooms();
    click(w.手动分配);
    person.answerMessage(AnswerCancel);
    click(w.自动分配);
    EXPECT_EQ(lodging(), (TextList{"M1| |0", "M2| |0"}));

    clickTreeItem(w.树型框1, 1);   // the left button first, then the right
    clickTreeItem(w.树型框1, 1, RightButton);
    EXPECT_EQ(treeItemImage(w.树型框1, 1), 7);
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.自动分配);
    EXPECT_EQ(lodging(), (TextList{"M1| |0", "M2|宾馆|R1"}));

    clickListRowTick(w.超级列表框1, 0);
    ASSERT_FALSE(listRowChecked(w.超级列表框1, 0));
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.自动分配);
    EXPECT_TEXT_EQ("请先选中待分配的房间项！|注意", messageTexts().back());

    // Everybody excluded: nothing to place and no refresh.
    exec("update 代表信息 set 宾馆名称=' ',房间编号='0' where 会议编号=1");
    exec("update 房间信息 set 已住人数=0,性别='无' where 会议编号=1");
    click(w.手动分配);
    for (int item : {1, 2}) {
        clickTreeItem(w.树型框1, item);
        clickTreeItem(w.树型框1, item, RightButton);
    }
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.自动分配);
    EXPECT_TEXT_EQ("代表分配完毕|", messageTexts().back());
    EXPECT_EQ(lodging(), (TextList{"M1| |0", "M2| |0"}));
    EXPECT_EQ(treeItemImage(w.树型框1, 1), 7);   // not refreshed
}

TEST_F(RoomsTest, AnActionRefusedHalfwayKeepsNothingAndSaysSo)
{
    const std::vector<Refusal> refusals = {
        {"commit", "update", "房间信息", "new.已住人数=2",
         [](MainWindow& w) {
             clickListRow(w.超级列表框1, 0);
             clickTreeItem(w.树型框1, 1);
             clickTreeItem(w.树型框1, 2);
             click(w.确定手动分配);
         },
         "分配失败！|失败了"},
        {"automatic run", "update", "房间信息", "new.已住人数=2", [](MainWindow& w) { click(w.自动分配); },
         "自动分配失败！|"},
        {"clear all", "update", "代表信息", "", [](MainWindow& w) { click(w.全部清空); }, "清空失败！|失败了"},
        {"delete", "delete", "房间信息", "",
         [](MainWindow& w) {
             click(w.房间调整);
             clickListRowTick(w.超级列表框1, 1);   // 302, with its guest
             click(w.删除表项);
         },
         "删除失败！|注意"},
        {"batch", "insert", "房间信息", "new.房间编号='403'",
         [this](MainWindow& w) {
             click(w.房间调整);
             batch("401", "405", false);
         },
         "增加失败！|"},
    };
    expectRefusalsKeepNothing(
        refusals,
        [this]() -> MainWindow& {
            exec("delete from 代表信息 where 会议编号=1");
            exec("delete from 房间信息 where 会议编号=1");
            addDelegate("O1", "M1", "男", "01");
            addDelegate("O1", "M2", "男", "02");
            addDelegate("O2", "W1", "女", "03");
            addRoom("宾馆", "301", 2);
            addRoom("宾馆", "302", 2, 1, "女");
            exec("update 代表信息 set 宾馆名称='宾馆',房间编号='302' where 姓名='W1'");
            MainWindow& w = window ? *window : openRooms();
            click(w.手动分配);
            return w;
        },
        [this] { expectListShowsStoredRooms(); });
}

TEST_F(RoomsTest, APickGoesWithTheListItWasMadeOn)
{
    addDelegate("O1", "M1", "男", "01");
    addRoom("宾馆", "R1", 2);
    addRoom("宾馆", "R2", 2);
    MainWindow& w = openRooms();
    click(w.手动分配);
    clickListRow(w.超级列表框1, 0);
    clickTreeItem(w.树型框1, 1);   // M1 into R1, pending
    ASSERT_EQ(listRowCount(w.超级列表框2), 1);

    // R1 is deleted in the maintenance listing; the automatic run shows the
    // pending list again, and its commit must not lodge M1 in R1.
    person.answerEveryMessage(AnswerOk);
    click(w.房间调整);
    clickListRowTick(w.超级列表框1, 0);
    click(w.删除表项);
    clickListRowTick(w.超级列表框1, 0);
    click(w.自动分配);
    click(w.确定手动分配);
    EXPECT_EQ(lodging(), TextList{"M1| |0"});
    EXPECT_EQ(countFaults(), TextList{});
}

// The first desk's maintenance listing still shows a room that the other
// desk deleted, made again with the same number and lodged a delegate in:
// its delete is given back, and the room made again keeps its guest.
TEST_F(RoomsTest, AStaleDeleteLeavesTheRoomMadeAgainWithItsNumber)
{
    addDelegate("O1", "M1", "男", "01");
    addRoom("宾馆", "301", 2);
    addRoom("宾馆", "302", 2);
    MainWindow& first = openRooms();
    click(first.房间调整);
    MainWindow& second = openOtherDesk();
    chooseMenuItem(second.客房分配);
    person.answerEveryMessage(AnswerOk);
    click(second.房间调整);
    clickListRowTick(second.超级列表框1, roomRow(second, "301"));
    click(second.删除表项);
    window = &second;
    batch("301", "301", false);
    click(second.手动分配);
    clickListRow(second.超级列表框1, roomRow(second, "301"));
    clickTreeItem(second.树型框1, treeItem(second, "M1"));
    click(second.确定手动分配);
    window = &first;
    ASSERT_EQ(lodging(), TextList{"M1|宾馆|301"});

    bringToFront(first);
    const size_t shown = person.messages().size();
    clickListRowTick(first.超级列表框1, roomRow(first, "301"));
    clickListRowTick(first.超级列表框1, roomRow(first, "302"));
    click(first.删除表项);
    const TextList all = messageTexts();
    EXPECT_EQ(TextList(all.begin() + shown, all.end()),
              (TextList{"真的要删除当前房间吗？\r\n删除的信息将不能恢复！|警告", "下列房间未能删除：\r\n宾馆301房间：房间已被删除|注意",
                        "所选房间成功删除，请给对应的代表重新分配房间！|注意"}));
    EXPECT_EQ(lodging(), TextList{"M1|宾馆|301"});
    EXPECT_EQ(rows("select * from 房间信息 where 会议编号=1", {"房间编号", "已住人数", "性别"}), TextList{"301|1|男"});
    EXPECT_EQ(countFaults(), TextList{});
    EXPECT_EQ(listRowCount(first.超级列表框1), 1);   // what is stored now
    expectListShowsStoredRooms(&first);
}

// Two desks run the automatic assignment one after the other, each over
// the page it loaded before the other's run: the second places only who is
// still unlodged, into beds still free, and then shows what is stored.
TEST_F(RoomsTest, TwoDesksRunsPlaceEveryDelegateOnceIntoFreeBeds)
{
    struct Case {
        const char* what;
        TextList leftOutAtFirst;   // rooms the first desk unticks
        size_t lodgedByFirst;
    } cases[] = {
        {"the first desk lodges everybody", {}, 10},
        {"the first desk leaves rooms out", {"304", "305", "306"}, 6},
    };
    MainWindow& first = openRooms();
    MainWindow& second = openOtherDesk();
    chooseMenuItem(second.客房分配);
    person.answerEveryMessage(AnswerOk);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        exec("delete from 代表信息 where 会议编号=1");
        exec("delete from 房间信息 where 会议编号=1");
        // O1 four men, O2 three women, O3 two men and a woman.
        const std::string sexes = "mmmmwwwmmw";
        for (int i = 0; i < 10; ++i)
            addDelegate(i < 4 ? "O1" : i < 7 ? "O2" : "O3", "代" + toText(i), sexes[i] == 'w' ? "女" : "男",
                        "0" + toText(i));
        for (int room = 301; room <= 306; ++room)
            addRoom("宾馆", toText(room), 2);
        bringToFront(first);
        click(first.手动分配);
        for (const Text& room : c.leftOutAtFirst)
            clickListRowTick(first.超级列表框1, roomRow(first, room));
        bringToFront(second);
        click(second.手动分配);

        bringToFront(first);
        click(first.自动分配);
        const TextList lodged = rows("select * from 代表信息 where 会议编号=1 and 房间编号<>'0' order by 代表编号",
                                     {"姓名", "房间编号"});
        ASSERT_EQ(lodged.size(), c.lodgedByFirst);
        bringToFront(second);
        click(second.自动分配);
        EXPECT_EQ(countFaults(), TextList{});
        EXPECT_EQ(unlodged(), TextList{});
        // Nobody the first desk lodged has moved.
        const TextList after = rows("select * from 代表信息 where 会议编号=1 order by 代表编号", {"姓名", "房间编号"});
        for (const Text& stay : lodged)
            EXPECT_NE(std::find(after.begin(), after.end(), stay), after.end()) << gbkToUtf8(stay);
        expectListShowsStoredRooms(&second);
        for (int i = 0; i < treeItemCount(second.树型框1); ++i)
            EXPECT_EQ(treeItemValue(second.树型框1, i), 0) << "a lodged delegate shown pending: " << i;
    }
}

// A desk commits picks made on a page loaded before the other desk's
// commits: a delegate lodged meanwhile, a room full as stored and a room
// that has taken guests of the other sex give their picks back, and the
// rest is stored.
TEST_F(RoomsTest, PicksOfAStalePageAreCheckedAgainstWhatIsStored)
{
    for (const char* name : {"M1", "M2", "M3", "M4"})
        addDelegate("O1", name, "男", name);
    addDelegate("O1", "W2", "女", "W2");
    addRoom("宾馆", "201", 2);
    addRoom("宾馆", "202", 1);
    addRoom("宾馆", "203", 2);
    MainWindow& first = openRooms();
    MainWindow& second = openOtherDesk();
    chooseMenuItem(second.客房分配);
    click(second.手动分配);
    bringToFront(first);
    click(first.手动分配);
    auto pick = [this](MainWindow& w, const Text& name, const Text& room) {
        clickListRow(w.超级列表框1, roomRow(w, room));
        clickTreeItem(w.树型框1, treeItem(w, name));
    };
    pick(first, "M1", "201");
    pick(first, "M2", "202");
    click(first.确定手动分配);

    bringToFront(second);
    pick(second, "W2", "201");
    pick(second, "M1", "203");
    pick(second, "M4", "202");
    pick(second, "M3", "203");
    ASSERT_EQ(listRowCount(second.超级列表框2), 4);
    person.answerMessage(AnswerOk);
    click(second.确定手动分配);
    EXPECT_EQ(messageTexts(), TextList{"下列分配未能保存，已经退回：\r\nW2（宾馆201房间）：房客性别不对\r\n"
                                       "M1（宾馆203房间）：代表已分配了房间\r\nM4（宾馆202房间）：房间已住满|注意"});
    EXPECT_EQ(lodging(), (TextList{"M1|宾馆|201", "M2|宾馆|202", "M3|宾馆|203", "M4| |0", "W2| |0"}));
    EXPECT_EQ(countFaults(), TextList{});
    expectListShowsStoredRooms(&second);
    EXPECT_EQ(listRowCount(second.超级列表框2), 0);
}

} // namespace
