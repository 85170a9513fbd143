// Tab controls. A page's units are placed relative to the control's own
// top-left corner, the tab strip included, so a unit may lie over the strip.
// Each page is therefore a transparent surface over the whole control, shown
// while its page is current; where no unit lies over the strip, the strip
// takes the mouse.
#include "common/windows/controls.h"

#include "common/internal/dispatch.h"
#include "common/internal/faces.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"
#include "common/windows/unit_helpers.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QRegion>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>

namespace {

QTabWidget* tabs(const Unit* u) { return static_cast<QTabWidget*>(QtObjects::widget(*u)); }

// Tabs (along the top) as high as the designs count their captions' line,
// which the pages' units below the strip were placed for.
class TabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override { return designHigh(QTabBar::tabSizeHint(index)); }
    QSize minimumTabSizeHint(int index) const override { return designHigh(QTabBar::minimumTabSizeHint(index)); }

private:
    QSize designHigh(QSize size) const
    {
        size.rheight() -= fontMetrics().height() - designLineHeight(font());
        return size;
    }
};

class TabWidget : public QTabWidget {
public:
    explicit TabWidget(QWidget* parent) : QTabWidget(parent) { setTabBar(new TabBar(this)); }
};

class PageSurface : public QWidget {
public:
    explicit PageSurface(QTabWidget* tabs) : QWidget(tabs), tabs_(tabs)
    {
        setGeometry(tabs->rect());
        tabs->installEventFilter(this);
        tabs->tabBar()->installEventFilter(this);
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ChildAdded)
            static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
        if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved
            || event->type() == QEvent::Show)
            fitMask();
        return QWidget::event(event);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Resize:
            if (watched == tabs_)
                setGeometry(tabs_->rect());
            fitMask();
            break;
        case QEvent::Move:
        case QEvent::Show:
        case QEvent::Hide:
            fitMask();
            break;
        default:
            break;
        }
        return false;
    }

    // Tabs a unit lies over are covered whole: a caption it would cut
    // shows no part of itself beside it.
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        for (const QRect& tab : coveredTabs_)
            painter.fillRect(tab, palette().color(QPalette::Window));
    }

private:
    // The surface takes the mouse below the strip and on its units. A unit
    // over the strip covers the tabs under it.
    void fitMask()
    {
        QRegion region(rect());
        const QTabBar* bar = tabs_->tabBar();
        const bool strip = !bar->isHidden();
        if (strip)
            region -= bar->geometry();
        QRegion covered;
        for (QObject* child : children()) {
            auto* unit = qobject_cast<QWidget*>(child);
            if (!unit || unit->isHidden())
                continue;
            region += unit->geometry();
            if (!strip || !unit->geometry().intersects(bar->geometry()))
                continue;
            unit->setAutoFillBackground(true);
            for (int tab = 0; tab < bar->count(); ++tab) {
                const QRect place = bar->tabRect(tab).translated(bar->pos());
                if (place.intersects(unit->geometry()))
                    covered += place;
            }
        }
        if (covered != coveredTabs_) {
            coveredTabs_ = covered;
            update();
        }
        setMask(region + covered);
    }

    QTabWidget* tabs_;
    QRegion coveredTabs_;
};

class PageSwitchGuard : public QObject {
public:
    explicit PageSwitchGuard(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return qobject_cast<QTabBar*>(watched) != nullptr;
        case QEvent::KeyPress: {
            if (qobject_cast<QTabBar*>(watched))
                return true;
            auto* key = static_cast<QKeyEvent*>(event);
            bool pageKey = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab
                           || key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown;
            return pageKey && (key->modifiers() & Qt::ControlModifier);
        }
        default:
            return false;
        }
    }
};

} // namespace

class TabControl::Page : public Container {
public:
    explicit Page(QWidget* w) : widget_(w) {}
    QWidget* containerWidget() const override { return widget_; }

private:
    QWidget* widget_;
};

TabControl::TabControl(Container& parent, const Text& name, const Rect& r,
                       const std::vector<Text>& pages, bool userMaySwitch)
    : Unit(name, new TabWidget(QtObjects::container(parent)), r)
{
    for (const Text& caption : pages) {
        tabs(this)->addTab(new QWidget, toQString(caption));
        pages_.push_back(std::make_unique<Page>(new PageSurface(tabs(this))));
    }
    if (!userMaySwitch) {
        // Only the program changes the page: no strip is shown, and the
        // keyboard does not switch either.
        auto* guard = new PageSwitchGuard(tabs(this));
        tabs(this)->installEventFilter(guard);
        tabs(this)->tabBar()->installEventFilter(guard);
        tabs(this)->tabBar()->setFocusPolicy(Qt::NoFocus);
        tabs(this)->tabBar()->hide();
    }
    showCurrentSurface();
    QObject::connect(tabs(this), &QTabWidget::currentChanged, [this] {
        showCurrentSurface();
        fire(widget(), pageChanged);
    });
}

TabControl::~TabControl() = default;

Container& TabControl::page(int index) { return *pages_.at(static_cast<size_t>(index)); }
int TabControl::pageCount() const { return static_cast<int>(pages_.size()); }
int TabControl::currentPage() const { return tabs(this)->currentIndex(); }

void TabControl::setCurrentPage(int index)
{
    if (!inRange(index, pageCount()))
        return;
    {
        QSignalBlocker block(widget());
        tabs(this)->setCurrentIndex(index);
    }
    showCurrentSurface();
}

void TabControl::showCurrentSurface()
{
    const int current = currentPage();
    for (int i = 0; i < pageCount(); ++i)
        pages_[static_cast<size_t>(i)]->containerWidget()->setVisible(i == current);
}
