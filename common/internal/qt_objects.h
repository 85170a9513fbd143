#pragma once
// Internal to common/ (and to the tests, which press units as a person
// does): the Qt objects behind units, containers, menus, windows and grid
// units. The public headers hand out none of them. Each service defines the
// accessors of its own classes (windows/unit.cpp, windows/menu.cpp,
// windows/window.cpp, grid/grid_source.cpp, grid/grid_table.cpp); a caller
// includes the header of the classes it passes (common/runtime.h holds
// them all).
class Container;
class DataSource;
class GridProvider;
class GridTable;
class Menu;
class MenuItem;
class Unit;
class Window;

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

struct QtObjects {
    static QWidget* widget(const Unit& unit);
    // The widget that units placed on `container` are children of.
    static QWidget* container(const Container& container);
    static QMenu* menu(const Menu& menu);
    // The action behind a top-level menu's shortcut code, or null.
    static QAction* shortcutAction(const Menu& menu);
    static QAction* action(const MenuItem& item);
    static QMenuBar* menuBar(Window& window);
    static void registerShortcut(Window& window, QAction* action, int code, bool isMenu);
    // The top-level widget of the window a grid unit, data source or
    // provider belongs to: grid units find their sources by it.
    static const QWidget* windowKey(const GridProvider& provider);
    static const QWidget* windowKey(const DataSource& source);
    static const QWidget* windowKey(const GridTable& grid);
};
