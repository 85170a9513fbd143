#pragma once
// What the person at the desk does, sent as real input to the units.
//
// Every press is a mouse event at a point of the unit, sent to whatever the
// mouse meets there, and only where a person could make it: each helper
// fails the test, naming the unit, when the unit is hidden (itself, a
// container of it, or a tab page not shown), disabled (itself or a container
// of it), lies outside the visible part of its window at that point, stands
// behind a modal window, or is covered there by another unit.
#include "common/windows/controls.h"
#include "common/grid/grid_table.h"
#include "common/windows/list_view.h"
#include "common/windows/menu.h"
#include "common/windows/tool_bar.h"
#include "common/windows/window.h"
#include "common/windows/tree_view.h"

#include <string>

class QPoint;
class QWidget;

// Why a person could not press `widget` at `at` (its own coordinates), or ""
// when they could.
std::string whyUnreachable(const QWidget* widget, const QPoint& at);

// A left click on a button; a tick box or option button is clicked on its box.
void click(Unit& button);
// The mouse on a unit that takes it itself (a picture, a label, a grid's
// surface, a window's own area): `button` goes down, or down and up again,
// in the middle of the unit or at `at` of `widget`.
void pressMouse(Unit& unit, int button = LeftButton);
void clickMouse(Unit& unit, int button = LeftButton);
void pressMouse(QWidget* widget, const QPoint& at, int button = LeftButton);
void clickMouse(QWidget* widget, const QPoint& at, int button = LeftButton);
// A click on the header of page `page` in a tab control's strip.
void clickTab(TabControl& tabs, int page);
void typeEnter(EditBox& box);                   // the Enter key in an edit box
void clickListRow(ListView& list, int row, int button = LeftButton);
void clickListRow(ListBox& list, int row);
void doubleClickListRow(ListBox& list, int row);
// A click on the tick box of a row of a list with tick boxes.
void clickListRowTick(ListView& list, int row);
// The menu opened from the window's menu bar (and its sub-menus), then a
// click on the item.
void chooseMenuItem(MenuItem& item);
// A pick from a drop-down list: a click on the box, then on the item in the
// list that opens.
void chooseComboItem(ComboBox& box, int index);
// Items count in insertion order, which is the tree's top-down order.
void clickTreeItem(TreeView& tree, int item, int button = LeftButton);
// A left click in the middle of cell (row, column) where the grid shows it,
// scrolled into view. A row or column past the document's last is a click
// that many cell sizes beyond it, on no cell. With Shift held the click
// extends the selection.
void clickGridCell(GridTable& grid, int row, int column, bool withShift = false);
// A left click on button `number` of a tool bar (numbers count separators,
// as the bar does), or, when the bar has no room for it, on its entry in the
// bar's overflow menu; fails when the button is reachable neither way.
void pressToolButton(ToolBar& bar, int number);
// The key combination of a shortcut code (1-26 Ctrl+A..Ctrl+Z, 27-38
// F1..F12), typed into the active window.
void pressShortcut(Window& window, int code);
