// Menus: shortcut codes and the program-owned check mark.
#include "common/runtime.h"
#include "common/internal/qt_objects.h"
#include "tests/support/user_actions.h"

#include <QAction>
#include <QKeySequence>

#include <gtest/gtest.h>

namespace {

struct MenuWindow : Window {
    MenuWindow() : Window("MenuWindow", {0, 0, 300, 200}, "")
    {
        数据锁定.clicked = [this] { 数据锁定.setChecked(!数据锁定.checked()); };
        代表报到.clicked = [this] { ++checkIns; };
    }
    int checkIns = 0;
    Menu 信息处理{*this, "&D.信息处理", 16};
    MenuItem 代表报到{信息处理, "代表报到", "&C.代表报到", 27};
    MenuItem 数据锁定{信息处理, "数据锁定", "&L.数据锁定", 12};
    Menu 帮助{*this, "&H.帮助", 27};
    MenuItem 关于{帮助, "关于", "关于"};
};

TEST(Menus, ItemKeepsASharedCodeAndTheMenuGetsNone)
{
    MenuWindow* w = loadWindow<MenuWindow>(nullptr, false);
    EXPECT_EQ(QtObjects::action(w->代表报到)->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(QtObjects::action(w->数据锁定)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    EXPECT_TRUE(QtObjects::shortcutAction(w->帮助)->shortcut().isEmpty());
    EXPECT_EQ(QtObjects::shortcutAction(w->信息处理)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    // The keys themselves: F1 runs the item, Ctrl+L the other one.
    pressShortcut(*w, 27);
    EXPECT_EQ(w->checkIns, 1);
    pressShortcut(*w, 12);
    EXPECT_TRUE(w->数据锁定.checked());
    closeWindow(*w);
}

TEST(Menus, ClickLeavesTheCheckMarkToTheHandler)
{
    MenuWindow* w = loadWindow<MenuWindow>(nullptr, false);
    w->数据锁定.setChecked(true);
    QtObjects::action(w->数据锁定)->trigger();
    EXPECT_FALSE(w->数据锁定.checked());
    QtObjects::action(w->数据锁定)->trigger();
    EXPECT_TRUE(w->数据锁定.checked());
    closeWindow(*w);
}

} // namespace
