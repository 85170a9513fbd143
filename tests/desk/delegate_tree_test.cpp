// The delegate tree: runs of organisations, images, and what a pick does on
// each page.
#include "tests/desk/desk_fixture.h"

namespace {

class DelegateTreeTest : public DeskTest {
protected:
    void fill(const Text& sql)
    {
        currentRecordSet = querySql(window->外部数据库1, sql);
        window->fillDelegateTree();
    }
    void onPage(int page)
    {
        window->选择夹1.setCurrentPage(page);
        window->分组框1.setVisible(true);
        window->分组框2.setVisible(true);
    }
    // A room row: hotel, number, type, beds, occupants, sex; value = room id.
    void addRoomRow(const TextList& cells, int id)
    {
        int row = insertListRow(window->超级列表框1, cells[0]);
        for (int c = 1; c < 6; ++c)
            setListCellText(window->超级列表框1, row, c, cells[c]);
        setListRowValue(window->超级列表框1, row, id);
    }
};

TEST_F(DelegateTreeTest, RunsOfOneOrganisationBecomeNodesWithSexImages)
{
    addDelegate("甲", "张三", "男", "1");
    addDelegate("乙", "李四", "女", "2");
    addDelegate("甲", "王五", "", "3");
    addDelegate("甲", "赵六", "其他", "4");
    open();
    fill("select * from 代表信息 where 会议编号=1 order by 代表编号");
    EXPECT_EQ(tree(), (TextList{"甲/1/0", "张三/2/1", "乙/1/0", "李四/3/1", "甲/1/0", "王五/2/1", "赵六/2/1"}));
    EXPECT_EQ(currentRecordSet, 0);
    fill("select * from 代表信息 where 会议编号=9");
    EXPECT_TRUE(tree().empty());
}

TEST_F(DelegateTreeTest, OnTheEntryPageAPickShowsTheCardAndANodeKeepsTheForm)
{
    addDelegate("甲", "张　三", "女", "007");
    exec("update 代表信息 set 职务='处长' where 会议编号=1");
    MainWindow& w = open();
    pressToolButton(w.工具条1, 0);
    clickTreeItem(w.树型框1, 1);
    EXPECT_NE(currentDelegateId, 0);
    EXPECT_TEXT_EQ("张　三", w.编辑框1.content());
    EXPECT_TEXT_EQ("处长", w.编辑框3.content());
    EXPECT_TEXT_EQ("007", w.编辑框6.content());
    EXPECT_EQ(w.组合框1.currentIndex(), 1);
    EXPECT_TEXT_EQ(" 0房间", w.标签5.caption());
    selectedRoomId = 5;
    clickTreeItem(w.树型框1, 0);
    EXPECT_EQ(currentDelegateId, 0);
    EXPECT_EQ(selectedRoomId, 0);
    EXPECT_TEXT_EQ("张　三", w.编辑框1.content());
}

TEST_F(DelegateTreeTest, RoomPicksFollowSexAndFreeBeds)
{
    addDelegate("甲", "李四", "女", "1");
    addDelegate("甲", "王芳", "女", "2");
    addDelegate("甲", "张三", "男", "3");
    MainWindow& w = open();
    fill("select * from 代表信息 where 会议编号=1 order by 代表编号");
    onPage(1);
    addRoomRow({"宾馆", "101", "标准", "2", "1", "无"}, 7);
    w.超级列表框1.setCurrentRow(0);
    clickTreeItem(w.树型框1, 1);   // no room chosen: nothing
    EXPECT_EQ(listRowCount(w.超级列表框2), 0);

    selectedRoomId = 7;
    clickTreeItem(w.树型框1, 2);
    EXPECT_EQ(listRowCount(w.超级列表框2), 1);
    EXPECT_TEXT_EQ("2", listCellText(w.超级列表框1, 0, 4));
    EXPECT_TEXT_EQ("女", listCellText(w.超级列表框1, 0, 5));
    EXPECT_TEXT_EQ("王芳|宾馆|101|2|女", listCellText(w.超级列表框2, 0, 0) + "|" + listCellText(w.超级列表框2, 0, 1) + "|"
                                           + listCellText(w.超级列表框2, 0, 2) + "|" + listCellText(w.超级列表框2, 0, 3)
                                           + "|" + listCellText(w.超级列表框2, 0, 4));
    EXPECT_EQ(listRowValue(w.超级列表框2, 0), 7);
    EXPECT_EQ(listRowImage(w.超级列表框2, 0), currentDelegateId);
    EXPECT_EQ(treeItemImage(w.树型框1, 2), 6);
    EXPECT_EQ(treeItemValue(w.树型框1, 2), 0);

    person.answerMessage(AnswerOk);
    clickTreeItem(w.树型框1, 1);   // the room is full now
    EXPECT_EQ(messageTexts(), TextList{"性别不对或者房间满了|嘻.搞错了吧!"});
    EXPECT_EQ(selectedRoomId, 0);
    EXPECT_EQ(currentDelegateId, 0);
    EXPECT_EQ(w.超级列表框1.currentRow(), -1);
    EXPECT_EQ(treeItemValue(w.树型框1, 1) != 0, true);

    addRoomRow({"宾馆", "102", "标准", "3", "1", "女"}, 8);
    w.超级列表框1.setCurrentRow(1);
    selectedRoomId = 8;
    person.answerMessage(AnswerOk);
    clickTreeItem(w.树型框1, 3);   // a man into a women's room with free beds
    EXPECT_EQ(person.messages().size(), 2u);
    EXPECT_EQ(listRowCount(w.超级列表框2), 1);
}

TEST_F(DelegateTreeTest, TablePicksNeedAFreeSeat)
{
    addDelegate("甲", "李四", "女", "1");
    MainWindow& w = open();
    fill("select * from 代表信息 where 会议编号=1");
    onPage(3);
    int row = insertListRow(w.超级列表框3, "餐厅");
    setListCellText(w.超级列表框3, row, 1, "1号桌");
    setListCellText(w.超级列表框3, row, 2, "10");
    setListCellText(w.超级列表框3, row, 3, "10");
    w.超级列表框3.setCurrentRow(0);
    selectedTableId = 3;
    person.answerMessage(AnswerOk);
    clickTreeItem(w.树型框1, 1);
    EXPECT_EQ(messageTexts(), TextList{"当前餐桌人满了|嘻.搞错了吧!"});
    EXPECT_EQ(selectedTableId, 0);

    setListCellText(w.超级列表框3, row, 3, "9");
    w.超级列表框3.setCurrentRow(0);
    selectedTableId = 3;
    clickTreeItem(w.树型框1, 0);
    clickTreeItem(w.树型框1, 1);
    EXPECT_TEXT_EQ("10", listCellText(w.超级列表框3, 0, 3));
    EXPECT_EQ(listRowCount(w.超级列表框4), 1);
    EXPECT_EQ(treeItemImage(w.树型框1, 1), 0);
}

TEST_F(DelegateTreeTest, QueuedNamesAreSpacedForTheirList)
{
    struct Case {
        Text stored, seat, card;
    } cases[] = {
        {"张　三", "张　三", "张 　 三"},   // stored with an ideographic space: six bytes
        {" 李四 ", "李　四", "李 　 四"},
        {"欧阳明", "欧阳明", "欧 阳 明"},
        {"司马相如", "司马相如", "司马相如"},
        // Names with a single-byte character are never cut inside a character.
        {"a张b", "a张b", "a张b"},
        {"张ab张", "张ab张", "张ab张"},
    };
    for (const Case& c : cases)
        addDelegate("甲", c.stored, "男", "1");
    MainWindow& w = open();
    for (int page : {4, 5}) {
        fill("select * from 代表信息 where 会议编号=1 order by 代表id");
        onPage(page);
        for (int i = 1; i <= std::ssize(cases); ++i)
            clickTreeItem(w.树型框1, i);
        clickTreeItem(w.树型框1, 1);   // consumed: nothing more
    }
    ASSERT_EQ(w.列表框2.itemCount(), std::ssize(cases));
    ASSERT_EQ(w.列表框1.itemCount(), std::ssize(cases));
    for (int i = 0; i < std::ssize(cases); ++i) {
        EXPECT_TEXT_EQ(cases[i].seat, w.列表框2.itemText(i));
        EXPECT_TEXT_EQ(cases[i].card, w.列表框1.itemText(i));
        EXPECT_NE(w.列表框2.itemValue(i), 0);
    }
}

} // namespace
