// The administration panel: meeting list and editor, the full deletion of
// a meeting, and operator accounts.
#include "app/login_window.h"
#include "common/internal/qt_objects.h"
#include "desk/main_window.h"
#include "tests/app/app_fixture.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>

namespace {

class AdminPanelTest : public AppTest {
protected:
    AdminPanelTest()
    {
        exec("insert  into 会议信息 (会议编号,会议名称,会议地点,会议日期,会议指南) values (1,'一号会','北京','2024-10-01','指南')");
        exec("insert  into 会议信息 (会议编号,会议名称,会议地点,会议日期) values (2,'二号会','上海','2024-9-30')");
        exec("insert  into 会议信息 (会议编号,会议名称,会议地点,会议日期) values (11,'十一号会','广州','2025-01-01')");
        exec("insert  into 密码信息 (权限,用户名,密码,会议名称,会议编号) values ('操作员','op1','p1','一号会',1)");
        exec("insert  into 密码信息 (权限,用户名,密码,会议名称,会议编号) values ('操作员','op11','p11','十一号会',11)");
        exec("update 密码信息 set 会议编号=1 where 权限='管理员'");
        exec("insert  into 会议分组 (分组名称,会议编号) values ('一组',1)");
        exec("insert  into 会议分组 (分组名称,会议编号) values ('甲组',11)");
        login = loadStartWindow<LoginWindow>();
        login->用户名.setContent("admin");
        login->密码.setContent("admin");
        click(login->登陆按钮);
    }
    TextList listRows(ListView& list)
    {
        TextList result;
        for (int r = 0; r < listRowCount(list); ++r)
            result.push_back(listCellText(list, r, 0) + "|" + listCellText(list, r, 1) + "|"
                             + listCellText(list, r, 2) + "|" + toText(listRowValue(list, r)));
        return result;
    }
    void showEditor()
    {
        clickListRow(login->超级列表框1, 0, RightButton);
        ASSERT_TRUE(login->分组框1.visible());
    }
    void pressLabel(Label& label) { pressMouse(label); }
    void writePhoto(const char* name)
    {
        QFile f(directory.file("data/") + QString::fromStdString(gbkToUtf8(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    LoginWindow* login = nullptr;
};

TEST_F(AdminPanelTest, ListsMeetingsInDateTextOrderAndOnlyOperators)
{
    EXPECT_EQ(listRows(login->超级列表框1),
              (TextList{"一号会|2024-10-01|北京|1", "二号会|2024-9-30|上海|2", "十一号会|2025-01-01|广州|11"}));
    EXPECT_EQ(listRows(login->超级列表框2), (TextList{"op1|p1|一号会|2", "op11|p11|十一号会|3"}));
    EXPECT_EQ(login->会议选择列表框.itemCount(), 3);
    EXPECT_TEXT_EQ("十一号会", login->会议选择列表框.itemText(2));
    EXPECT_EQ(login->会议选择列表框.itemValue(2), 11);
    EXPECT_FALSE(login->分组框1.visible());
    EXPECT_FALSE(login->标签17.visible());
    EXPECT_EQ(login->height(), 300);
}

TEST_F(AdminPanelTest, RightButtonTogglesTheEditorAndARowOpensOrLoads)
{
    showEditor();
    EXPECT_EQ(login->超级列表框1.currentRow(), -1);   // the right button chose nothing
    EXPECT_EQ(findWindow<MainWindow>(), nullptr);
    EXPECT_EQ(login->height(), 560);
    EXPECT_EQ(login->选择夹1.height(), 455);
    EXPECT_TRUE(login->标签17.visible());
    EXPECT_TRUE(login->标签18.visible());

    clickListRow(login->超级列表框1, 0);
    EXPECT_EQ(selectedMeetingId, 1);
    EXPECT_TEXT_EQ("一号会", login->会议名称.content());
    EXPECT_TEXT_EQ("2024-10-01", login->会议日期.content());
    EXPECT_TEXT_EQ("指南", login->会议指南.content());
    EXPECT_TEXT_EQ("", login->主办单位.content());    // NULL reads as ""
    EXPECT_EQ(findWindow<MainWindow>(), nullptr);

    clickListRow(login->超级列表框1, 1, RightButton);
    EXPECT_FALSE(login->分组框1.visible());
    EXPECT_EQ(login->height(), 300);
    EXPECT_EQ(login->选择夹1.height(), 183);
    EXPECT_EQ(login->超级列表框1.currentRow(), 0);

    clickListRow(login->超级列表框1, 1);
    ASSERT_NE(findWindow<MainWindow>(), nullptr);
    EXPECT_EQ(currentMeetingId, 2);
    EXPECT_TEXT_EQ("二号会", currentMeetingName);
    EXPECT_EQ(findWindow<LoginWindow>(), nullptr);
}

TEST_F(AdminPanelTest, AVanishedMeetingLeavesTheEditorAndIsNotUpdated)
{
    showEditor();
    clickListRow(login->超级列表框1, 0);
    exec("delete  from 会议信息 where 会议编号=2");
    clickListRow(login->超级列表框1, 1);
    EXPECT_EQ(selectedMeetingId, 0);
    EXPECT_TEXT_EQ("一号会", login->会议名称.content());
}

TEST_F(AdminPanelTest, SavingInsertsOrUpdatesWithApostrophesIntact)
{
    showEditor();
    person.answerMessage(AnswerOk);
    click(login->保存);
    EXPECT_EQ(messageTexts(), TextList{"会议名称、地点、日期为必填项目！|警示"});

    login->会议名称.setContent("O'Neil 会");
    login->会议地点.setContent("杭州");
    login->会议日期.setContent("2026/3/7");
    login->会议指南.setContent("第一行 it's\r\n第二行");
    person.answerMessage(AnswerOk);
    click(login->保存);
    EXPECT_TEXT_EQ("成功增加会议信息！|注意", messageTexts().back());
    EXPECT_EQ(rows("select * from 会议信息 where 会议地点='杭州'", {"会议名称", "会议日期", "主办单位", "承办单位", "会议指南"}),
              TextList{"O'Neil 会|2026-03-07| | |第一行 it's\r\n第二行"});
    EXPECT_EQ(listRowCount(login->超级列表框1), 4);
    EXPECT_TEXT_EQ("", login->会议名称.content());   // the editor is emptied for the next
    EXPECT_EQ(login->会议选择列表框.itemCount(), 4);

    clickListRow(login->超级列表框1, 0);
    login->会议名称.setContent("一号会'改");
    person.answerMessage(AnswerOk);
    click(login->保存);
    EXPECT_TEXT_EQ("成功修改会议信息！|注意", messageTexts().back());
    EXPECT_EQ(rows("select * from 会议信息 where 会议编号=1", {"会议名称", "主办单位"}), TextList{"一号会'改| "});
    EXPECT_EQ(rows("select * from 密码信息 where 用户名='op1'", {"会议名称"}), TextList{"一号会'改"});
    EXPECT_EQ(selectedMeetingId, 0);
}

// With the editor shown the page labels stand over the tab strip in place
// of the tabs' captions: each label reads whole, and no caption shows
// beside it, cut or whole.
TEST_F(AdminPanelTest, ThePageLabelsReadWholeAndNoCaptionShowsBesideThem)
{
    showEditor();
    auto* tabs = static_cast<QTabWidget*>(QtObjects::widget(login->选择夹1));
    const QTabBar* bar = tabs->tabBar();
    for (Label* label : {&login->标签17, &login->标签18}) {
        SCOPED_TRACE(gbkToUtf8(label->name()));
        auto* shown = static_cast<QLabel*>(QtObjects::widget(*label));
        EXPECT_LE(shown->fontMetrics().horizontalAdvance(shown->text()), shown->contentsRect().width());
        const QImage strip = tabs->grab().toImage();
        const QRect place(shown->mapTo(tabs, QPoint(0, 0)), shown->size());
        EXPECT_TRUE(place.intersects(bar->geometry()));
        for (int tab = 0; tab < bar->count(); ++tab) {
            const QRect caption = bar->tabRect(tab).translated(bar->pos());
            int ink = 0;
            for (int y = caption.top(); y <= caption.bottom(); ++y)
                for (int x = caption.left(); x <= caption.right(); ++x)
                    if (!place.contains(x, y) && qGray(strip.pixel(x, y)) < 100)
                        ++ink;
            EXPECT_EQ(0, ink) << "tab " << tab;
        }
        pressLabel(*label);   // the other page, with its label
    }
}

TEST_F(AdminPanelTest, SwitchingBackByTheLabelMakesTheNextSaveAnInsert)
{
    showEditor();
    clickListRow(login->超级列表框1, 1);
    pressLabel(login->标签17);
    EXPECT_EQ(login->选择夹1.currentPage(), 1);
    pressLabel(login->标签18);
    EXPECT_EQ(login->选择夹1.currentPage(), 0);
    EXPECT_EQ(selectedMeetingId, 0);
    person.answerMessage(AnswerOk);
    click(login->保存);
    EXPECT_EQ(rows("select * from 会议信息 where 会议名称='二号会'", {"会议编号"}).size(), 2u);
}

TEST_F(AdminPanelTest, DeletingAMeetingRemovesAllItOwnsButAdministratorsAndOtherPhotos)
{
    writePhoto("1会20240101120000.PIC");
    writePhoto("1会20240101120001.PIC");
    writePhoto("11会20240101120000.PIC");
    writePhoto("2会20240101120000.PIC");
    exec("insert  into 代表信息 (姓名,会议编号) values ('甲',1)");
    exec("insert  into 密码信息 (权限,用户名,密码,会议名称,会议编号) values (null,'无权限','p','一号会',1)");
    seedOtherMeeting();
    const TextList otherMeeting = meetingRows(2);
    showEditor();

    person.answerMessage(AnswerOk);
    click(login->删除);
    EXPECT_EQ(messageTexts(), TextList{"请先选中待删除的会议！|注意"});

    clickListRow(login->超级列表框1, 0);
    person.answerMessage(AnswerCancel);
    click(login->删除);
    EXPECT_EQ(rows("select * from 会议信息 where 会议编号=1", {"会议名称"}).size(), 1u);

    for (int i = 0; i < 7; ++i)
        person.answerMessage(AnswerOk);
    click(login->删除);
    TextList shown = messageTexts();
    ASSERT_EQ(shown.size(), 9u);
    EXPECT_EQ(person.messages()[2].boxKind, BoxOkCancel | IconExclamation);
    EXPECT_TEXT_EQ("真的要删除当前会议的全部照料吗？\r\n删除的信息将不能恢复！|严重警告", shown[2]);
    EXPECT_EQ(TextList(shown.begin() + 3, shown.end()),
              (TextList{"成功删除会议信息！|注意", "成功删除代表信息！|注意", "成功删除房间信息！|注意",
                        "成功删除餐桌信息！|注意", "成功删除用户信息！|注意", "成功删除模板信息！|注意"}));
    EXPECT_TRUE(rows("select * from 代表信息 where 会议编号=1", {"姓名"}).empty());
    EXPECT_TRUE(rows("select * from 会议分组 where 会议编号=1", {"分组名称"}).empty());
    EXPECT_EQ(rows("select * from 会议分组", {"分组名称"}), (TextList{"甲组", "外会组"}));
    EXPECT_EQ(meetingRows(2), otherMeeting);
    EXPECT_EQ(rows("select * from 密码信息", {"用户名"}), (TextList{"admin", "op11"}));
    EXPECT_FALSE(QFile::exists(directory.file("data/") + QStringLiteral("1会20240101120000.PIC")));
    EXPECT_FALSE(QFile::exists(directory.file("data/") + QStringLiteral("1会20240101120001.PIC")));
    EXPECT_TRUE(QFile::exists(directory.file("data/") + QStringLiteral("11会20240101120000.PIC")));
    EXPECT_TRUE(QFile::exists(directory.file("data/") + QStringLiteral("2会20240101120000.PIC")));
    EXPECT_EQ(listRowCount(login->超级列表框1), 2);
    EXPECT_EQ(login->会议选择列表框.itemCount(), 2);
    EXPECT_EQ(listRowCount(login->超级列表框2), 2);   // not refilled
}

TEST_F(AdminPanelTest, ARefusedChangeOfAMeetingKeepsAllOfItAndItsPhotos)
{
    writePhoto("1会20240101120000.PIC");
    exec("insert  into 代表信息 (姓名,会议编号) values ('甲',1)");
    const TextList before = meetingRows(1);
    showEditor();
    person.answerEveryMessage(AnswerOk);

    refuse("update", "密码信息");   // the operators' copy of the name
    clickListRow(login->超级列表框1, 0);
    login->会议名称.setContent("改名");
    click(login->保存);
    EXPECT_TEXT_EQ("保存失败！|注意", lastMessage());
    EXPECT_TEXT_EQ("改名", login->会议名称.content());

    refuse("delete", "代表信息");   // after the meeting row is gone
    clickListRow(login->超级列表框1, 0);
    click(login->删除);
    EXPECT_EQ(messageTexts().size(), 3u);   // the failure alone after the question
    EXPECT_TEXT_EQ("删除会议失败！|注意", lastMessage());
    EXPECT_EQ(meetingRows(1), before);
    EXPECT_TRUE(QFile::exists(directory.file("data/") + QStringLiteral("1会20240101120000.PIC")));
    EXPECT_EQ(listRowCount(login->超级列表框1), 3);
}

TEST_F(AdminPanelTest, AddingAnOperatorNeedsAChosenMeetingAndANewPair)
{
    showEditor();
    login->选择夹1.setCurrentPage(1);
    login->用户名1.setContent("新人");
    login->密码1.setContent("pw'");
    person.answerMessage(AnswerOk);
    click(login->保存1);   // no meeting chosen
    person.answerMessage(AnswerOk);
    login->用户名1.setContent("admin");
    login->密码1.setContent("admin");
    login->会议选择列表框.setCurrentIndex(1);
    click(login->保存1);   // the pair exists, as an administrator
    EXPECT_EQ(messageTexts(), (TextList{"用户名、密码、会议为必填项目！|警示", "该用户已经存在！|警示"}));

    login->用户名1.setContent("新'人");
    login->密码1.setContent("pw'");
    person.answerMessage(AnswerOk);
    click(login->保存1);
    EXPECT_TEXT_EQ("成功增加用户信息！|注意", messageTexts().back());
    EXPECT_EQ(rows("select * from 密码信息 where 密码='pw'''", {"用户名", "权限", "会议名称", "会议编号"}),
              TextList{"新'人|操作员|二号会|2"});
    EXPECT_EQ(listRowCount(login->超级列表框2), 3);
    EXPECT_TEXT_EQ("", login->用户名1.content());
    EXPECT_EQ(login->会议选择列表框.currentIndex(), -1);
}

TEST_F(AdminPanelTest, DeletingAnOperatorAsksFirst)
{
    showEditor();
    login->选择夹1.setCurrentPage(1);
    person.answerMessage(AnswerOk);
    click(login->删除1);
    clickListRow(login->超级列表框2, 0);
    person.answerMessage(AnswerCancel);
    click(login->删除1);
    EXPECT_EQ(listRowCount(login->超级列表框2), 2);
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(login->删除1);
    EXPECT_EQ(messageTexts(), (TextList{"请先选中待删除的用户项！|注意",
                                         "真的要删除当前用户吗？\r\n删除的信息将不能恢复！|警告",
                                         "真的要删除当前用户吗？\r\n删除的信息将不能恢复！|警告",
                                         "成功删除用户信息！|注意"}));
    EXPECT_EQ(rows("select * from 密码信息 where 权限='操作员'", {"用户名"}), TextList{"op11"});
    EXPECT_EQ(listRowCount(login->超级列表框2), 1);
}

} // namespace
