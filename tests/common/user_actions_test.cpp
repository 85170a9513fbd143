// The press helpers refuse what no person could press (a hidden, disabled,
// cut-off or covered unit, a unit behind a modal window, a hidden or
// disabled menu item) and press, by the mouse, what a person could.
#include "common/runtime.h"
#include "common/internal/qt_objects.h"
#include "tests/support/gbk_print.h"
#include "tests/support/scripted_interaction.h"
#include "tests/support/user_actions.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QProcess>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

struct PressWindow : Window {
    PressWindow() : Window("PressWindow", {0, 0, 400, 300}, "")
    {
        for (Button* b : {&可按, &隐藏, &页上, &停用, &框内, &窗外, &框外, &被盖})
            b->clicked = [this, b] { pressed.push_back(b->name()); };
        复写.clicked = [this] { pressed.push_back(复写.name()); };
        组合框1.selectionChanged = [this] { pressed.push_back(组合框1.currentText()); };
        居中.clicked = [this] { pressed.push_back(居中.name()); };
        停用项.clicked = [this] { pressed.push_back(停用项.name()); };
        隐藏项.clicked = [this] { pressed.push_back(隐藏项.name()); };
        关于.clicked = [this] { pressed.push_back(关于.name()); };
        隐藏.setVisible(false);
        停用.setDisabled(true);
        分组框2.setDisabled(true);
        停用项.setDisabled(true);
        隐藏项.setVisible(false);
        分组框4.setVisible(false);
        setListColumns();
        insertListRow(列表1, "行");
        列表框1.addItem("行");
        addTreeItem(树1, -1, "项", 1, 1, 0);
        工具条1.addButton("", "按钮");
    }
    void setListColumns() { 列表1.setColumns({{"列", 80}}); }
    Button 可按{*this, "可按", {10, 10, 80, 24}, "可按"};
    Button 隐藏{*this, "隐藏", {100, 10, 80, 24}, "隐藏"};
    Button 停用{*this, "停用", {190, 10, 80, 24}, "停用"};
    // Wider than its caption: the box is where the tick goes.
    CheckBox 复写{*this, "复写", {10, 40, 200, 20}, "复写"};
    ComboBox 组合框1{*this, "组合框1", {220, 40, 120, 24}, {"男", "女", "无"}, 0};
    TabControl 选择夹1{*this, "选择夹1", {10, 70, 180, 100}, {"甲", "乙"}};
    Button 页上{选择夹1.page(1), "页上", {10, 40, 80, 24}, "页上"};
    GroupBox 分组框2{*this, "分组框2", {200, 70, 120, 100}, "框"};
    Button 框内{分组框2, "框内", {10, 30, 80, 24}, "框内"};
    // Beyond the window's right edge, and beyond its group box's bottom.
    Button 窗外{*this, "窗外", {380, 180, 80, 24}, "窗外"};
    GroupBox 分组框3{*this, "分组框3", {10, 180, 120, 60}, "框"};
    Button 框外{分组框3, "框外", {10, 50, 80, 24}, "框外"};
    // A label laid over a button after it, so on top of it.
    Button 被盖{*this, "被盖", {200, 200, 80, 24}, "被盖"};
    Label 盖子{*this, "盖子", {210, 195, 60, 34}, "盖子"};
    // A hidden box with a unit for each of the other helpers.
    GroupBox 分组框4{*this, "分组框4", {0, 0, 0, 0}, ""};
    ListView 列表1{分组框4, "列表1", {0, 0, 100, 60}, ListView::Report, true};
    ListBox 列表框1{分组框4, "列表框1", {0, 0, 100, 60}};
    TreeView 树1{分组框4, "树1", {0, 0, 100, 60}};
    ComboBox 组合框2{分组框4, "组合框2", {0, 0, 100, 24}, {"一"}};
    ToolBar 工具条1{分组框4, "工具条1", {0, 0, 100, 40}};
    EditBox 编辑框1{分组框4, "编辑框1", {0, 0, 100, 24}};
    Menu 编辑{*this, "&E.编辑"};
    Menu 对齐{编辑, "&A.对齐"};
    MenuItem 居中{对齐, "居中", "居中"};
    MenuItem 停用项{编辑, "停用项", "停用项"};
    MenuItem 隐藏项{编辑, "隐藏项", "隐藏项"};
    Menu 帮助{*this, "&H.帮助"};
    MenuItem 关于{帮助, "关于", "关于"};
    TextList pressed;
};

class PressTest : public testing::Test {
protected:
    void SetUp() override { w = loadWindow<PressWindow>(nullptr, false); }
    void TearDown() override
    {
        closeWindow(*w);
        processEvents();
    }
    // What the failure statements press; they may name no local.
    static inline Unit* unit = nullptr;
    static inline MenuItem* item = nullptr;
    static inline PressWindow* shown = nullptr;
    static inline void (*press)() = nullptr;
    PressWindow* w = nullptr;
};

// A press expected to be refused; the refusal, which would end the test,
// ends only this.
void attempt(void (*press)())
{
    try {
        press();
    } catch (const testing::AssertionException&) {
    }
}

TEST_F(PressTest, WhatAPersonCanReachIsPressedByTheMouse)
{
    click(w->可按);
    click(w->复写);
    EXPECT_TRUE(w->复写.checked());
    chooseComboItem(w->组合框1, 1);
    EXPECT_TEXT_EQ("女", w->组合框1.currentText());
    chooseMenuItem(w->居中);   // through the sub-menu
    chooseMenuItem(w->关于);
    EXPECT_EQ(w->pressed, (TextList{"可按", "复写", "女", "居中", "关于"}));
}

TEST_F(PressTest, WhatNoPersonCanReachFailsThePressAndRunsNothing)
{
    const std::pair<Unit*, const char*> cases[] = {
        {&w->隐藏, "it is hidden"},
        {&w->页上, "lies on a page of 选择夹1 that is not shown"},
        {&w->停用, "it is disabled"},
        {&w->框内, "lies on 分组框2, which is disabled"},
        {&w->窗外, "outside the visible part of its window"},
        {&w->框外, "outside the visible part of 分组框3"},
        {&w->被盖, "covered by 盖子"},
    };
    for (const auto& [pressed, fault] : cases) {
        unit = pressed;
        EXPECT_FATAL_FAILURE(attempt([] { click(*unit); }), gbkToUtf8(fault).c_str());
    }
    const std::pair<MenuItem*, const char*> items[] = {
        {&w->停用项, "停用项 is disabled"},
        {&w->隐藏项, "隐藏项 is hidden"},
    };
    for (const auto& [chosen, fault] : items) {
        item = chosen;
        EXPECT_FATAL_FAILURE(attempt([] { chooseMenuItem(*item); }), gbkToUtf8(fault).c_str());
    }
    EXPECT_TRUE(w->pressed.empty());
    // The refused menus are closed again: the next choice works.
    chooseMenuItem(w->关于);
    EXPECT_EQ(w->pressed, TextList{"关于"});

    w->选择夹1.setCurrentPage(1);
    QtObjects::menu(w->帮助)->menuAction()->setVisible(false);
    item = &w->关于;
    EXPECT_FATAL_FAILURE(attempt([] { chooseMenuItem(*item); }), "is hidden");
    click(w->页上);
    EXPECT_EQ(w->pressed, (TextList{"关于", "页上"}));
}

TEST_F(PressTest, EveryHelperRefusesAUnitOnAHiddenBox)
{
    shown = w;
    void (*const presses[])() = {
        [] { clickListRow(shown->列表1, 0); },
        [] { clickListRowTick(shown->列表1, 0); },
        [] { clickListRow(shown->列表框1, 0); },
        [] { doubleClickListRow(shown->列表框1, 0); },
        [] { clickTreeItem(shown->树1, 0); },
        [] { chooseComboItem(shown->组合框2, 0); },
        [] { pressToolButton(shown->工具条1, 0); },
        [] { typeEnter(shown->编辑框1); },
        [] { pressMouse(shown->列表框1); },
        [] { clickMouse(shown->列表框1); },
    };
    for (int n = 0; n < std::ssize(presses); ++n) {
        SCOPED_TRACE(n);
        press = presses[n];
        EXPECT_FATAL_FAILURE(attempt(press), gbkToUtf8("it lies on 分组框4, which is hidden").c_str());
    }
}

TEST_F(PressTest, AModalWindowKeepsTheWindowsBehindItFromThePerson)
{
    struct Dialog : Window {
        Dialog() : Window("Dialog", {0, 0, 200, 100}, "") {}
        Button 确定{*this, "确定", {10, 10, 80, 24}, "确定"};
    };
    ScriptedInteraction person;
    person.inModalWindow([this](Window& dialog) {
        unit = &w->可按;
        EXPECT_FATAL_FAILURE(attempt([] { click(*unit); }), "the modal window Dialog stands in front of its window");
        static_cast<Dialog&>(dialog).确定.clicked = [&dialog] { closeWindow(dialog); };
        click(static_cast<Dialog&>(dialog).确定);
    });
    loadWindow<Dialog>(w, true);
    EXPECT_TRUE(w->pressed.empty());
}

// Not tests of their own: the child processes of the test below, which
// reads what they print and how they end.
class PressChild : public PressTest {};

TEST_F(PressChild, DISABLED_RefusedInAHelper)
{
    auto pressHidden = [this] {
        click(w->隐藏);
        std::puts("the helper ran on");
    };
    pressHidden();
    std::puts("the test ran on");
}

TEST_F(PressChild, DISABLED_RefusedInAModalWindow)
{
    struct Dialog : Window {
        Dialog() : Window("Dialog", {0, 0, 200, 100}, "") { 隐藏.setVisible(false); }
        Button 隐藏{*this, "隐藏", {10, 10, 80, 24}, "隐藏"};
    };
    ScriptedInteraction person;
    person.inModalWindow([](Window& dialog) {
        click(static_cast<Dialog&>(dialog).隐藏);
        std::puts("the window's action ran on");
    });
    w->可按.clicked = [this] { loadWindow<Dialog>(w, true); };
    click(w->可按);
    std::puts("the test ran on");
}

TEST_F(PressChild, DISABLED_FailedInAHelper)
{
    w->可按.clicked = [] { std::puts("the press ran on"); };
    [] { ASSERT_TRUE(false) << "the helper's own check"; }();
    click(w->可按);
    std::puts("the test ran on");
}

// A press no person could make ends the test that made it, even from a
// helper or from inside a modal window the test's press opened: its
// failure is the only one, and nothing after it runs. A test that failed
// fatally in a helper ends at its next press.
TEST(PressesEnd, ARefusedPressEndsTheTestThatMadeIt)
{
    const std::pair<const char*, const char*> cases[] = {
        {"RefusedInAHelper", "隐藏 cannot be pressed: it is hidden"},
        {"RefusedInAModalWindow", "隐藏 cannot be pressed: it is hidden"},
        {"FailedInAHelper", "the helper's own check"},
    };
    for (const auto& [test, failure] : cases) {
        SCOPED_TRACE(test);
        QProcess child;
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=PressChild.DISABLED_") + test, "--gtest_also_run_disabled_tests"});
        const bool ended = child.waitForFinished(30000);
        if (!ended) {
            child.kill();
            child.waitForFinished();
        }
        const QByteArray output = child.readAll();
        ASSERT_TRUE(ended) << "the test hangs: " << output.toStdString();
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
        EXPECT_EQ(output.count(": Failure\n"), 1) << output.toStdString();
        EXPECT_TRUE(output.contains(gbkToUtf8(failure))) << output.toStdString();
        EXPECT_TRUE(output.contains("user_actions_test.cpp:")) << "not reported where the press stands";
        EXPECT_FALSE(output.contains("ran on")) << output.toStdString();
        EXPECT_TRUE(output.contains("[  FAILED  ] PressChild.DISABLED_" + QByteArray(test))) << output.toStdString();
    }
}

} // namespace
