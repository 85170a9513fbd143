#include "common/windows/item_views.h"

#include <QMouseEvent>

RightButtonGuard::RightButtonGuard(QAbstractItemView* view, std::function<void(bool)> report)
    : QObject(view), report_(std::move(report))
{
    view->viewport()->installEventFilter(this);
    view->setContextMenuPolicy(Qt::NoContextMenu);
}

bool RightButtonGuard::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton)
            return false;
        if (event->type() != QEvent::MouseButtonDblClick && report_)
            report_(event->type() == QEvent::MouseButtonPress);
        return true;   // the view never sees it, so its current item stays
    }
    default:
        return false;
    }
}
