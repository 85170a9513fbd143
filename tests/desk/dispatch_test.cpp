// The tool bar and menu dispatcher: pages, report preconditions and the
// items that inform or open something.
#include "editor/template_editor_window.h"
#include "common/internal/qt_objects.h"
#include "reports/report_window.h"
#include "tests/desk/desk_fixture.h"

#include <QTest>

#include <functional>

namespace {

class DispatchTest : public DeskTest {};

TEST_F(DispatchTest, PageCommandsShowTheirPageWithTheTreeTheyNeed)
{
    addDelegate("甲单位", "张三", "男", "002");
    addDelegate("乙单位", "李四", "女", "001");
    addDelegate("甲单位", "王五", "男", "003", 2);   // another meeting
    MainWindow& w = open();
    struct Case {
        int number;
        int page;
        bool tree, rightPane;
        int treeItems;
    } cases[] = {
        {0, 0, true, true, 4}, {3, 1, true, true, 0}, {5, 3, true, true, 0}, {4, 4, true, true, 0},
        {15, 5, true, true, 4}, {7, 7, true, true, 4}, {2, 2, true, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        pressToolButton(w.工具条1, c.number);
        EXPECT_EQ(w.选择夹1.currentPage(), c.page);
        EXPECT_EQ(w.分组框1.visible(), c.tree);
        EXPECT_EQ(w.分组框2.visible(), c.rightPane);
        EXPECT_EQ(treeItemCount(w.树型框1), c.treeItems);
        EXPECT_EQ(currentRecordSet, 0);
    }
    // The card page opened again starts with no names (the seat queue: in
    // the seating tests).
    w.编辑框18.setContent("旧");
    pressToolButton(w.工具条1, 15);
    click(w.增加台签名单);
    ASSERT_EQ(w.列表框1.itemCount(), 1);
    pressToolButton(w.工具条1, 7);
    pressToolButton(w.工具条1, 15);
    EXPECT_EQ(w.列表框1.itemCount(), 0);
    pressToolButton(w.工具条1, 7);
    EXPECT_TEXT_EQ("select * from 代表信息 where 会议编号=1  and  报到情况=false  order  by 代表编号 ", delegateQuerySql);
    // Ordered by number as text: 乙单位 (001) first.
    pressToolButton(w.工具条1, 0);
    EXPECT_EQ(tree(), (TextList{"乙单位/1/0", "李四/3/1", "甲单位/1/0", "张三/2/1"}));

    w.onToolbarButtonClick(16);   // a hidden button: no person presses it
    EXPECT_FALSE(w.分组框1.visible());
    EXPECT_FALSE(w.分组框2.visible());
    chooseMenuItem(w.台签);   // the item of a command is its button
    EXPECT_EQ(w.选择夹1.currentPage(), 5);
    EXPECT_TRUE(w.分组框2.visible());
}

TEST_F(DispatchTest, EveryButtonOfTheBarRunsItsCommandFromItsPlace)
{
    addDelegate("甲单位", "张三", "男", "001");
    exec("insert  into  房间信息 (宾馆名称,房间编号,房间类别,房间人数,已住人数,性别,会议编号)  values  ('宾馆','1','标准',2,0,'无',1)");
    exec("insert  into 餐桌信息 (会议编号,餐厅名称,餐桌编号,可坐人数) values (1,'餐厅','1',10)");
    MainWindow& w = open();
    ASSERT_EQ(w.工具条1.itemCount(), 18);
    for (int n : {1, 6, 8, 12, 17})
        EXPECT_TRUE(w.工具条1.isSeparator(n)) << n;
    EXPECT_FALSE(w.工具条1.buttonVisible(16));
    struct Case {
        int number;
        const char* caption;
        int page;            // -1: a report
        const char* report;
    } cases[] = {
        {0, "代表录入", 0, ""}, {2, "会议分组", 2, ""}, {3, "客房分配", 1, ""}, {4, "会场座次", 4, ""},
        {5, "宴会座次", 3, ""}, {7, "代表报到", 7, ""}, {15, "台  签", 5, ""},
        {9, "代表报表", -1, "代表一览表"}, {10, "客房报表", -1, "客房一览表"}, {11, "餐桌报表", -1, "餐桌一览表"},
        {13, "代表证", -1, "代表证"}, {14, "通讯录", -1, "通讯录"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_TEXT_EQ(c.caption, w.工具条1.buttonCaption(c.number));
        w.选择夹1.setCurrentPage(6);
        reportKind = "";
        pressToolButton(w.工具条1, c.number);
        if (c.page >= 0) {
            EXPECT_EQ(w.选择夹1.currentPage(), c.page);
            EXPECT_TRUE(w.分组框2.visible());
            continue;
        }
        EXPECT_TEXT_EQ(c.report, reportKind);
        auto* report = findWindow<ReportWindow>();
        ASSERT_NE(report, nullptr);
        closeWindow(*report);
    }
}

TEST_F(DispatchTest, TheDeclaredShortcutKeysRunTheirItems)
{
    ASSERT_TRUE(writeFile(programDirectory() + "\\meeting.chm", "manual"));
    MainWindow& w = open();
    pressShortcut(w, 27);   // F1: the check-in item keeps the key the help menu shares
    EXPECT_EQ(w.选择夹1.currentPage(), 7);
    person.answerProgram();
    pressShortcut(w, 38);   // F12
    EXPECT_TEXT_EQ("hh.exe " + programDirectory() + "\\meeting.chm", person.calls().back().text);
    TextList opened;
    for (int code : {30, 31}) {   // F4, F5
        person.inModalWindow([&](Window& modal) {
            opened.push_back(modal.caption());
            closeWindow(modal);
        });
        pressShortcut(w, code);
    }
    EXPECT_EQ(opened, (TextList{"数据备份", "数据恢复"}));
    pressShortcut(w, 34);   // F8
    EXPECT_NE(findWindow<TemplateEditorWindow>(), nullptr);
    pressShortcut(w, 17);   // Ctrl+Q
    EXPECT_EQ(findWindow<MainWindow>(), nullptr);
}

TEST_F(DispatchTest, AFailedQueryLeavesThePanesHiddenAndThePageAsItWas)
{
    addDelegate("甲单位", "张三", "男", "001");
    MainWindow& w = open();
    pressToolButton(w.工具条1, 0);
    clickTreeItem(w.树型框1, 1);
    ASSERT_NE(currentDelegateId, 0);
    exec("alter table 代表信息 rename to 代表信息存");
    person.answerMessage(AnswerOk);
    pressToolButton(w.工具条1, 7);
    EXPECT_EQ(messageTexts(), TextList{"查询失败！|"});
    EXPECT_EQ(w.选择夹1.currentPage(), 0);
    EXPECT_FALSE(w.分组框2.visible());
    EXPECT_EQ(currentDelegateId, 0);   // the check-in command lets go of the delegate first
    exec("alter table 代表信息存 rename to 代表信息");
}

TEST_F(DispatchTest, ReportsNeedTheirDataFirst)
{
    MainWindow& w = open();
    struct Case {
        MenuItem* item;
        Text message;
    } cases[] = {
        {&w.代表报表, "请先添加代表！"}, {&w.代表证, "请先添加代表！"}, {&w.通讯录, "请先添加代表！"},
        {&w.客房报表, "请先分配房间！"}, {&w.餐桌报表, "请先分配餐桌！"},
        {&w.分组报表, "请先处理分组讨论！"}, {&w.座次报表, "请先录入代表信息！"},
    };
    for (const Case& c : cases) {
        person.answerMessage(AnswerOk);
        chooseMenuItem(*c.item);
        EXPECT_TEXT_EQ(c.message + "|错误", messageTexts().back());
        EXPECT_EQ(person.messages().back().boxKind, BoxOk | IconExclamation);
    }
    EXPECT_TEXT_EQ("", reportKind);

    addDelegate("甲单位", "张三", "男", "001");
    exec("insert  into  房间信息 (宾馆名称,房间编号,房间类别,房间人数,已住人数,性别,会议编号)  values  ('宾馆','1','标准',2,0,'无',1)");
    chooseMenuItem(w.客房报表);   // rooms, none of them occupied
    EXPECT_TEXT_EQ("客房一览表", reportKind);
    exec("insert  into 会议分组 (分组名称,会议编号) values ('一组',1)");
    chooseMenuItem(w.分组报表);
    EXPECT_TEXT_EQ("分组一览表", reportKind);
    chooseMenuItem(w.座次报表);   // "0" in every chart column counts as filled
    EXPECT_TEXT_EQ("座次报表", reportKind);
    exec("update 代表信息 set 表3='' where 会议编号=1");
    person.answerMessage(AnswerOk);
    chooseMenuItem(w.座次报表);
    EXPECT_TEXT_EQ("请先处理座次报表！|错误", messageTexts().back());
    EXPECT_FALSE(w.分组框1.visible());
    EXPECT_EQ(currentRecordSet, 0);
}

TEST_F(DispatchTest, PageCommandsLetGoOfWhatTheLastPageHadPicked)
{
    addDelegate("甲单位", "张三", "男", "001");
    exec("insert  into  房间信息 (宾馆名称,房间编号,房间类别,房间人数,已住人数,性别,会议编号)  values  ('宾馆','1','标准',2,0,'无',1)");
    exec("insert  into  餐桌信息 (餐厅名称,餐桌编号,可坐人数,已坐人数,会议编号)  values  ('大厅','1号桌',10,0,1)");
    MainWindow& w = openUnlocked();
    auto pickRoom = [&] {
        pressToolButton(w.工具条1, 3);
        click(w.手动分配);
        clickListRow(w.超级列表框1, 0);
        clickTreeItem(w.树型框1, 1);
        ASSERT_EQ(listRowCount(w.超级列表框2), 1);
        ASSERT_NE(selectedRoomId, 0);
        ASSERT_NE(currentDelegateId, 0);
    };
    pickRoom();
    pressToolButton(w.工具条1, 3);
    EXPECT_EQ(listRowCount(w.超级列表框1), 0);
    EXPECT_EQ(listRowCount(w.超级列表框2), 0);
    EXPECT_EQ(selectedRoomId, 0);
    EXPECT_EQ(currentDelegateId, 0);

    pickRoom();
    pressToolButton(w.工具条1, 0);
    EXPECT_EQ(selectedRoomId, 0);
    EXPECT_EQ(currentDelegateId, 0);

    pressToolButton(w.工具条1, 5);
    click(w.手动分配1);
    clickListRow(w.超级列表框3, 0);
    clickTreeItem(w.树型框1, 1);
    ASSERT_EQ(listRowCount(w.超级列表框4), 1);
    ASSERT_NE(selectedTableId, 0);
    pressToolButton(w.工具条1, 5);
    EXPECT_EQ(listRowCount(w.超级列表框3), 0);
    EXPECT_EQ(listRowCount(w.超级列表框4), 0);
    EXPECT_EQ(selectedTableId, 0);
    EXPECT_EQ(currentDelegateId, 0);
    EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1", {"房间编号", "餐桌编号"}), TextList{"0|0"});   // nothing committed
}

TEST_F(DispatchTest, InformationItemsExitAndTheManual)
{
    ASSERT_TRUE(writeFile(programDirectory() + "\\meeting.chm", "manual"));
    MainWindow& w = open();
    person.answerMessage(AnswerOk).answerMessage(AnswerOk).answerMessage(AnswerOk).answerProgram();
    chooseMenuItem(w.密码修改);
    chooseMenuItem(w.会议切换);
    chooseMenuItem(w.新建会议);
    EXPECT_EQ(messageTexts(),
              (TextList{"请在登陆系统时选择〖修改密码〗后登陆,根据提示录入新的用户信息即可!|密码修改",
                        "管理员在登陆系统时可选择不同会议进入,操作员只能使用相对应的会议!|会议切换",
                        "新会议必须由管理员在登陆系统时创建,在添加新会议的操作员后即可使用!|新建会议"}));
    EXPECT_EQ(person.messages()[0].boxKind, BoxOk | IconInformation);
    chooseMenuItem(w.用户手册);
    EXPECT_TEXT_EQ("hh.exe " + programDirectory() + "\\meeting.chm", person.calls().back().text);
    chooseMenuItem(w.退出);
    EXPECT_EQ(findWindow<MainWindow>(), nullptr);
}

// The manual that is not there, from the menu and from F12, and a viewer
// that does not start: the person is told instead of nothing happening.
TEST_F(DispatchTest, AManualThatCannotBeOpenedIsReported)
{
    MainWindow& w = open();
    const std::function<void()> opens[] = {[&w] { chooseMenuItem(w.用户手册); }, [&w] { pressShortcut(w, 38); }};
    for (const auto& openManual : opens) {
        person.answerMessage(AnswerOk);
        openManual();
        ASSERT_TEXT_EQ("没有安装用户手册（程序目录中没有 meeting.chm）！|用户手册", lastMessage());
        EXPECT_EQ(person.messages().back().boxKind, BoxOk | IconInformation);
    }
    for (const auto& call : person.calls())
        EXPECT_NE(call.kind, ScriptedInteraction::Call::Program) << "a viewer was started";

    ASSERT_TRUE(writeFile(programDirectory() + "\\meeting.chm", "manual"));
    person.answerProgram(false).answerMessage(AnswerOk);
    chooseMenuItem(w.用户手册);
    EXPECT_TEXT_EQ("无法打开用户手册！|用户手册", lastMessage());
}

TEST_F(DispatchTest, TheMaintenanceItemsOpenTheirModalWindowsAndTheEditorStaysOpen)
{
    MainWindow& w = open();
    TextList opened;
    for (MenuItem* item : {&w.数据备份, &w.数据恢复}) {
        person.inModalWindow([&](Window& modal) {
            opened.push_back(modal.caption() + (modal.owner() ? "+owner" : ""));
            closeWindow(modal);
        });
        chooseMenuItem(*item);
    }
    EXPECT_EQ(opened, (TextList{"数据备份", "数据恢复"}));
    chooseMenuItem(w.模表制作);
    closeWindow(w);
    processEvents();
    EXPECT_EQ(openWindows().size(), 1u);   // the template editor has no owner
}

// The editor's modified flag and file name are the program's one pair: a
// second choice of the item must not open an editor that clears the first
// one's unsaved changes, but bring the open one back.
TEST_F(DispatchTest, TheEditorItemBringsTheOpenEditorBackWithItsChanges)
{
    MainWindow& w = open();
    chooseMenuItem(w.模表制作);
    auto* editor = findWindow<TemplateEditorWindow>();
    ASSERT_NE(editor, nullptr);
    chooseMenuItem(editor->新建);
    chooseMenuItem(editor->组合);
    ASSERT_EQ(1, modifiedFlag);

    QWidget* mainHost = QtObjects::container(w)->window();
    mainHost->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainHost));
    chooseMenuItem(w.模表制作);
    processEvents();
    int editors = 0;
    for (Window* open : openWindows())
        editors += dynamic_cast<TemplateEditorWindow*>(open) != nullptr;
    EXPECT_EQ(1, editors);
    EXPECT_TRUE(QTest::qWaitForWindowActive(QtObjects::container(*editor)->window()));
    EXPECT_EQ(1, modifiedFlag);

    person.answerMessage(AnswerCancel);
    QtObjects::container(*editor)->window()->close();   // the close box
    EXPECT_EQ(TextList{"文件已经被修改，是否保存？|询问"}, messageTexts());
    EXPECT_EQ(editor, findWindow<TemplateEditorWindow>());
}

} // namespace
