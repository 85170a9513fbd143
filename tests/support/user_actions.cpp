#include "tests/support/user_actions.h"

#include "common/grid/grid_view.h"
#include "common/internal/qt_objects.h"
#include "common/text/gbk.h"

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

// The mouse at `at` of `widget` as a person uses it; fails the test, naming
// `unit`, where no person could.
void mouseAt(QWidget* widget, const QPoint& at, const std::string& unit, Gesture gesture = Gesture::Click,
             Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {})
{
    ASSERT_TRUE(reachable(widget, at, unit));
    send(widget, at, gesture, button, modifiers);
}

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

void click(Unit& button)
{
    auto* b = qobject_cast<QAbstractButton*>(QtObjects::widget(button));
    ASSERT_NE(b, nullptr) << unitName(button) << " is not a button";
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
    mouseAt(b, at, unitName(button));
}

void pressMouse(Unit& unit, int button)
{
    ASSERT_NE(QtObjects::widget(unit), nullptr) << unitName(unit) << " has no widget";
    mouseAt(QtObjects::widget(unit), QtObjects::widget(unit)->rect().center(), unitName(unit), Gesture::Press, qtButton(button));
}

void clickMouse(Unit& unit, int button)
{
    ASSERT_NE(QtObjects::widget(unit), nullptr) << unitName(unit) << " has no widget";
    mouseAt(QtObjects::widget(unit), QtObjects::widget(unit)->rect().center(), unitName(unit), Gesture::Click, qtButton(button));
}

void pressMouse(QWidget* widget, const QPoint& at, int button)
{
    mouseAt(widget, at, nameOf(widget), Gesture::Press, qtButton(button));
}

void clickMouse(QWidget* widget, const QPoint& at, int button)
{
    mouseAt(widget, at, nameOf(widget), Gesture::Click, qtButton(button));
}

void clickTab(TabControl& tabs, int page)
{
    auto* control = qobject_cast<QTabWidget*>(QtObjects::widget(tabs));
    ASSERT_NE(control, nullptr) << unitName(tabs) << " is not a tab control";
    QTabBar* strip = control->tabBar();
    ASSERT_TRUE(page >= 0 && page < strip->count()) << unitName(tabs) << " has no page " << page;
    mouseAt(strip, strip->tabRect(page).center(), "the header of page " + std::to_string(page) + " of " + unitName(tabs));
}

void typeEnter(EditBox& box)
{
    QWidget* edit = QtObjects::widget(box);
    ASSERT_TRUE(reachable(edit, edit->rect().center(), unitName(box)));
    QTest::keyClick(edit, Qt::Key_Return);
}

namespace {

// Where row `row` of a list unit shows, scrolled into view: the middle of
// its visible part; fails the test when it is not shown.
void rowCentre(Unit& list, int row, QAbstractItemView*& view, QPoint& centre)
{
    view = qobject_cast<QAbstractItemView*>(QtObjects::widget(list));
    ASSERT_NE(view, nullptr) << unitName(list) << " is not a list";
    const QModelIndex index = view->model()->index(row, 0);
    ASSERT_TRUE(index.isValid()) << unitName(list) << " has no row " << row;
    view->scrollTo(index);
    const QRect rect = view->visualRect(index) & view->viewport()->rect();
    ASSERT_FALSE(rect.isEmpty()) << "row " << row << " of " << unitName(list) << " is not shown";
    centre = rect.center();
}

} // namespace

void clickListRow(ListView& list, int row, int button)
{
    QAbstractItemView* view = nullptr;
    QPoint centre;
    ASSERT_NO_FATAL_FAILURE(rowCentre(list, row, view, centre));
    mouseAt(view->viewport(), centre, unitName(list), Gesture::Click, qtButton(button));
}

void clickListRow(ListBox& list, int row)
{
    QAbstractItemView* view = nullptr;
    QPoint centre;
    ASSERT_NO_FATAL_FAILURE(rowCentre(list, row, view, centre));
    mouseAt(view->viewport(), centre, unitName(list));
}

void doubleClickListRow(ListBox& list, int row)
{
    QAbstractItemView* view = nullptr;
    QPoint centre;
    ASSERT_NO_FATAL_FAILURE(rowCentre(list, row, view, centre));
    mouseAt(view->viewport(), centre, unitName(list), Gesture::DoubleClick);
}

void clickListRowTick(ListView& list, int row)
{
    auto* view = qobject_cast<QAbstractItemView*>(QtObjects::widget(list));
    ASSERT_NE(view, nullptr) << unitName(list) << " is not a list";
    const QModelIndex index = view->model()->index(row, 0);
    ASSERT_TRUE(index.flags() & Qt::ItemIsUserCheckable) << "row " << row << " of " << unitName(list) << " has no tick box";
    view->scrollTo(index);
    QStyleOptionViewItem option;
    option.initFrom(view->viewport());
    option.rect = view->visualRect(index);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
    ASSERT_FALSE(box.isEmpty()) << "row " << row << " of " << unitName(list) << " is not shown";
    mouseAt(view->viewport(), box.center(), unitName(list));
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

} // namespace

void chooseMenuItem(MenuItem& item)
{
    const std::string name = "the menu item " + gbkToUtf8(item.name());
    QAction* action = QtObjects::action(item);
    OpenMenus open;
    for (QAction* step = action; QMenu* menu = menuHolding(step); step = menu->menuAction())
        open.menus.insert(open.menus.begin(), menu);
    ASSERT_FALSE(open.menus.empty()) << name << " is in no menu";
    QMenuBar* bar = barHolding(open.menus.front()->menuAction());
    ASSERT_NE(bar, nullptr) << name << " is in no menu bar";

    QAction* title = open.menus.front()->menuAction();
    const std::string titleName = "the menu " + title->text().toStdString();
    const std::string why = whyNoEntry(title, bar->actionGeometry(title));
    ASSERT_TRUE(why.empty()) << titleName << " of " << name << " " << why;
    ASSERT_TRUE(reachable(bar, bar->actionGeometry(title).center(), titleName));
    send(bar, bar->actionGeometry(title).center());
    for (size_t level = 0; level < open.menus.size(); ++level) {
        QMenu* menu = open.menus[level];
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); })) << menu->title().toStdString() << " does not open";
        QAction* entry = level + 1 < open.menus.size() ? open.menus[level + 1]->menuAction() : action;
        const std::string entryName = entry == action ? name : "the menu " + entry->text().toStdString();
        const std::string whyNot = whyNoEntry(entry, menu->actionGeometry(entry));
        ASSERT_TRUE(whyNot.empty()) << entryName << " " << whyNot;
        ASSERT_TRUE(reachable(menu, menu->actionGeometry(entry).center(), entryName));
        send(menu, menu->actionGeometry(entry).center());
    }
}

void chooseComboItem(ComboBox& box, int index)
{
    const std::string name = unitName(box);
    auto* combo = qobject_cast<QComboBox*>(QtObjects::widget(box));
    ASSERT_NE(combo, nullptr) << name << " is not a drop-down list";
    ASSERT_TRUE(index >= 0 && index < combo->count()) << name << " has no item " << index;
    ASSERT_TRUE(reachable(combo, combo->rect().center(), name));
    send(combo, combo->rect().center());
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); })) << "the list of " << name << " does not open";
    const QModelIndex item = list->model()->index(index, combo->modelColumn(), combo->rootModelIndex());
    list->scrollTo(item);
    const QPoint at = (list->visualRect(item) & list->viewport()->rect()).center();
    const testing::AssertionResult pickable = reachable(list->viewport(), at, "item " + std::to_string(index) + " of " + name);
    if (!pickable)
        combo->hidePopup();
    ASSERT_TRUE(pickable);
    // The list lets a release pass for a double-click's time after it opens,
    // so that the click that opened it picks nothing; a person's next click
    // comes after that.
    QPoint local;
    QWidget* target = underMouse(list->viewport(), at, local);
    const bool picked = QTest::qWaitFor([&] {
        QTest::mouseClick(target, Qt::LeftButton, {}, local);
        return !list->isVisible();
    });
    if (!picked)
        combo->hidePopup();
    ASSERT_TRUE(picked) << "the list of " << name << " takes no pick";
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

void clickTreeItem(TreeView& tree, int item, int button)
{
    auto* view = qobject_cast<QAbstractItemView*>(QtObjects::widget(tree));
    ASSERT_NE(view, nullptr) << unitName(tree) << " is not a tree";
    int n = item;
    QModelIndex index = nthIndex(*view->model(), {}, n);
    ASSERT_TRUE(index.isValid()) << unitName(tree) << " has no item " << item;
    view->scrollTo(index);
    const QRect rect = view->visualRect(index) & view->viewport()->rect();
    ASSERT_FALSE(rect.isEmpty()) << "item " << item << " of " << unitName(tree) << " is not shown";
    mouseAt(view->viewport(), rect.center(), unitName(tree), Gesture::Click, qtButton(button));
}

void clickGridCell(GridTable& grid, int row, int column, bool withShift)
{
    auto* view = dynamic_cast<GridView*>(QtObjects::widget(grid));
    ASSERT_NE(view, nullptr) << unitName(grid) << " is not a grid";
    const DataSource* source = grid.dataSource();
    ASSERT_NE(source, nullptr) << unitName(grid) << " shows no document";
    const int shownRow = std::min(row, tableRowCount(*source)), shownColumn = std::min(column, tableColumnCount(*source));
    ASSERT_TRUE(shownRow >= 1 && shownColumn >= 1) << unitName(grid) << " has no cell " << row << "," << column;
    view->showCell(shownRow, shownColumn);
    QRect place = view->placeOfCell(shownRow, shownColumn);
    place.translate((column - shownColumn) * place.width(), (row - shownRow) * place.height());
    ASSERT_TRUE(view->viewport()->rect().contains(place.center()))
        << "cell " << row << "," << column << " of " << unitName(grid) << " is not shown";
    mouseAt(view->viewport(), place.center(), unitName(grid), Gesture::Click, Qt::LeftButton,
            withShift ? Qt::ShiftModifier : Qt::NoModifier);
}

void pressToolButton(ToolBar& bar, int number)
{
    const std::string name = "button " + std::to_string(number) + " of " + unitName(bar);
    auto* qbar = qobject_cast<QToolBar*>(QtObjects::widget(bar));
    ASSERT_NE(qbar, nullptr) << unitName(bar) << " is not a tool bar";
    const QList<QAction*> items = qbar->actions();
    ASSERT_TRUE(number >= 0 && number < items.size()) << unitName(bar) << " has no item " << number;
    QAction* item = items[number];
    ASSERT_FALSE(item->isSeparator()) << "item " << number << " of " << unitName(bar) << " is a separator";
    ASSERT_TRUE(item->isVisible()) << name << " is hidden";
    // A bar no person sees offers neither its buttons nor its overflow menu.
    if (!qbar->isVisible()) {
        ASSERT_TRUE(reachable(qbar, qbar->rect().center(), name));
    }
    QWidget* button = qbar->widgetForAction(item);
    ASSERT_NE(button, nullptr) << name << " has no button";
    if (!button->isHidden()) {
        mouseAt(button, button->rect().center(), name);
        return;
    }
    // No room in the bar: the bar's overflow menu lists it.
    auto* more = qbar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    ASSERT_TRUE(more && more->isVisible()) << name << " is not shown";
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
    ASSERT_TRUE(reachable(more, more->rect().center(), "the overflow button of " + unitName(bar)));
    send(more, more->rect().center());
    ASSERT_TRUE(whyNot.empty()) << name << " " << whyNot;
}

void pressShortcut(Window& window, int code)
{
    QKeyCombination key;
    if (code >= 1 && code <= 26)
        key = QKeyCombination(Qt::ControlModifier, static_cast<Qt::Key>(Qt::Key_A + code - 1));
    else if (code >= 27 && code <= 38)
        key = QKeyCombination(static_cast<Qt::Key>(Qt::Key_F1 + code - 27));
    else
        FAIL() << "no key for shortcut code " << code;
    QWidget* host = QtObjects::container(window)->window();
    host->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(host)) << "the window does not become active";
    QWidget* target = QApplication::focusWidget() && QApplication::focusWidget()->window() == host
                          ? QApplication::focusWidget() : host;
    QTest::keyClick(target, key.key(), key.keyboardModifiers());
}
