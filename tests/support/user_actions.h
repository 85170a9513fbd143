#pragma once
// What the person at the desk does, sent as real input to the units.
//
// Every press is a mouse event at a point of the unit, sent to whatever the
// mouse meets there, and only where a person could make it: the unit is not
// hidden (itself, a container of it, or a tab page not shown), not disabled
// (itself or a container of it), lies inside the visible part of its window
// at that point, stands behind no modal window and is not covered there by
// another unit.
//
// A press no person could make ends the running test at once, with one
// failure that names the unit and is reported where the press stands in the
// calling code. It ends the test from inside any helper too, so callers
// check nothing:
//
//     MainWindow& w = openRooms();   // a helper that chooses a menu item
//     click(w.房间调整);              // not reached when that choice was refused
//
// A press refused inside a modal window's action (ScriptedInteraction::
// inModalWindow) ends the action, the window is closed, and the press that
// opened the window ends the test when it returns; where the test opened the
// window by a call of its own, it calls endTestAfterFatalFailure()
// (tests/support/test_end.h) after that call. A test that has failed
// fatally presses nothing more: its next press ends it.
//
// The test ends by a testing::AssertionException, which GoogleTest takes as
// a failure reported already. A test of these helpers that expects a
// refusal catches it inside EXPECT_FATAL_FAILURE's statement.
#include "common/windows/controls.h"
#include "common/grid/grid_table.h"
#include "common/windows/list_view.h"
#include "common/windows/menu.h"
#include "common/windows/tool_bar.h"
#include "common/windows/window.h"
#include "common/windows/tree_view.h"

#include <source_location>
#include <string>

class QPoint;
class QWidget;

// Where a press stands in the calling code; every helper takes it last and
// the caller leaves it out.
using PressedAt = std::source_location;

// Why a person could not press `widget` at `at` (its own coordinates), or ""
// when they could.
std::string whyUnreachable(const QWidget* widget, const QPoint& at);

// A left click on a button; a tick box or option button is clicked on its box.
void click(Unit& button, PressedAt where = PressedAt::current());
// The mouse on a unit that takes it itself (a picture, a label, a grid's
// surface, a window's own area): `button` goes down, or down and up again,
// in the middle of the unit or at `at` of `widget`.
void pressMouse(Unit& unit, int button = LeftButton, PressedAt where = PressedAt::current());
void clickMouse(Unit& unit, int button = LeftButton, PressedAt where = PressedAt::current());
void pressMouse(QWidget* widget, const QPoint& at, int button = LeftButton, PressedAt where = PressedAt::current());
void clickMouse(QWidget* widget, const QPoint& at, int button = LeftButton, PressedAt where = PressedAt::current());
// A click on the header of page `page` in a tab control's strip.
void clickTab(TabControl& tabs, int page, PressedAt where = PressedAt::current());
// The Enter key in an edit box.
void typeEnter(EditBox& box, PressedAt where = PressedAt::current());
void clickListRow(ListView& list, int row, int button = LeftButton, PressedAt where = PressedAt::current());
void clickListRow(ListBox& list, int row, PressedAt where = PressedAt::current());
void doubleClickListRow(ListBox& list, int row, PressedAt where = PressedAt::current());
// A click on the tick box of a row of a list with tick boxes.
void clickListRowTick(ListView& list, int row, PressedAt where = PressedAt::current());
// The menu opened from the window's menu bar (and its sub-menus), then a
// click on the item.
void chooseMenuItem(MenuItem& item, PressedAt where = PressedAt::current());
// A pick from a drop-down list: a click on the box, then on the item in the
// list that opens.
void chooseComboItem(ComboBox& box, int index, PressedAt where = PressedAt::current());
// Items count in insertion order, which is the tree's top-down order.
void clickTreeItem(TreeView& tree, int item, int button = LeftButton, PressedAt where = PressedAt::current());
// A left click in the middle of cell (row, column) where the grid shows it,
// scrolled into view. A row or column past the document's last is a click
// that many cell sizes beyond it, on no cell. With Shift held the click
// extends the selection.
void clickGridCell(GridTable& grid, int row, int column, bool withShift = false, PressedAt where = PressedAt::current());
// A left click on button `number` of a tool bar (numbers count separators,
// as the bar does), or, when the bar has no room for it, on its entry in the
// bar's overflow menu; refused when the button is reachable neither way.
void pressToolButton(ToolBar& bar, int number, PressedAt where = PressedAt::current());
// The key combination of a shortcut code (1-26 Ctrl+A..Ctrl+Z, 27-38
// F1..F12), typed into the active window.
void pressShortcut(Window& window, int code, PressedAt where = PressedAt::current());
