#pragma once
// The windows service's own: a Qt widget that reports its mouse buttons to a
// unit.
#include "common/internal/dispatch.h"
#include "common/internal/hosts.h"

#include <QMouseEvent>
#include <functional>

template <class Base>
class MouseWidget : public Base {
public:
    using Base::Base;
    std::function<void(int)>* down = nullptr;
    std::function<void(int)>* up = nullptr;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (down && *down) {
            fire(this, *down, mouseButtonCode(event->button()));
            event->accept();
            return;
        }
        Base::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (up && *up) {
            fire(this, *up, mouseButtonCode(event->button()));
            event->accept();
            return;
        }
        Base::mouseReleaseEvent(event);
    }
};
