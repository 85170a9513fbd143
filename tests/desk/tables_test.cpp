// Banquet tables: batches, the automatic run, deleting, clearing and the
// pending list.
#include "tests/desk/desk_fixture.h"

namespace {

class TablesTest : public DeskTest {
protected:
    MainWindow& openTables()
    {
        MainWindow& w = openUnlocked();
        chooseMenuItem(w.宴会座次);
        return w;
    }
    void addTable(const Text& restaurant, int number, int seats, int seated = 0)
    {
        exec("insert  into  餐桌信息 (餐厅名称,餐桌编号,可坐人数,已坐人数,会议编号)  values  ('" + restaurant + "','"
             + toText(number) + "号桌'," + toText(seats) + "," + toText(seated) + ",1)");
    }
    void batch(const Text& first, const Text& last, const Text& seats = "10")
    {
        window->编辑框17.setContent("大厅");
        window->编辑框14.setContent(seats);
        window->编辑框16.setContent(first);
        window->编辑框15.setContent(last);
        click(window->确定手动分配1);
    }
    // Every row of the table list shows a stored table of meeting 1 with
    // its diners.
    void expectListShowsStoredTables(MainWindow* desk = nullptr)
    {
        ListView& list = (desk ? desk : window)->超级列表框3;
        for (int r = 0; r < listRowCount(list); ++r)
            EXPECT_EQ(rows("select * from 餐桌信息 where 会议编号=1 and 餐桌id=" + toText(listRowValue(list, r)), {"已坐人数"}),
                      TextList{listCellText(list, r, 3)})
                << "row " << r;
    }
    // Delegate `name` picked for the table numbered `number`.
    void pick(MainWindow& w, const Text& name, const Text& number)
    {
        int row = 0, item = 0;
        while (row < listRowCount(w.超级列表框3) && listCellText(w.超级列表框3, row, 1) != number)
            ++row;
        while (item < treeItemCount(w.树型框1) && treeItemText(w.树型框1, item) != name)
            ++item;
        ASSERT_LT(row, listRowCount(w.超级列表框3)) << gbkToUtf8(number);
        ASSERT_LT(item, treeItemCount(w.树型框1)) << gbkToUtf8(name);
        clickListRow(w.超级列表框3, row);
        clickTreeItem(w.树型框1, item);
    }
    TextList tableNumbers() { return rows("select * from 餐桌信息 where 会议编号=1 order by 餐桌id", {"餐桌编号"}); }
    TextList seating() { return rows("select * from 代表信息 where 会议编号=1 order by 代表编号", {"餐厅名称", "餐桌编号"}); }
};

TEST_F(TablesTest, BatchesSkipExistingTablesAndRefuseBadInput)
{
    addTable("大厅", 3, 8);
    addTable("小厅", 4, 8);
    MainWindow& w = openTables();
    click(w.餐桌调整);
    for (int i = 0; i < 4; ++i)
        person.answerMessage(AnswerOk);
    batch("", "3");
    batch("3", "2");
    batch("1", "2", "10 or 1=1");
    batch("1", "10");
    EXPECT_EQ(messageTexts(), (TextList{"餐桌编号有错误！|", "餐桌编号有错误！|", "请填全内容！|", "大厅3号桌已经存在！|"}));
    EXPECT_EQ(rows("select * from 餐桌信息 where 会议编号=1 and 餐厅名称='大厅'", {"餐桌编号"}).size(), 10u);
    EXPECT_EQ(rows("select * from 餐桌信息 where 会议编号=1 and 餐桌编号='4号桌'", {"餐厅名称"}).size(), 2u);
    ASSERT_EQ(listRowCount(w.超级列表框3), 11);
    // Numbers as text: 10 before 1 (the digit sorts before 号) and 2.
    EXPECT_TEXT_EQ("10号桌|1号桌|2号桌", listCellText(w.超级列表框3, 0, 1) + "|" + listCellText(w.超级列表框3, 1, 1) + "|"
                                            + listCellText(w.超级列表框3, 2, 1));
}

TEST_F(TablesTest, BatchNumbersAreDigitsCountedExactlyAndSeatsAWholeNumber)
{
    MainWindow& w = openTables();
    click(w.餐桌调整);
    person.answerEveryMessage(AnswerOk);
    for (const char* seats : {"0", "-2", "+3", "32768"})
        batch("1", "2", seats);
    for (auto [first, last] : {std::pair{"1e2", "1e2"}, {"1.5", "3"}, {"1", "3x"}, {"00", "3"}})
        batch(first, last);
    TextList refusals(4, "请填全内容！|");
    refusals.resize(8, "餐桌编号有错误！|");
    EXPECT_EQ(messageTexts(), refusals);
    EXPECT_EQ(tableNumbers(), TextList{});

    // Past the largest int, and leading zeros dropped as from a number.
    batch("2147483646", "2147483648", "32767");
    batch("3000000000", "3000000000", "1");
    batch("099", "101");
    EXPECT_EQ(tableNumbers(), (TextList{"2147483646号桌", "2147483647号桌", "2147483648号桌", "3000000000号桌",
                                         "99号桌", "100号桌", "101号桌"}));
    EXPECT_EQ(rows("select * from 餐桌信息 where 会议编号=1 order by 餐桌id", {"可坐人数"}),
              (TextList{"32767", "32767", "32767", "1", "10", "10", "10"}));
    EXPECT_EQ(listRowCount(w.超级列表框3), 7);
    EXPECT_EQ(countFaults(), TextList{});
}

TEST_F(TablesTest, TheAutomaticRunFillsTablesInTurnUntilNoneIsLeft)
{
    for (int i = 0; i < 25; ++i)
        addDelegate("甲", "代表", "男", (i < 10 ? "0" : "") + toText(i));
    addTable("A厅", 1, 10, 2);
    addTable("B厅", 1, 10);
    MainWindow& w = openTables();
    person.answerMessage(AnswerOk);
    click(w.自动分配1);
    EXPECT_EQ(messageTexts(), TextList{"餐桌不够分配！|警示"});
    TextList seats = seating();
    EXPECT_EQ(std::count(seats.begin(), seats.end(), "A厅|1号桌"), 8);
    EXPECT_EQ(std::count(seats.begin(), seats.end(), "B厅|1号桌"), 10);
    EXPECT_EQ(std::count(seats.begin(), seats.end(), " |0"), 7);
    EXPECT_EQ(treeItemCount(w.树型框1), 8);   // refreshed: the seven left and their node
    EXPECT_TRUE(w.超级列表框4.visible());
}

TEST_F(TablesTest, DeletingReleasesTheSeatedAndClearingReleasesAll)
{
    addDelegate("甲", "张三", "男", "1");
    addDelegate("甲", "李四", "女", "2");
    addTable("大厅", 1, 10, 1);
    addTable("大厅", 2, 10, 1);
    exec("update 代表信息 set 餐厅名称='大厅',餐桌编号='1号桌' where 姓名='张三'");
    exec("update 代表信息 set 餐厅名称='大厅',餐桌编号='2号桌' where 姓名='李四'");
    MainWindow& w = openTables();
    click(w.餐桌调整);
    person.answerMessage(AnswerOk);
    click(w.删除表项1);
    clickListRow(w.超级列表框3, 0);
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.删除表项1);
    EXPECT_EQ(seating(), (TextList{" |0", "大厅|2号桌"}));
    EXPECT_EQ(listRowCount(w.超级列表框3), 1);

    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.全部清空1);
    EXPECT_EQ(messageTexts(), (TextList{"请先选中待删除的餐桌项！|注意", "真的要删除当前餐桌吗？\r\n删除的信息将不能恢复！|警告",
                                         "请给住该餐桌的代表重新分配餐桌！|注意",
                                         "真的要清空并重新分配所有餐桌吗？\r\n清空的信息将不能恢复！|警告",
                                         "清空成功执行！|恭喜"}));
    EXPECT_EQ(seating(), (TextList{" |0", " |0"}));
    EXPECT_EQ(rows("select * from 餐桌信息 where 会议编号=1", {"已坐人数"}), TextList{"0"});
}

TEST_F(TablesTest, PicksAreCommittedAndACancelOrTheMaintenanceListingGivesTheSeatBack)
{
    addDelegate("甲", "张三", "男", "1");
    addDelegate("甲", "李四", "女", "2");
    addTable("大厅", 1, 10);
    MainWindow& w = openTables();
    click(w.手动分配1);
    clickListRow(w.超级列表框3, 0);
    clickTreeItem(w.树型框1, 1);
    click(w.餐桌调整);   // the pick is dropped, not kept hidden
    EXPECT_EQ(listRowCount(w.超级列表框4), 0);
    expectListShowsStoredTables();
    click(w.手动分配1);
    EXPECT_EQ(tree(), (TextList{"甲/1/0", "张三/2/1", "李四/3/1"}));

    clickListRow(w.超级列表框3, 0);
    clickTreeItem(w.树型框1, 1);
    clickTreeItem(w.树型框1, 2);
    EXPECT_TEXT_EQ("2", listCellText(w.超级列表框3, 0, 3));
    clickListRow(w.超级列表框4, 0);
    click(w.删除表项1);
    EXPECT_TEXT_EQ("1", listCellText(w.超级列表框3, 0, 3));
    EXPECT_TEXT_EQ("1", listCellText(w.超级列表框4, 0, 3));
    click(w.确定手动分配1);
    EXPECT_EQ(seating(), (TextList{" |0", "大厅|1号桌"}));
    EXPECT_EQ(rows("select * from 餐桌信息 where 会议编号=1", {"已坐人数"}), TextList{"1"});
    EXPECT_EQ(countFaults(), TextList{});
}

TEST_F(TablesTest, AnActionRefusedHalfwayKeepsNothingAndSaysSo)
{
    const std::vector<Refusal> refusals = {
        {"commit", "update", "餐桌信息", "new.已坐人数=2",
         [](MainWindow& w) {
             clickListRow(w.超级列表框3, 0);
             clickTreeItem(w.树型框1, 1);
             clickTreeItem(w.树型框1, 2);
             click(w.确定手动分配1);
         },
         "分配失败！|失败了"},
        {"automatic run", "update", "餐桌信息", "new.已坐人数=2", [](MainWindow& w) { click(w.自动分配1); },
         "自动分配失败！|"},
        {"clear all", "update", "代表信息", "", [](MainWindow& w) { click(w.全部清空1); }, "清空失败！|失败了"},
        {"delete", "delete", "餐桌信息", "",
         [](MainWindow& w) {
             click(w.餐桌调整);
             clickListRow(w.超级列表框3, 1);   // 2号桌, with its diner
             click(w.删除表项1);
         },
         "删除失败！|注意"},
        {"batch", "insert", "餐桌信息", "new.餐桌编号='5号桌'",
         [this](MainWindow& w) {
             click(w.餐桌调整);
             batch("3", "6");
         },
         "增加失败！|"},
    };
    expectRefusalsKeepNothing(
        refusals,
        [this]() -> MainWindow& {
            exec("delete from 代表信息 where 会议编号=1");
            exec("delete from 餐桌信息 where 会议编号=1");
            addDelegate("甲", "张三", "男", "1");
            addDelegate("甲", "李四", "女", "2");
            addDelegate("甲", "王五", "男", "3");
            addTable("大厅", 1, 10);
            addTable("大厅", 2, 10, 1);
            exec("update 代表信息 set 餐厅名称='大厅',餐桌编号='2号桌' where 姓名='王五'");
            MainWindow& w = window ? *window : openTables();
            click(w.手动分配1);
            return w;
        },
        [this] { expectListShowsStoredTables(); });
}

// The first desk's maintenance listing still shows a table that the other
// desk deleted, made again with the same number and seated a delegate at:
// its delete is given back, and the table made again keeps its diner.
TEST_F(TablesTest, AStaleDeleteLeavesTheTableMadeAgainWithItsNumber)
{
    addDelegate("甲", "Z1", "男", "1");
    addTable("大厅", 1, 10);
    MainWindow& first = openTables();
    click(first.餐桌调整);
    MainWindow& second = openOtherDesk();
    chooseMenuItem(second.宴会座次);
    person.answerEveryMessage(AnswerOk);
    click(second.餐桌调整);
    clickListRow(second.超级列表框3, 0);
    click(second.删除表项1);
    window = &second;
    batch("1", "1", "2");
    click(second.手动分配1);
    pick(second, "Z1", "1号桌");
    click(second.确定手动分配1);
    window = &first;
    ASSERT_EQ(seating(), TextList{"大厅|1号桌"});

    bringToFront(first);
    const size_t shown = person.messages().size();
    clickListRow(first.超级列表框3, 0);
    click(first.删除表项1);
    const TextList all = messageTexts();
    EXPECT_EQ(TextList(all.begin() + shown, all.end()),
              (TextList{"真的要删除当前餐桌吗？\r\n删除的信息将不能恢复！|警告", "下列餐桌未能删除：\r\n大厅1号桌：餐桌已被删除|注意"}));
    EXPECT_EQ(seating(), TextList{"大厅|1号桌"});
    EXPECT_EQ(rows("select * from 餐桌信息 where 会议编号=1", {"可坐人数", "已坐人数"}), TextList{"2|1"});
    EXPECT_EQ(countFaults(), TextList{});
    expectListShowsStoredTables(&first);
    EXPECT_EQ(listRowCount(first.超级列表框3), 1);
}

// The second desk's page was loaded before the first desk's commit: its
// picks of a delegate seated meanwhile and at a table full as stored are
// given back, the rest is stored; its automatic run seats only who is
// still unseated.
TEST_F(TablesTest, TwoDesksSeatEveryDelegateOnceAtFreeSeats)
{
    for (const char* name : {"Z1", "Z2", "Z3", "Z4", "Z5", "Z6"})
        addDelegate("甲", name, "男", name);
    addTable("大厅", 1, 2);
    addTable("大厅", 2, 3);
    MainWindow& first = openTables();
    MainWindow& second = openOtherDesk();
    chooseMenuItem(second.宴会座次);
    click(second.手动分配1);
    bringToFront(first);
    click(first.手动分配1);
    pick(first, "Z1", "1号桌");
    pick(first, "Z2", "1号桌");
    click(first.确定手动分配1);

    bringToFront(second);
    pick(second, "Z3", "1号桌");
    pick(second, "Z1", "2号桌");
    pick(second, "Z4", "2号桌");
    person.answerMessage(AnswerOk);
    click(second.确定手动分配1);
    EXPECT_EQ(messageTexts(), TextList{"下列分配未能保存，已经退回：\r\nZ3（大厅1号桌）：餐桌已坐满\r\n"
                                       "Z1（大厅2号桌）：代表已分配了餐桌|注意"});
    EXPECT_EQ(seating(), (TextList{"大厅|1号桌", "大厅|1号桌", " |0", "大厅|2号桌", " |0", " |0"}));
    EXPECT_EQ(countFaults(), TextList{});
    expectListShowsStoredTables(&second);

    // Both pages loaded now; the first desk's run takes the last two seats.
    bringToFront(first);
    click(first.手动分配1);
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(first.自动分配1);
    bringToFront(second);
    click(second.自动分配1);
    EXPECT_EQ(seating(), (TextList{"大厅|1号桌", "大厅|1号桌", "大厅|2号桌", "大厅|2号桌", "大厅|2号桌", " |0"}));
    EXPECT_EQ(countFaults(), TextList{});
    EXPECT_EQ(messageTexts().back(), "餐桌不够分配！|警示");
    expectListShowsStoredTables(&second);
}

} // namespace
