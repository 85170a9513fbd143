#include "tests/support/geometry.h"

#include "common/qtext.h"

#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include <algorithm>

namespace {

bool listed(const TextList& names, const QString& name)
{
    return std::any_of(names.begin(), names.end(), [&](const Text& n) { return toQString(n) == name; });
}

std::string describe(const QWidget* unit, const QRect& rect, const char* outside)
{
    return QStringLiteral("%1 (%2, %3, %4 x %5) outside %6")
        .arg(unit->objectName())
        .arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height())
        .arg(QString::fromUtf8(outside))
        .toStdString();
}

// The tab strip over the page that `page` is the surface of, if it shows.
const QTabBar* stripOver(const QWidget* client, const QWidget* page)
{
    auto* tabs = qobject_cast<const QTabWidget*>(page->parentWidget());
    const QTabBar* bar = tabs ? tabs->tabBar() : nullptr;
    return bar && bar->parentWidget() == tabs && bar->isVisibleTo(client) ? bar : nullptr;
}

// Units are the named widgets; Qt's own parts are named "qt_..." or not at
// all, and hold no units except the surfaces of tab pages.
void walk(const QWidget* client, const QWidget* parent, const ShownState& state, std::vector<std::string>& found)
{
    for (const QObject* child : parent->children()) {
        auto* widget = qobject_cast<const QWidget*>(child);
        if (!widget || widget->isWindow() || !widget->isVisibleTo(client))
            continue;
        const QString name = widget->objectName();
        if (name.startsWith(QStringLiteral("qt_")) || listed(state.outOfSight, name))
            continue;
        if (!name.isEmpty() && !listed(state.cut, name)) {
            if (!parent->rect().contains(widget->geometry()))
                found.push_back(describe(widget, widget->geometry(), "its container"));
            const QRect inClient(widget->mapTo(client, QPoint(0, 0)), widget->size());
            if (!client->rect().contains(inClient))
                found.push_back(describe(widget, inClient, "the client area"));
            const QTabBar* strip = stripOver(client, parent);
            if (strip && strip->geometry().intersects(widget->geometry()) && !listed(state.overStrip, name))
                found.push_back(describe(widget, widget->geometry(), "the page: it covers the tab strip"));
        }
        walk(client, widget, state, found);
    }
}

} // namespace

std::vector<std::string> unitsOutside(Window& window, const ShownState& state)
{
    std::vector<std::string> found;
    QWidget* client = window.containerWidget();
    walk(client, client, state, found);
    return found;
}
