// Units that hold a choice: combo boxes and list boxes.
#include "common/windows/controls.h"

#include "common/internal/dispatch.h"
#include "common/windows/item_views.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"
#include "common/windows/unit_helpers.h"
#include "common/windows/unit_views.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

namespace {
QComboBox* combo(const Unit* u) { return static_cast<QComboBox*>(QtObjects::widget(*u)); }
}

ComboBox::ComboBox(Container& parent, const Text& name, const Rect& r,
                   const std::vector<Text>& items, int current)
    : Unit(name, new QComboBox(QtObjects::container(parent)), r)
{
    for (const Text& item : items)
        addItem(item, 0);
    setCurrentIndex(current);
    QObject::connect(combo(this), &QComboBox::activated, [this](int) { fire(widget(), selectionChanged); });
}

void ComboBox::addItem(const Text& text, int value)
{
    QSignalBlocker block(widget());
    int before = combo(this)->currentIndex();
    combo(this)->addItem(toQString(text), value);
    combo(this)->setCurrentIndex(before);   // adding never selects
}

void ComboBox::clearItems()
{
    QSignalBlocker block(widget());
    combo(this)->clear();
}

int ComboBox::itemCount() const { return combo(this)->count(); }

Text ComboBox::itemText(int index) const
{
    return inRange(index, itemCount()) ? fromQString(combo(this)->itemText(index)) : Text();
}

int ComboBox::itemValue(int index) const
{
    return inRange(index, itemCount()) ? combo(this)->itemData(index).toInt() : 0;
}

void ComboBox::setItem(int index, const Text& text, int value)
{
    if (!inRange(index, itemCount()))
        return;
    QSignalBlocker block(widget());
    combo(this)->setItemText(index, toQString(text));
    combo(this)->setItemData(index, value);
}

int ComboBox::currentIndex() const { return combo(this)->currentIndex(); }

void ComboBox::setCurrentIndex(int index)
{
    QSignalBlocker block(widget());
    combo(this)->setCurrentIndex(inRange(index, itemCount()) ? index : -1);
}

Text ComboBox::currentText() const { return itemText(currentIndex()); }
int ComboBox::currentValue() const { return itemValue(currentIndex()); }
void ComboBox::setPlaceholder(const Text& text) { combo(this)->setPlaceholderText(toQString(text)); }

// ---- ListBox ----------------------------------------------------------------

namespace {
QListWidget* list(const Unit* u) { return static_cast<QListWidget*>(QtObjects::widget(*u)); }
}

ListBox::ListBox(Container& parent, const Text& name, const Rect& r)
    : Unit(name, new UnitItemView<QListWidget>(QtObjects::container(parent)), r)
{
    static_cast<UnitItemView<QListWidget>*>(widget())->currentMoved = &selectionChanged;
    new RightButtonGuard(list(this), nullptr);
    QObject::connect(list(this), &QListWidget::itemDoubleClicked, [this] { fire(widget(), doubleClicked); });
}

void ListBox::addItem(const Text& text, int value)
{
    QSignalBlocker block(widget());
    auto* item = new QListWidgetItem(toQString(text));
    item->setData(Qt::UserRole, value);
    list(this)->addItem(item);
}

void ListBox::removeItem(int index)
{
    if (!inRange(index, itemCount()))
        return;
    QSignalBlocker block(widget());
    bool wasCurrent = list(this)->currentRow() == index;
    delete list(this)->takeItem(index);
    if (wasCurrent)
        list(this)->setCurrentRow(-1);   // Qt would move on to the next item
}

void ListBox::clearItems()
{
    QSignalBlocker block(widget());
    list(this)->clear();
}

int ListBox::itemCount() const { return list(this)->count(); }

Text ListBox::itemText(int index) const
{
    return inRange(index, itemCount()) ? fromQString(list(this)->item(index)->text()) : Text();
}

int ListBox::itemValue(int index) const
{
    return inRange(index, itemCount()) ? list(this)->item(index)->data(Qt::UserRole).toInt() : 0;
}

int ListBox::currentIndex() const { return list(this)->currentRow(); }

void ListBox::setCurrentIndex(int index)
{
    QSignalBlocker block(widget());
    list(this)->setCurrentRow(inRange(index, itemCount()) ? index : -1);
}
