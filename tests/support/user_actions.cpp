#include "tests/support/user_actions.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

void click(Unit& button)
{
    auto* b = qobject_cast<QAbstractButton*>(button.widget());
    ASSERT_NE(b, nullptr) << "not a button";
    b->click();
}

void typeEnter(EditBox& box) { QTest::keyClick(box.widget(), Qt::Key_Return); }

void clickListRow(ListView& list, int row, int button)
{
    auto* view = qobject_cast<QAbstractItemView*>(list.widget());
    ASSERT_NE(view, nullptr) << "not a list";
    QRect rect = view->visualRect(view->model()->index(row, 0));
    ASSERT_FALSE(rect.isEmpty()) << "row " << row << " is not shown";
    QTest::mouseClick(view->viewport(), button == RightButton ? Qt::RightButton : Qt::LeftButton, {},
                      rect.center());
}

void chooseMenuItem(MenuItem& item) { item.action()->trigger(); }
