#include "tests/support/user_actions.h"

#include "common/internal/grid_view.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTest>

#include <gtest/gtest.h>

void click(Unit& button)
{
    auto* b = qobject_cast<QAbstractButton*>(button.widget());
    ASSERT_NE(b, nullptr) << "not a button";
    b->click();
}

void typeEnter(EditBox& box) { QTest::keyClick(box.widget(), Qt::Key_Return); }

namespace {

// Where row `row` of a list unit shows, scrolled into view; fails the test
// when it is not shown.
void rowCentre(Unit& list, int row, QAbstractItemView*& view, QPoint& centre)
{
    view = qobject_cast<QAbstractItemView*>(list.widget());
    ASSERT_NE(view, nullptr) << "not a list";
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    const QRect rect = view->visualRect(index);
    ASSERT_FALSE(rect.isEmpty()) << "row " << row << " is not shown";
    centre = rect.center();
}

} // namespace

void clickListRow(ListView& list, int row, int button)
{
    QAbstractItemView* view = nullptr;
    QPoint centre;
    ASSERT_NO_FATAL_FAILURE(rowCentre(list, row, view, centre));
    QTest::mouseClick(view->viewport(), button == RightButton ? Qt::RightButton : Qt::LeftButton, {}, centre);
}

void clickListRow(ListBox& list, int row)
{
    QAbstractItemView* view = nullptr;
    QPoint centre;
    ASSERT_NO_FATAL_FAILURE(rowCentre(list, row, view, centre));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
}

void doubleClickListRow(ListBox& list, int row)
{
    QAbstractItemView* view = nullptr;
    QPoint centre;
    ASSERT_NO_FATAL_FAILURE(rowCentre(list, row, view, centre));
    // The first click of the pair, then the second as the double click.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
}

void clickListRowTick(ListView& list, int row)
{
    auto* view = qobject_cast<QAbstractItemView*>(list.widget());
    ASSERT_NE(view, nullptr) << "not a list";
    const QModelIndex index = view->model()->index(row, 0);
    ASSERT_TRUE(index.flags() & Qt::ItemIsUserCheckable) << "row " << row << " has no tick box";
    view->scrollTo(index);
    QStyleOptionViewItem option;
    option.initFrom(view->viewport());
    option.rect = view->visualRect(index);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
    ASSERT_FALSE(box.isEmpty()) << "row " << row << " is not shown";
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, box.center());
}

void chooseMenuItem(MenuItem& item) { item.action()->trigger(); }

void chooseComboItem(ComboBox& box, int index)
{
    auto* combo = qobject_cast<QComboBox*>(box.widget());
    ASSERT_NE(combo, nullptr) << "not a drop-down list";
    ASSERT_TRUE(index >= 0 && index < combo->count()) << "no item " << index;
    combo->setCurrentIndex(index);
    emit combo->activated(index);   // what a pick from the list emits
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
    auto* view = qobject_cast<QAbstractItemView*>(tree.widget());
    ASSERT_NE(view, nullptr) << "not a tree";
    int n = item;
    QModelIndex index = nthIndex(*view->model(), {}, n);
    ASSERT_TRUE(index.isValid()) << "no item " << item;
    view->scrollTo(index);
    QRect rect = view->visualRect(index);
    ASSERT_FALSE(rect.isEmpty()) << "item " << item << " is not shown";
    QTest::mouseClick(view->viewport(), button == RightButton ? Qt::RightButton : Qt::LeftButton, {}, rect.center());
}

void clickGridCell(GridTable& grid, int row, int column, bool withShift)
{
    auto* view = dynamic_cast<GridView*>(grid.widget());
    ASSERT_NE(view, nullptr) << "not a grid";
    const DataSource* source = grid.dataSource();
    ASSERT_NE(source, nullptr) << "the grid shows no document";
    const int shownRow = std::min(row, tableRowCount(*source)), shownColumn = std::min(column, tableColumnCount(*source));
    ASSERT_TRUE(shownRow >= 1 && shownColumn >= 1) << "no cell " << row << "," << column;
    view->showCell(shownRow, shownColumn);
    QRect place = view->placeOfCell(shownRow, shownColumn);
    place.translate((column - shownColumn) * place.width(), (row - shownRow) * place.height());
    ASSERT_TRUE(view->viewport()->rect().contains(place.center()))
        << "cell " << row << "," << column << " is not shown";
    QTest::mouseClick(view->viewport(), Qt::LeftButton, withShift ? Qt::ShiftModifier : Qt::NoModifier, place.center());
}

void pressToolButton(ToolBar& bar, int number)
{
    auto* qbar = qobject_cast<QToolBar*>(bar.widget());
    ASSERT_NE(qbar, nullptr) << "not a tool bar";
    const QList<QAction*> items = qbar->actions();
    ASSERT_TRUE(number >= 0 && number < items.size()) << "no item " << number;
    QAction* item = items[number];
    ASSERT_FALSE(item->isSeparator()) << "item " << number << " is a separator";
    ASSERT_TRUE(item->isVisible()) << "button " << number << " is hidden";
    QWidget* button = qbar->widgetForAction(item);
    ASSERT_NE(button, nullptr) << "item " << number << " has no button";
    if (button->isVisible()) {
        const QRect inBar(button->mapTo(qbar, QPoint(0, 0)), button->size());
        ASSERT_TRUE(qbar->rect().contains(inBar)) << "button " << number << " lies outside the bar";
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        return;
    }
    // No room in the bar: the bar's overflow menu lists it.
    auto* more = qbar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    ASSERT_TRUE(more && more->isVisible()) << "button " << number << " is not shown";
    bool listed = false;
    QTimer::singleShot(0, qbar, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        const QRect entry = menu->actionGeometry(item);
        listed = !entry.isEmpty() && menu->actions().contains(item);
        if (listed)
            QTest::mouseClick(menu, Qt::LeftButton, {}, entry.center());
        else
            menu->close();
    });
    QTest::mouseClick(more, Qt::LeftButton, {}, more->rect().center());
    ASSERT_TRUE(listed) << "button " << number << " is not in the overflow menu";
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
    QWidget* host = window.containerWidget()->window();
    host->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(host)) << "the window does not become active";
    QWidget* target = QApplication::focusWidget() && QApplication::focusWidget()->window() == host
                          ? QApplication::focusWidget() : host;
    QTest::keyClick(target, key.key(), key.keyboardModifiers());
}
