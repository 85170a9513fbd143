#include "tests/support/geometry.h"

#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"

#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

bool listed(const TextList& names, const QString& name)
{
    return std::any_of(names.begin(), names.end(), [&](const Text& n) { return toQString(n) == name; });
}

std::string describe(const QWidget* unit, const QRect& rect, const char* fault)
{
    return QStringLiteral("%1 (%2, %3, %4 x %5) %6")
        .arg(unit->objectName())
        .arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height())
        .arg(QString::fromUtf8(fault))
        .toStdString();
}

// The tab strip over the page that `page` is the surface of, if it shows.
const QTabBar* stripOver(const QWidget* client, const QWidget* page)
{
    auto* tabs = qobject_cast<const QTabWidget*>(page->parentWidget());
    const QTabBar* bar = tabs ? tabs->tabBar() : nullptr;
    return bar && bar->parentWidget() == tabs && bar->isVisibleTo(client) ? bar : nullptr;
}

// What a group box draws of its own, found in its pixels: the rows and
// columns of its frame lines and the rectangle of its caption's ink.
struct FrameMarks {
    std::vector<int> lineRows, lineColumns;
    QRect caption;
};

FrameMarks frameMarks(const QGroupBox* box)
{
    const QColor blank(255, 0, 255);
    QImage image(box->size(), QImage::Format_RGB32);
    image.fill(blank);
    const_cast<QGroupBox*>(box)->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    // A box may fill its inside; what differs from its middle is drawn.
    const QColor inside = image.pixelColor(image.width() / 2, image.height() / 2);
    auto drawn = [&](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return c != blank && c != inside;
    };
    // A line runs across at least half the box; the caption breaks it less.
    auto lines = [&](int count, int length, auto drawnAt) {
        std::vector<int> found;
        for (int at = 0; at < count; ++at) {
            int drawnCount = 0;
            for (int along = 0; along < length; ++along)
                drawnCount += drawnAt(at, along);
            if (drawnCount * 2 >= length)
                found.push_back(at);
        }
        return found;
    };
    FrameMarks marks;
    marks.lineRows = lines(image.height(), image.width(), [&](int y, int x) { return drawn(x, y); });
    marks.lineColumns = lines(image.width(), image.height(), drawn);
    // The caption is the rest, away from the side lines and their rounded
    // corners.
    auto on = [](const std::vector<int>& lines, int at, int reach) {
        return std::any_of(lines.begin(), lines.end(), [&](int line) { return std::abs(line - at) <= reach; });
    };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (drawn(x, y) && !on(marks.lineRows, y, 0) && !on(marks.lineColumns, x, 3))
                marks.caption |= QRect(x, y, 1, 1);
    return marks;
}

// A unit on a group box must not lie across the box's frame or caption.
void checkAgainstFrame(const FrameMarks& marks, const QWidget* unit, std::vector<std::string>& found)
{
    const QRect rect = unit->geometry();
    auto within = [](const std::vector<int>& lines, int from, int to) {
        return std::any_of(lines.begin(), lines.end(), [&](int at) { return at >= from && at <= to; });
    };
    if (within(marks.lineRows, rect.top(), rect.bottom()) || within(marks.lineColumns, rect.left(), rect.right()))
        found.push_back(describe(unit, rect, "crosses its group box's frame line"));
    if (marks.caption.intersects(rect))
        found.push_back(describe(unit, rect, "covers its group box's caption"));
}

// A choice box shows its items in its field, by their characters' ink (the
// blank half of a closing full-width bracket may run past the field).
bool cutsAnItem(const QComboBox* combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    for (int i = 0; i < combo->count(); ++i) {
        const QRect ink = combo->fontMetrics().boundingRect(combo->itemText(i));
        if (ink.x() + ink.width() > field.width() - 2)   // the label stands 1 px inside the field
            return true;
    }
    return false;
}

struct Walk {
    const QWidget* client;
    const ShownState& state;
    std::vector<std::string>& found;
    std::vector<std::pair<const QWidget*, QRect>> labels;   // in the client area
};

// Units are the named widgets; Qt's own parts are named "qt_..." or not at
// all, and hold no units except the surfaces of tab pages.
void walk(Walk& w, const QWidget* parent)
{
    std::optional<FrameMarks> frame;
    if (auto* box = qobject_cast<const QGroupBox*>(parent))
        frame = frameMarks(box);
    for (const QObject* child : parent->children()) {
        auto* widget = qobject_cast<const QWidget*>(child);
        if (!widget || widget->isWindow() || !widget->isVisibleTo(w.client))
            continue;
        const QString name = widget->objectName();
        if (name.startsWith(QStringLiteral("qt_")) || listed(w.state.outOfSight, name))
            continue;
        const QRect inClient(widget->mapTo(w.client, QPoint(0, 0)), widget->size());
        if (!name.isEmpty() && !listed(w.state.cut, name)) {
            if (!parent->rect().contains(widget->geometry()))
                w.found.push_back(describe(widget, widget->geometry(), "outside its container"));
            if (!w.client->rect().contains(inClient))
                w.found.push_back(describe(widget, inClient, "outside the client area"));
            const QTabBar* strip = stripOver(w.client, parent);
            if (strip && strip->geometry().intersects(widget->geometry()) && !listed(w.state.overStrip, name))
                w.found.push_back(describe(widget, widget->geometry(), "covers the tab strip of its page"));
            if (frame)
                checkAgainstFrame(*frame, widget, w.found);
            if (auto* combo = qobject_cast<const QComboBox*>(widget); combo && cutsAnItem(combo))
                w.found.push_back(describe(widget, widget->geometry(), "cuts its longest item"));
        }
        if (!name.isEmpty() && qobject_cast<const QLabel*>(widget)) {
            for (const auto& [other, rect] : w.labels)
                if (rect.intersects(inClient))
                    w.found.push_back(describe(widget, inClient, "overlaps the label ")
                                         + other->objectName().toStdString());
            w.labels.emplace_back(widget, inClient);
        }
        walk(w, widget);
    }
}

} // namespace

std::vector<std::string> unitsOutside(Window& window, const ShownState& state)
{
    std::vector<std::string> found;
    Walk shown{QtObjects::container(window), state, found, {}};
    walk(shown, shown.client);
    return found;
}
