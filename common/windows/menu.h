#pragma once
// Menus of a window's menu bar, their sub-menus and items. Captions keep
// their "&" access keys.
#include "common/windows/unit.h"

class Window;
class QMenu;
class QAction;

class Menu {
public:
    // A top-level menu; a shortcut code runs `clicked` as opening it does.
    Menu(Window& window, const Text& caption, int shortcutCode = 0);
    // A sub-menu.
    Menu(Menu& parent, const Text& caption);
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    void addSeparator();
    Text caption() const;
    Window& window() const { return window_; }
    std::function<void()> clicked;

private:
    friend struct QtObjects;
    Window& window_;
    QMenu* menu_;
    QAction* shortcutAction_ = nullptr;
};

class MenuItem {
public:
    MenuItem(Menu& menu, const Text& name, const Text& caption, int shortcutCode = 0);
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const Text& name() const { return name_; }
    Text caption() const;
    void setCaption(const Text& caption);
    bool checked() const;
    void setChecked(bool checked);    // shows a check mark
    bool disabled() const;
    void setDisabled(bool disabled);
    void setVisible(bool visible);
    std::function<void()> clicked;

private:
    friend struct QtObjects;
    friend void triggerMenuItem(MenuItem&);
    Text name_;
    QAction* action_;
};

// A separator line, declared between the items it separates.
class MenuSeparator {
public:
    explicit MenuSeparator(Menu& menu) { menu.addSeparator(); }
};

// Runs the item's handler as the person's choice in its menu does (nothing
// while the item is disabled), for programs that drive a window without a
// person: the benchmarks.
void triggerMenuItem(MenuItem& item);

// Shows the items of `menu` at the mouse position, through the interaction
// seam; the chosen item's handler runs before this returns.
void popupMenu(Menu& menu);
