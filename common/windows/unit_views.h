#pragma once
// The windows service's own: an item view whose current item changes only when
// the program or the person moves it. The unit's event runs for changes made
// while the view's signals are not blocked (the person's); programmatic changes
// are made under a QSignalBlocker and stay silent.
#include "common/internal/dispatch.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QSignalBlocker>
#include <functional>

template <class Base>
class UnitItemView : public Base {
public:
    using Base::Base;
    // The unit's event; runs only for a move to another row or item.
    std::function<void()>* currentMoved = nullptr;
    // Runs for every change of the current item, silent ones included.
    std::function<void(const QModelIndex& current, const QModelIndex& previous)> onCurrent;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override
    {
        Base::currentChanged(current, previous);
        if (onCurrent)
            onCurrent(current, previous);
        if (current.siblingAtColumn(0) == previous.siblingAtColumn(0))
            return;   // another column of the same row
        if (!this->signalsBlocked() && currentMoved && *currentMoved)
            fire(this, *currentMoved);
    }

    // Qt makes the first item current when a view without one gains focus
    // (Tab, window activation). Nobody picked it, so it is undone silently.
    void focusInEvent(QFocusEvent* event) override
    {
        const bool hadCurrent = this->currentIndex().isValid();
        QSignalBlocker block(this);
        Base::focusInEvent(event);
        if (!hadCurrent && this->currentIndex().isValid())
            this->selectionModel()->clearCurrentIndex();
    }
};
