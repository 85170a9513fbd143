// Every window in every state it has: the units it shows lie wholly inside
// its client area and inside their containers, so a person reaches each of
// them with the mouse.
#include "desk/tools/about_window.h"
#include "desk/tools/backup_window.h"
#include "app/login_window.h"
#include "desk/tools/restore_window.h"
#include "editor/editor_dialogs.h"
#include "editor/template_editor_window.h"
#include "reports/report_window.h"
#include "tests/desk/desk_fixture.h"
#include "tests/support/geometry.h"
#include "tests/support/scoped_env.h"

#include <QTemporaryDir>

namespace {

class WindowGeometryTest : public DeskTest {
protected:
    WindowGeometryTest()
    {
        exec("insert  into 会议信息 (会议编号,会议名称,会议地点,会议日期) values (1,'一号会','北京','2024-10-01')");
        addDelegate("一厂", "张三", "男", "001");
        addDelegate("二厂", "李四", "女", "002", 2);
        exec("insert  into 会议分组 (分组名称,会议编号) values ('一组',1)");
        exec("update 代表信息 set 表1='0',表2='0',表3='0',表4='0',表5='0' where 会议编号=1");
    }

    // `state` names the state in the failure message.
    void expectInside(Window& window, const Text& state, const ShownState& allowed = {})
    {
        for (const std::string& unit : unitsOutside(window, allowed))
            ADD_FAILURE() << gbkToUtf8(state) << ": " << unit;
    }
    void expectClientSize(Window& window, int width, int height)
    {
        EXPECT_EQ(window.clientWidth(), width) << gbkToUtf8(window.name());
        EXPECT_EQ(window.clientHeight(), height) << gbkToUtf8(window.name());
    }
    // Runs `check` inside modal window W opened as its opener opens it.
    template <class W>
    void inModal(std::function<void(W&)> check, std::function<void()> open)
    {
        person.inModalWindow([check](Window& w) {
            check(dynamic_cast<W&>(w));
            closeWindow(w);
        });
        open();
    }

    QTemporaryDir config;
    ScopedEnv configHome{"XDG_CONFIG_HOME", config.path().toStdString()};
};

// By design the banner lies a pixel above the window's top, and the tab
// control, 455 high at top 80, a pixel below its 534-px client area; the
// page labels lie over the strip they stand for.
const ShownState kLoginBanner{{"图片框1", "选择夹1"}, {}, {"标签17", "标签18"}};

TEST_F(WindowGeometryTest, LoginWindowAtEachHeight)
{
    LoginWindow* login = loadStartWindow<LoginWindow>();
    ASSERT_NE(login, nullptr);
    expectClientSize(*login, 387, 164);
    // The tab control lies below the visible area until an administrator logs in.
    expectInside(*login, "login", {{"图片框1"}, {"选择夹1"}, {}});

    login->用户名.setContent("admin");
    login->密码.setContent("admin");
    click(login->登陆按钮);
    ASSERT_EQ(login->height(), 300);
    expectClientSize(*login, 387, 274);
    // On entry the tab control keeps its full height, cut by the window: the
    // meeting list shows whole, the operator list only its top.
    expectInside(*login, "panel on entry, meetings", {{"图片框1", "选择夹1"}, {}, {}});
    login->选择夹1.setCurrentPage(1);
    expectInside(*login, "panel on entry, operators", {{"图片框1", "选择夹1", "超级列表框2"}, {"分组框2"}, {}});

    login->选择夹1.setCurrentPage(0);
    clickListRow(login->超级列表框1, 0, RightButton);
    ASSERT_EQ(login->height(), 560);
    expectClientSize(*login, 387, 534);
    expectInside(*login, "meeting editor, meetings", kLoginBanner);
    login->选择夹1.setCurrentPage(1);
    expectInside(*login, "meeting editor, operators", kLoginBanner);

    login->选择夹1.setCurrentPage(0);
    clickListRow(login->超级列表框1, 0, RightButton);
    ASSERT_EQ(login->height(), 300);
    expectInside(*login, "editor hidden, meetings", kLoginBanner);
    login->选择夹1.setCurrentPage(1);
    expectInside(*login, "editor hidden, operators", {{"图片框1", "超级列表框2"}, {"分组框2"}, {}});
}

TEST_F(WindowGeometryTest, MainWindowOnEveryPageAndInEveryMode)
{
    MainWindow& w = openUnlocked();
    expectClientSize(w, 792, 544);
    // By design the right pane's frame runs 2 pixels past the window's edge;
    // its tab control ends at the edge.
    auto expectMainInside = [&](const Text& state, TextList cut = {}) {
        cut.push_back("分组框2");
        this->expectInside(w, state, {cut, {}, {}});
    };
    expectMainInside("opened");

    pressToolButton(w.工具条1, 0);
    expectMainInside("delegates");
    person.answerMessage(AnswerOk);
    click(w.按钮2);   // shows the start number box
    expectMainInside("delegates, renumbering");

    pressToolButton(w.工具条1, 3);
    expectMainInside("rooms, manual assignment");
    click(w.房间调整);
    expectMainInside("rooms, maintenance");

    pressToolButton(w.工具条1, 2);
    expectMainInside("groups, group form");
    click(w.单选框5);
    expectMainInside("groups, members");

    pressToolButton(w.工具条1, 5);
    expectMainInside("banquet tables, manual assignment");
    click(w.餐桌调整);
    expectMainInside("banquet tables, maintenance");

    // The top strip hides its upper border above the page by design.
    const TextList seatingStrip{"分组框16"};
    pressToolButton(w.工具条1, 4);
    expectMainInside("seating charts", seatingStrip);
    click(w.增删模板);
    expectMainInside("seating templates", seatingStrip);

    pressToolButton(w.工具条1, 15);
    expectMainInside("table cards");

    pressToolButton(w.工具条1, 7);
    expectMainInside("check-in, label");
    click(w.按钮3);
    expectMainInside("check-in, sample");
    click(w.按钮18);
    click(w.按钮15);
    expectMainInside("check-in, sample hidden");

    chooseMenuItem(w.数据锁定);
    pressToolButton(w.工具条1, 2);
    click(w.单选框5);
    expectMainInside("groups, members, locked");
}

TEST_F(WindowGeometryTest, ReportWindowPagesAndBadgeDesigner)
{
    currentMeetingId = 1;
    currentMeetingName = "一号会";
    for (const char* kind : {"代表一览表", "座次报表", "代表证"}) {
        reportKind = kind;
        ReportWindow* report = loadWindow<ReportWindow>(nullptr, false);
        ASSERT_NE(report, nullptr) << kind;
        expectClientSize(*report, 792, 563);
        expectInside(*report, kind);
        report->报表选择夹.setCurrentPage(1 - report->报表选择夹.currentPage());
        expectInside(*report, kind);
        closeWindow(*report);
    }
}

TEST_F(WindowGeometryTest, TemplateEditorAndItsDialogs)
{
    auto* editor = loadWindow<TemplateEditorWindow>(nullptr, false, TextList{"qelvana"});
    ASSERT_NE(editor, nullptr);
    expectClientSize(*editor, 405, 264);
    expectInside(*editor, "editor");

    inModal<TablePropertiesDialog>([&](auto& d) { expectInside(d, "table properties"); },
                                   [&] { chooseMenuItem(editor->表格属性); });
    inModal<EditorAboutWindow>([&](auto& d) { expectInside(d, "editor about box"); },
                               [&] { chooseMenuItem(editor->关于Tabrel); });
    inModal<ColourDialog>([&](auto& d) { expectInside(d, "colour dialog"); },
                          [&] { chooseMenuItem(editor->文本颜色); });
}

TEST_F(WindowGeometryTest, BackupRestoreAndAboutBoxes)
{
    inModal<BackupWindow>([&](auto& w) { expectInside(w, "backup"); },
                          [] { loadWindow<BackupWindow>(nullptr, true); });
    inModal<RestoreWindow>([&](auto& w) { expectInside(w, "restore"); },
                           [] { loadWindow<RestoreWindow>(nullptr, true); });
    AboutWindow* about = loadWindow<AboutWindow>(nullptr, false);
    ASSERT_NE(about, nullptr);
    expectClientSize(*about, 372, 125);
    expectInside(*about, "about box");
}

} // namespace
