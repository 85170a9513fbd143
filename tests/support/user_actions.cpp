#include "tests/support/user_actions.h"

#include "common/grid/grid_view.h"
#include "common/internal/qt_objects.h"
#include "common/text/gbk.h"
#include "tests/support/test_end.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionViewItem>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// The widget itself when it is a unit or a window, else the nearest one it
// is part of; units are the named widgets, Qt's own parts are named "qt_...".
const QWidget* namedOne(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QStringLiteral("qt_")))
            return w;
    return nullptr;
}

// A widget as a failure names it.
std::string nameOf(const QWidget* widget)
{
    const QWidget* named = namedOne(widget);
    if (!named)
        return "an unnamed widget";
    return (named == widget ? "" : "a part of ") + named->objectName().toStdString();
}

std::string pointText(const QPoint& at) { return "(" + std::to_string(at.x()) + ", " + std::to_string(at.y()) + ")"; }

// True when `widget` is `top` or lies in it, across windows too: a menu or
// a drop-down list belongs to the window it opened from.
bool belongsTo(const QWidget* widget, const QWidget* top)
{
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w == top)
            return true;
    return false;
}

// The widget the mouse meets at `at` (the window's coordinates).
QWidget* widgetUnder(QWidget* window, const QPoint& at)
{
    QWidget* hit = window->childAt(at);
    return hit ? hit : window;
}

// The widget a press at `at` of `widget` goes to, with the point in it.
QWidget* underMouse(QWidget* widget, const QPoint& at, QPoint& local)
{
    QWidget* window = widget->window();
    const QPoint inWindow = widget->mapTo(window, at);
    QWidget* target = widgetUnder(window, inWindow);
    local = target->mapFrom(window, inWindow);
    return target;
}

// Whether a person could press `widget` at `at`; the failure names `unit`.
testing::AssertionResult reachable(const QWidget* widget, const QPoint& at, const std::string& unit)
{
    if (!widget)
        return testing::AssertionFailure() << unit << " has no widget";
    const std::string why = whyUnreachable(widget, at);
    if (!why.empty())
        return testing::AssertionFailure() << unit << " cannot be pressed: " << why;
    return testing::AssertionSuccess();
}

enum class Gesture { Click, DoubleClick, Press };

// The mouse at `at` of `widget`, sent to the widget it meets there: the
// unit or a part of it.
void send(QWidget* widget, const QPoint& at, Gesture gesture = Gesture::Click,
          Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {})
{
    QPoint local;
    QWidget* target = underMouse(widget, at, local);
    switch (gesture) {
    case Gesture::Click:
        QTest::mouseClick(target, button, modifiers, local);
        break;
    case Gesture::DoubleClick:
        // The first click of the pair, then the second as the double click.
        QTest::mouseClick(target, button, modifiers, local);
        QTest::mouseDClick(target, button, modifiers, local);
        break;
    case Gesture::Press:
        QTest::mousePress(target, button, modifiers, local);
        break;
    }
}

// The mouse at `at` of `widget` as a person uses it; refused, naming
// `unit`, where no person could.
testing::AssertionResult mouseAt(QWidget* widget, const QPoint& at, const std::string& unit,
                                 Gesture gesture = Gesture::Click, Qt::MouseButton button = Qt::LeftButton,
                                 Qt::KeyboardModifiers modifiers = {})
{
    testing::AssertionResult reached = reachable(widget, at, unit);
    if (reached)
        send(widget, at, gesture, button, modifiers);
    return reached;
}

// Makes a press, which `press` makes or refuses. A refused press ends the
// test with its failure, reported at `where`; a fatal failure reported
// while it ran (inside a modal window it opened) ends the test once it is
// done, and so does one reported before it: such a test presses nothing.
void make(const PressedAt& where, const std::function<testing::AssertionResult()>& press)
{
    endTestAfterFatalFailure();
    const testing::AssertionResult made = press();
    if (!made)
        endTest(made.message(), where);
    endTestAfterFatalFailure();
}

// A press refused; the reason is streamed into it.
testing::AssertionResult refused() { return testing::AssertionFailure(); }

std::string unitName(const Unit& unit) { return gbkToUtf8(unit.name()); }

Qt::MouseButton qtButton(int button)
{
    return button == RightButton ? Qt::RightButton : button == MiddleButton ? Qt::MiddleButton : Qt::LeftButton;
}

} // namespace

std::string whyUnreachable(const QWidget* widget, const QPoint& at)
{
    const QWidget* window = widget->window();
    if (!window->isVisible())
        return "its window " + nameOf(window) + " is not shown";
    if (!widget->isVisible()) {
        const QWidget* hidden = widget;
        while (hidden && !hidden->isHidden())
            hidden = hidden->parentWidget();
        if (!hidden || hidden == widget)
            return "it is hidden";
        if (hidden->objectName().isEmpty() && qobject_cast<const QTabWidget*>(hidden->parentWidget()))
            return "it lies on a page of " + nameOf(hidden->parentWidget()) + " that is not shown";
        return "it lies on " + nameOf(hidden) + ", which is hidden";
    }
    if (!widget->isEnabled()) {
        // Disabling a container disables what lies on it: name the outermost.
        const QWidget* off = widget;
        while (!off->isWindow() && !off->parentWidget()->isEnabled())
            off = off->parentWidget();
        if (off == widget)
            return "it is disabled";
        return "it lies on " + nameOf(off) + ", which is disabled";
    }
    if (const QWidget* modal = QApplication::activeModalWidget(); modal && !belongsTo(window, modal))
        return "the modal window " + nameOf(modal) + " stands in front of its window";
    if (!widget->rect().contains(at))
        return "the point " + pointText(at) + " is outside it";
    // Each container shows only what lies inside it, the window last.
    for (const QWidget* container = widget; !container->isWindow();) {
        container = container->parentWidget();
        if (!container->rect().contains(widget->mapTo(container, at)))
            return "at " + pointText(at) + " it lies outside the visible part of "
                   + (namedOne(container) == window ? "its window" : nameOf(container));
    }
    const QWidget* hit = widgetUnder(const_cast<QWidget*>(window), widget->mapTo(window, at));
    if (hit != widget && !widget->isAncestorOf(hit))
        return "at " + pointText(at) + " it is covered by " + nameOf(hit);
    return "";
}

void click(Unit& button, PressedAt where)
{
    make(where, [&] {
        auto* b = qobject_cast<QAbstractButton*>(QtObjects::widget(button));
        if (!b)
            return refused() << unitName(button) << " is not a button";
        QPoint at = b->rect().center();
        // A person ticks a box on the box itself, not on the blank beside its
        // caption, which takes no click.
        const bool tick = qobject_cast<QCheckBox*>(b), option = qobject_cast<QRadioButton*>(b);
        if (tick || option) {
            QStyleOptionButton style;
            style.initFrom(b);
            at = b->style()
                     ->subElementRect(tick ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator, &style, b)
                     .center();
        }
        return mouseAt(b, at, unitName(button));
    });
}

namespace {

// The mouse in the middle of a unit that takes it itself.
testing::AssertionResult mouseOnUnit(Unit& unit, Gesture gesture, int button)
{
    QWidget* widget = QtObjects::widget(unit);
    if (!widget)
        return refused() << unitName(unit) << " has no widget";
    return mouseAt(widget, widget->rect().center(), unitName(unit), gesture, qtButton(button));
}

} // namespace

void pressMouse(Unit& unit, int button, PressedAt where)
{
    make(where, [&] { return mouseOnUnit(unit, Gesture::Press, button); });
}

void clickMouse(Unit& unit, int button, PressedAt where)
{
    make(where, [&] { return mouseOnUnit(unit, Gesture::Click, button); });
}

void pressMouse(QWidget* widget, const QPoint& at, int button, PressedAt where)
{
    make(where, [&] { return mouseAt(widget, at, nameOf(widget), Gesture::Press, qtButton(button)); });
}

void clickMouse(QWidget* widget, const QPoint& at, int button, PressedAt where)
{
    make(where, [&] { return mouseAt(widget, at, nameOf(widget), Gesture::Click, qtButton(button)); });
}

void clickTab(TabControl& tabs, int page, PressedAt where)
{
    make(where, [&] {
        auto* control = qobject_cast<QTabWidget*>(QtObjects::widget(tabs));
        if (!control)
            return refused() << unitName(tabs) << " is not a tab control";
        QTabBar* strip = control->tabBar();
        if (page < 0 || page >= strip->count())
            return refused() << unitName(tabs) << " has no page " << page;
        return mouseAt(strip, strip->tabRect(page).center(),
                       "the header of page " + std::to_string(page) + " of " + unitName(tabs));
    });
}

void typeEnter(EditBox& box, PressedAt where)
{
    make(where, [&] {
        QWidget* edit = QtObjects::widget(box);
        testing::AssertionResult reached = reachable(edit, edit ? edit->rect().center() : QPoint(), unitName(box));
        if (reached)
            QTest::keyClick(edit, Qt::Key_Return);
        return reached;
    });
}

namespace {

// The mouse in the middle of the visible part of `index` of a list or tree
// unit, scrolled into view; refused when it is not shown. `item` names it
// within `unit`: "row 2", "item 5".
testing::AssertionResult mouseOnItem(QAbstractItemView* view, const QModelIndex& index, const std::string& item,
                                     const std::string& unit, Gesture gesture, int button)
{
    view->scrollTo(index);
    const QRect rect = view->visualRect(index) & view->viewport()->rect();
    if (rect.isEmpty())
        return refused() << item << " of " << unit << " is not shown";
    return mouseAt(view->viewport(), rect.center(), unit, gesture, qtButton(button));
}

// The mouse on row `row` of a list unit.
testing::AssertionResult mouseOnRow(Unit& list, int row, Gesture gesture, int button = LeftButton)
{
    auto* view = qobject_cast<QAbstractItemView*>(QtObjects::widget(list));
    if (!view)
        return refused() << unitName(list) << " is not a list";
    const QModelIndex index = view->model()->index(row, 0);
    if (!index.isValid())
        return refused() << unitName(list) << " has no row " << row;
    return mouseOnItem(view, index, "row " + std::to_string(row), unitName(list), gesture, button);
}

} // namespace

void clickListRow(ListView& list, int row, int button, PressedAt where)
{
    make(where, [&] { return mouseOnRow(list, row, Gesture::Click, button); });
}

void clickListRow(ListBox& list, int row, PressedAt where)
{
    make(where, [&] { return mouseOnRow(list, row, Gesture::Click); });
}

void doubleClickListRow(ListBox& list, int row, PressedAt where)
{
    make(where, [&] { return mouseOnRow(list, row, Gesture::DoubleClick); });
}

void clickListRowTick(ListView& list, int row, PressedAt where)
{
    make(where, [&] {
        auto* view = qobject_cast<QAbstractItemView*>(QtObjects::widget(list));
        if (!view)
            return refused() << unitName(list) << " is not a list";
        const QModelIndex index = view->model()->index(row, 0);
        if (!(index.flags() & Qt::ItemIsUserCheckable))
            return refused() << "row " << row << " of " << unitName(list) << " has no tick box";
        view->scrollTo(index);
        QStyleOptionViewItem option;
        option.initFrom(view->viewport());
        option.rect = view->visualRect(index);
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        const QRect box = view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
        if (box.isEmpty())
            return refused() << "row " << row << " of " << unitName(list) << " is not shown";
        return mouseAt(view->viewport(), box.center(), unitName(list));
    });
}

namespace {

bool isOverflowMenu(const QMenu* menu)
{
    const QList<QObject*> openers = menu->menuAction()->associatedObjects();
    return std::any_of(openers.begin(), openers.end(), [](const QObject* opener) {
        return opener->objectName() == QStringLiteral("qt_menubar_ext_button");
    });
}

// The menu that lists `action` as an entry, or null. The menu a full menu
// bar keeps for the titles it has no room for does not count: a title shown
// only there is not in its place in the bar.
QMenu* menuHolding(const QAction* action)
{
    for (QObject* holder : action->associatedObjects()) {
        auto* menu = qobject_cast<QMenu*>(holder);
        if (menu && !isOverflowMenu(menu) && menu->actions().contains(action))
            return menu;
    }
    return nullptr;
}

QMenuBar* barHolding(const QAction* action)
{
    for (QObject* holder : action->associatedObjects())
        if (auto* bar = qobject_cast<QMenuBar*>(holder); bar && bar->actions().contains(action))
            return bar;
    return nullptr;
}

// An entry of a menu or a menu bar that a person could press: shown,
// enabled and in its place.
std::string whyNoEntry(const QAction* entry, const QRect& place)
{
    if (!entry->isVisible())
        return "is hidden";
    if (!entry->isEnabled())
        return "is disabled";
    if (place.isEmpty())
        return "is not shown";
    return "";
}

// Closes the menus a choice left open, innermost first.
struct OpenMenus {
    std::vector<QPointer<QMenu>> menus;
    ~OpenMenus()
    {
        for (auto m = menus.rbegin(); m != menus.rend(); ++m)
            if (*m && (*m)->isVisible())
                (*m)->close();
    }
};

testing::AssertionResult chooseFromMenus(MenuItem& item)
{
    const std::string name = "the menu item " + gbkToUtf8(item.name());
    QAction* action = QtObjects::action(item);
    OpenMenus open;
    for (QAction* step = action; QMenu* menu = menuHolding(step); step = menu->menuAction())
        open.menus.insert(open.menus.begin(), menu);
    if (open.menus.empty())
        return refused() << name << " is in no menu";
    QMenuBar* bar = barHolding(open.menus.front()->menuAction());
    if (!bar)
        return refused() << name << " is in no menu bar";

    QAction* title = open.menus.front()->menuAction();
    const std::string titleName = "the menu " + title->text().toStdString();
    if (const std::string why = whyNoEntry(title, bar->actionGeometry(title)); !why.empty())
        return refused() << titleName << " of " << name << " " << why;
    if (testing::AssertionResult opened = mouseAt(bar, bar->actionGeometry(title).center(), titleName); !opened)
        return opened;
    for (size_t level = 0; level < open.menus.size(); ++level) {
        QMenu* menu = open.menus[level];
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
            return refused() << menu->title().toStdString() << " does not open";
        QAction* entry = level + 1 < open.menus.size() ? open.menus[level + 1]->menuAction() : action;
        const std::string entryName = entry == action ? name : "the menu " + entry->text().toStdString();
        if (const std::string whyNot = whyNoEntry(entry, menu->actionGeometry(entry)); !whyNot.empty())
            return refused() << entryName << " " << whyNot;
        if (testing::AssertionResult chosen = mouseAt(menu, menu->actionGeometry(entry).center(), entryName); !chosen)
            return chosen;
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult chooseFromList(ComboBox& box, int index)
{
    const std::string name = unitName(box);
    auto* combo = qobject_cast<QComboBox*>(QtObjects::widget(box));
    if (!combo)
        return refused() << name << " is not a drop-down list";
    if (index < 0 || index >= combo->count())
        return refused() << name << " has no item " << index;
    if (testing::AssertionResult opened = mouseAt(combo, combo->rect().center(), name); !opened)
        return opened;
    QAbstractItemView* list = combo->view();
    if (!QTest::qWaitFor([list] { return list->isVisible(); }))
        return refused() << "the list of " << name << " does not open";
    const QModelIndex item = list->model()->index(index, combo->modelColumn(), combo->rootModelIndex());
    list->scrollTo(item);
    const QPoint at = (list->visualRect(item) & list->viewport()->rect()).center();
    if (testing::AssertionResult pickable = reachable(list->viewport(), at, "item " + std::to_string(index) + " of " + name);
        !pickable) {
        combo->hidePopup();
        return pickable;
    }
    // The list lets a release pass for a double-click's time after it opens,
    // so that the click that opened it picks nothing; a person's next click
    // comes after that.
    QPoint local;
    QWidget* target = underMouse(list->viewport(), at, local);
    const bool picked = QTest::qWaitFor([&] {
        QTest::mouseClick(target, Qt::LeftButton, {}, local);
        return !list->isVisible();
    });
    if (!picked) {
        combo->hidePopup();
        return refused() << "the list of " << name << " takes no pick";
    }
    return testing::AssertionSuccess();
}

} // namespace

void chooseMenuItem(MenuItem& item, PressedAt where)
{
    make(where, [&] { return chooseFromMenus(item); });
}

void chooseComboItem(ComboBox& box, int index, PressedAt where)
{
    make(where, [&] { return chooseFromList(box, index); });
}

namespace {

// The index of the n-th item in top-down order, or an invalid one.
QModelIndex nthIndex(const QAbstractItemModel& model, const QModelIndex& parent, int& n)
{
    for (int r = 0; r < model.rowCount(parent); ++r) {
        QModelIndex index = model.index(r, 0, parent);
        if (n-- == 0)
            return index;
        QModelIndex inner = nthIndex(model, index, n);
        if (inner.isValid())
            return inner;
    }
    return {};
}

} // namespace

void clickTreeItem(TreeView& tree, int item, int button, PressedAt where)
{
    make(where, [&] {
        auto* view = qobject_cast<QAbstractItemView*>(QtObjects::widget(tree));
        if (!view)
            return refused() << unitName(tree) << " is not a tree";
        int n = item;
        QModelIndex index = nthIndex(*view->model(), {}, n);
        if (!index.isValid())
            return refused() << unitName(tree) << " has no item " << item;
        return mouseOnItem(view, index, "item " + std::to_string(item), unitName(tree), Gesture::Click, button);
    });
}

void clickGridCell(GridTable& grid, int row, int column, bool withShift, PressedAt where)
{
    make(where, [&] {
        auto* view = dynamic_cast<GridView*>(QtObjects::widget(grid));
        if (!view)
            return refused() << unitName(grid) << " is not a grid";
        const DataSource* source = grid.dataSource();
        if (!source)
            return refused() << unitName(grid) << " shows no document";
        const int shownRow = std::min(row, tableRowCount(*source)), shownColumn = std::min(column, tableColumnCount(*source));
        if (shownRow < 1 || shownColumn < 1)
            return refused() << unitName(grid) << " has no cell " << row << "," << column;
        view->showCell(shownRow, shownColumn);
        QRect place = view->placeOfCell(shownRow, shownColumn);
        place.translate((column - shownColumn) * place.width(), (row - shownRow) * place.height());
        if (!view->viewport()->rect().contains(place.center()))
            return refused() << "cell " << row << "," << column << " of " << unitName(grid) << " is not shown";
        return mouseAt(view->viewport(), place.center(), unitName(grid), Gesture::Click, Qt::LeftButton,
                       withShift ? Qt::ShiftModifier : Qt::NoModifier);
    });
}

namespace {

testing::AssertionResult pressOnBar(ToolBar& bar, int number)
{
    const std::string name = "button " + std::to_string(number) + " of " + unitName(bar);
    auto* qbar = qobject_cast<QToolBar*>(QtObjects::widget(bar));
    if (!qbar)
        return refused() << unitName(bar) << " is not a tool bar";
    const QList<QAction*> items = qbar->actions();
    if (number < 0 || number >= items.size())
        return refused() << unitName(bar) << " has no item " << number;
    QAction* item = items[number];
    if (item->isSeparator())
        return refused() << "item " << number << " of " << unitName(bar) << " is a separator";
    if (!item->isVisible())
        return refused() << name << " is hidden";
    // A bar no person sees offers neither its buttons nor its overflow menu.
    if (!qbar->isVisible())
        if (testing::AssertionResult seen = reachable(qbar, qbar->rect().center(), name); !seen)
            return seen;
    QWidget* button = qbar->widgetForAction(item);
    if (!button)
        return refused() << name << " has no button";
    if (!button->isHidden())
        return mouseAt(button, button->rect().center(), name);
    // No room in the bar: the bar's overflow menu lists it.
    auto* more = qbar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    if (!more || !more->isVisible())
        return refused() << name << " is not shown";
    std::string whyNot = "is not in the overflow menu";
    QTimer::singleShot(0, qbar, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        const QRect entry = menu->actionGeometry(item);
        if (menu->actions().contains(item))
            whyNot = whyNoEntry(item, entry);
        if (whyNot.empty())
            whyNot = whyUnreachable(menu, entry.center());
        if (whyNot.empty())
            QTest::mouseClick(menu, Qt::LeftButton, {}, entry.center());
        else
            menu->close();
    });
    if (testing::AssertionResult opened = mouseAt(more, more->rect().center(), "the overflow button of " + unitName(bar));
        !opened)
        return opened;
    if (!whyNot.empty())
        return refused() << name << " " << whyNot;
    return testing::AssertionSuccess();
}

} // namespace

void pressToolButton(ToolBar& bar, int number, PressedAt where)
{
    make(where, [&] { return pressOnBar(bar, number); });
}

void pressShortcut(Window& window, int code, PressedAt where)
{
    make(where, [&] {
        QKeyCombination key;
        if (code >= 1 && code <= 26)
            key = QKeyCombination(Qt::ControlModifier, static_cast<Qt::Key>(Qt::Key_A + code - 1));
        else if (code >= 27 && code <= 38)
            key = QKeyCombination(static_cast<Qt::Key>(Qt::Key_F1 + code - 27));
        else
            return refused() << "no key for shortcut code " << code;
        QWidget* host = QtObjects::container(window)->window();
        host->activateWindow();
        if (!QTest::qWaitForWindowActive(host))
            return refused() << "the window does not become active";
        QWidget* target = QApplication::focusWidget() && QApplication::focusWidget()->window() == host
                              ? QApplication::focusWidget() : host;
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
        return testing::AssertionSuccess();
    });
}
