// Discussion groups: the form, the list and the members of a group.
#include "tests/desk/desk_fixture.h"
#include "common/internal/qt_objects.h"
#include "tests/support/shown_pictures.h"

#include <QListView>

namespace {

class GroupsTest : public DeskTest {
protected:
    MainWindow& openGroups()
    {
        MainWindow& w = openUnlocked();
        chooseMenuItem(w.会议分组);
        return w;
    }
    void fillGroupForm(const Text& name, const Text& place, const Text& time)
    {
        window->分组名称.setContent(name);
        window->分组地点.setContent(place);
        window->分组时间.setContent(time);
    }
    TextList memberRows()
    {
        TextList result;
        for (int r = 0; r < listRowCount(window->当前组代表); ++r)
            result.push_back(listCellText(window->当前组代表, r, 0)
                             + (listRowChecked(window->当前组代表, r) ? "+" : "-"));
        return result;
    }
    int groupOf(const Text& name)
    {
        return toInteger(rows("select * from 代表信息 where 会议编号=1 and 姓名='" + name + "'", {"分组编号"}).at(0));
    }
};

TEST_F(GroupsTest, EachGroupShowsTheGroupPictureAboveItsName)
{
    exec("insert into 会议分组 (会议编号,分组名称,分组地点,分组时间) values (1,'第一组','甲','上午'),(1,'第二组','乙','下午')");
    MainWindow& w = openGroups();
    ASSERT_EQ(listRowCount(w.会议组), 2);
    auto* view = static_cast<QListView*>(QtObjects::widget(w.会议组));
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(listRowImage(w.会议组, row), 2);
        const QIcon icon = view->model()->index(row, 0).data(Qt::DecorationRole).value<QIcon>();
        EXPECT_EQ(icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32),
                  QImage(directory.file("pictures/group2.png")).convertToFormat(QImage::Format_ARGB32));
        // The picture above the name, not the name itself.
        const QRect item = view->visualRect(view->model()->index(row, 0));
        EXPECT_GE(item.height(), 32 + view->fontMetrics().height()) << row;
        EXPECT_TRUE(showsPicture(view->viewport(), QRect(item.topLeft(), QSize(item.width(), 32)))) << row;
    }
}

TEST_F(GroupsTest, GroupsAreSavedChangedAndDeletedWithTheirMessages)
{
    MainWindow& w = openGroups();
    EXPECT_EQ(listRowCount(w.会议组), 0);
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.删除会议组);
    click(w.保存会议组);

    click(w.分组复写);
    fillGroupForm("第一'组", "三楼", "上午");
    person.answerMessage(AnswerOk);
    click(w.保存会议组);
    EXPECT_TEXT_EQ("", w.分组名称.content());
    EXPECT_TEXT_EQ("三楼", w.分组地点.content());   // kept for the next group
    EXPECT_EQ(rows("select * from 会议分组 where 会议编号=1", {"分组名称", "分组地点", "分组时间", "召集人", "联络员", "会议编号"}),
              TextList{"第一'组|三楼|上午| | |1"});
    ASSERT_EQ(listRowCount(w.会议组), 1);

    clickListRow(w.会议组, 0);
    EXPECT_TEXT_EQ("第一'组", w.分组名称.content());
    w.召集人.setContent("王");
    person.answerMessage(AnswerOk);
    click(w.保存会议组);
    EXPECT_EQ(rows("select * from 会议分组 where 会议编号=1", {"召集人"}), TextList{"王"});
    EXPECT_EQ(currentGroupId, 0);

    addDelegate("甲", "张三", "男", "1");
    exec("update 代表信息 set 分组编号=(select 分组id from 会议分组 where 会议编号=1) where 会议编号=1");
    clickListRow(w.会议组, 0);
    person.answerMessage(AnswerCancel).answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.删除会议组);
    click(w.删除会议组);
    EXPECT_EQ(messageTexts(), (TextList{"请先选中待删除的会议组项！|注意", "会议组名称、会议地点、日期为必填项目！|警示",
                                         "成功增加会议组！|注意", "成功修改会议组信息！|注意",
                                         "真的要删除当前会议组吗？\r\n删除的信息将不能恢复！|警告",
                                         "真的要删除当前会议组吗？\r\n删除的信息将不能恢复！|警告",
                                         "成功删除会议组！|注意"}));
    EXPECT_TRUE(rows("select * from 会议分组 where 会议编号=1", {"分组名称"}).empty());
    EXPECT_EQ(groupOf("张三"), 0);   // released
    EXPECT_EQ(listRowCount(w.会议组), 0);
}

TEST_F(GroupsTest, ARefusedSaveOrDeleteSaysSoAndChangesNothing)
{
    exec("insert  into 会议分组 (分组名称,分组地点,分组时间,会议编号) values ('A','一楼','上午',1)");
    addDelegate("甲", "成员", "男", "1");
    exec("update 代表信息 set 分组编号=(select 分组id from 会议分组 where 分组名称='A') where 会议编号=1");
    MainWindow& w = openGroups();
    refuse("insert", "会议分组");
    fillGroupForm("B", "二楼", "下午");
    person.answerMessage(AnswerOk);
    click(w.保存会议组);
    EXPECT_TEXT_EQ("B|二楼|下午", w.分组名称.content() + "|" + w.分组地点.content() + "|" + w.分组时间.content());

    // The group stays while its member cannot be released.
    refuse("update", "代表信息");
    clickListRow(w.会议组, 0);
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.删除会议组);
    EXPECT_EQ(messageTexts(), (TextList{"保存失败！|注意", "真的要删除当前会议组吗？\r\n删除的信息将不能恢复！|警告",
                                         "删除失败！|注意"}));
    EXPECT_EQ(rows("select * from 会议分组 where 会议编号=1", {"分组名称"}), TextList{"A"});
    EXPECT_NE(groupOf("成员"), 0);
    EXPECT_EQ(listRowCount(w.会议组), 1);
}

TEST_F(GroupsTest, BackFromTheMemberPageTheEmptyFormIsANewGroup)
{
    exec("insert  into 会议分组 (分组名称,分组地点,分组时间,会议编号) values ('A组','一楼','上午',1)");
    addDelegate("甲", "成员", "男", "1");
    exec("update 代表信息 set 分组编号=(select 分组id from 会议分组 where 分组名称='A组') where 会议编号=1");
    MainWindow& w = openGroups();
    auto pickOnTheMemberPageAndGoBack = [&] {
        click(w.单选框5);
        clickListRow(w.会议组, 0);
        ASSERT_EQ(memberRows(), TextList{"成员+"});
        click(w.单选框4);
    };
    pickOnTheMemberPageAndGoBack();
    person.answerMessage(AnswerOk);
    click(w.删除会议组);
    fillGroupForm("B组", "二楼", "下午");
    person.answerMessage(AnswerOk);
    click(w.保存会议组);
    pickOnTheMemberPageAndGoBack();
    person.answerMessage(AnswerOk);
    click(w.删除会议组);
    EXPECT_EQ(messageTexts(), (TextList{"请先选中待删除的会议组项！|注意", "成功增加会议组！|注意",
                                         "请先选中待删除的会议组项！|注意"}));
    EXPECT_EQ(rows("select * from 会议分组 where 会议编号=1 order by 分组id", {"分组名称", "分组地点"}),
              (TextList{"A组|一楼", "B组|二楼"}));
    EXPECT_EQ(rows("select * from 会议分组 where 分组名称='A组'", {"分组id"}),
              TextList{toText(groupOf("成员"))});
}

TEST_F(GroupsTest, AGroupListsItsMembersAndTheUngroupedOnly)
{
    exec("insert  into 会议分组 (分组名称,会议编号) values ('A',1)");
    exec("insert  into 会议分组 (分组名称,会议编号) values ('B',1)");
    addDelegate("甲", "成员", "男", "1");
    addDelegate("甲", "散户", "男", "2");
    addDelegate("甲", "外会", "男", "3", 2);
    exec("update 代表信息 set 分组编号=(select 分组id from 会议分组 where 分组名称='A') where 姓名='成员'");
    MainWindow& w = openGroups();
    click(w.单选框5);
    EXPECT_EQ(w.会议组选择夹.currentPage(), 1);
    clickListRow(w.会议组, 0);
    EXPECT_EQ(memberRows(), (TextList{"成员+", "散户-"}));
    clickListRow(w.会议组, 1);
    EXPECT_EQ(memberRows(), TextList{"散户-"});

    clickListRowTick(w.当前组代表, 0);   // 散户 ticked
    person.answerMessage(AnswerOk);
    click(w.保存分组代表);
    EXPECT_TEXT_EQ("成功保存会议组！|注意", messageTexts().back());
    EXPECT_NE(groupOf("散户"), 0);
    EXPECT_NE(groupOf("散户"), groupOf("成员"));
    EXPECT_EQ(currentGroupId, 0);
    click(w.保存分组代表);   // no group chosen again: nothing

    clickListRow(w.会议组, 0);
    clickListRowTick(w.当前组代表, 0);   // 成员 no longer ticked
    person.answerMessage(AnswerOk);
    click(w.保存分组代表);
    EXPECT_EQ(groupOf("成员"), 0);
    click(w.单选框4);
    EXPECT_EQ(listRowCount(w.当前组代表), 0);
}

TEST_F(GroupsTest, MembersAreSavedAllTogetherOrNotAtAll)
{
    exec("insert  into 会议分组 (分组名称,会议编号) values ('A',1)");
    addDelegate("甲", "一", "男", "1");
    addDelegate("甲", "二", "男", "2");
    MainWindow& w = openGroups();
    click(w.单选框5);
    clickListRow(w.会议组, 0);
    // The first row's update is refused: the second is not kept either.
    const Text refusal = refuse("update", "代表信息", "old.姓名='一'");
    clickListRowTick(w.当前组代表, 0);
    clickListRowTick(w.当前组代表, 1);
    person.answerMessage(AnswerOk);
    click(w.保存分组代表);
    EXPECT_EQ(messageTexts(), TextList{"保存失败！|注意"});
    EXPECT_EQ(groupOf("二"), 0);
    EXPECT_TRUE(listRowChecked(w.当前组代表, 1));   // the ticks stay for another try

    exec("drop trigger " + refusal);
    person.answerMessage(AnswerOk);
    click(w.保存分组代表);
    EXPECT_TEXT_EQ("成功保存会议组！|注意", messageTexts().back());
    EXPECT_NE(groupOf("一"), 0);
    EXPECT_NE(groupOf("二"), 0);
}

// Another desk groups 一 in B while this desk lists the ungrouped for A.
TEST_F(GroupsTest, ADelegateGroupedByAnotherDeskIsNamedAndKeepsHisGroup)
{
    exec("insert  into 会议分组 (分组名称,会议编号) values ('A',1)");
    exec("insert  into 会议分组 (分组名称,会议编号) values ('B',1)");
    addDelegate("甲", "一", "男", "1");
    addDelegate("甲", "二", "男", "2");
    MainWindow& w = openGroups();
    click(w.单选框5);
    clickListRow(w.会议组, 0);
    exec("update 代表信息 set 分组编号=(select 分组id from 会议分组 where 分组名称='B') where 姓名='一'");
    clickListRowTick(w.当前组代表, 0);
    clickListRowTick(w.当前组代表, 1);
    person.answerMessage(AnswerOk);
    person.answerMessage(AnswerOk);
    click(w.保存分组代表);
    EXPECT_EQ(messageTexts(), (TextList{"下列代表已被分到其他组，未加入本组：\r\n一|注意", "成功保存会议组！|注意"}));
    EXPECT_EQ(groupOf("一"), idOf("select * from 会议分组 where 分组名称='B'", "分组id"));
    EXPECT_EQ(groupOf("二"), idOf("select * from 会议分组 where 分组名称='A'", "分组id"));
}

} // namespace
