#pragma once
// Internal to common/ (and to the tests, which press units as a person
// does): the Qt objects behind units, containers, menus, windows and grid
// units. The public headers hand out none of them.
#include "common/grid/grid.h"
#include "common/grid/grid_table.h"
#include "common/windows/menu.h"
#include "common/windows/window.h"

struct QtObjects {
    static QWidget* widget(const Unit& unit) { return unit.widget(); }
    // The widget that units placed on `container` are children of.
    static QWidget* container(const Container& container) { return container.containerWidget(); }
    static QMenu* menu(const Menu& menu) { return menu.menu_; }
    // The action behind a top-level menu's shortcut code, or null.
    static QAction* shortcutAction(const Menu& menu) { return menu.shortcutAction_; }
    static QAction* action(const MenuItem& item) { return item.action_; }
    static QMenuBar* menuBar(Window& window) { return window.menuBar(); }
    static void registerShortcut(Window& window, QAction* action, int code, bool isMenu)
    {
        window.registerShortcut(action, code, isMenu);
    }
    // The top-level widget of the window a grid unit, data source or
    // provider belongs to: grid units find their sources by it.
    static const QWidget* windowKey(const GridProvider& provider) { return provider.window_; }
    static const QWidget* windowKey(const DataSource& source) { return source.window_; }
    static const QWidget* windowKey(const GridTable& grid) { return grid.window_; }
};
