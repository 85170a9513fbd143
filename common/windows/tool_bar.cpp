#include "common/windows/tool_bar.h"

#include "common/internal/dispatch.h"
#include "common/internal/faces.h"
#include "common/internal/pixmaps.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include <algorithm>

namespace {

QToolBar* barOf(const ToolBar& bar) { return static_cast<QToolBar*>(QtObjects::widget(bar)); }

// The bar's actions are its items, separators included, in bar order.
QAction* itemAt(const ToolBar& bar, int number)
{
    const QList<QAction*> actions = barOf(bar)->actions();
    return number >= 0 && number < actions.size() ? actions[number] : nullptr;
}

// A tool bar spans its container, as a bar along the top of a window does:
// it grows and shrinks with the window.
class SpanContainer : public QObject {
public:
    explicit SpanContainer(QToolBar* bar) : QObject(bar), bar_(bar) { bar->parentWidget()->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && watched == bar_->parentWidget())
            bar_->resize(bar_->parentWidget()->width() - bar_->x(), bar_->height());
        return false;
    }

private:
    QToolBar* bar_;
};

// A picture with its caption right under it: the style's own layout leaves
// a gap that a picture of a legible size and a caption do not fit in a bar
// of the design's height.
class PictureOverCaption : public QToolButton {
public:
    using QToolButton::QToolButton;

    QSize sizeHint() const override
    {
        const QFontMetrics metrics(font());
        const QSize picture = iconSize();
        return {std::max(picture.width(), metrics.horizontalAdvance(text())) + 2 * kSide,
                kTop + picture.height() + designLineHeight(font()) + kTop};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionToolButton option;
        initStyleOption(&option);
        option.text.clear();
        option.icon = QIcon();
        painter.drawComplexControl(QStyle::CC_ToolButton, option);
        const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        const QSize picture = iconSize();
        icon().paint(&painter, QRect(QPoint((width() - picture.width()) / 2, kTop), picture), Qt::AlignCenter, mode);
        const int top = kTop + picture.height() - designRaise(font());
        const QRect caption(0, top, width(), height() - top);
        painter.drawItemText(caption, Qt::AlignHCenter | Qt::AlignTop, palette(), isEnabled(), text(),
                             QPalette::ButtonText);
    }

private:
    static constexpr int kSide = 2, kTop = 1;
};

// An item of the bar: in the bar a picture button of its own (a plain
// action's button would show the caption as the tool tip when there is
// none); in the overflow menu of a bar without room for it, an entry with
// its picture and caption. Either way choosing it triggers the item.
class BarButton : public QWidgetAction {
public:
    BarButton(QObject* parent, const QPixmap& picture, const QString& caption, const QString& toolTip)
        : QWidgetAction(parent), picture_(picture), toolTip_(toolTip)
    {
        setIcon(QIcon(picture));
        setText(caption);
    }

protected:
    QWidget* createWidget(QWidget* parent) override
    {
        if (!qobject_cast<QToolBar*>(parent))
            return nullptr;
        auto* button = new PictureOverCaption(parent);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setIcon(icon());
        if (!picture_.isNull())
            button->setIconSize(picture_.size());
        button->setText(text());
        button->setToolTip(toolTip_);
        QObject::connect(button, &QToolButton::clicked, this, &QAction::trigger);
        return button;
    }

private:
    QPixmap picture_;
    QString toolTip_;
};

} // namespace

ToolBar::ToolBar(Container& parent, const Text& name, const Rect& r)
    : Unit(name, new QToolBar(QtObjects::container(parent)), r)
{
    QToolBar* bar = barOf(*this);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    // Picture and caption fit the bar's design height.
    bar->setContentsMargins(0, 0, 0, 0);
    bar->layout()->setContentsMargins(0, 0, 0, 0);
    bar->layout()->setSpacing(0);
    QFont font = bar->font();
    font.setPointSize(8);
    bar->setFont(font);
    bar->setStyleSheet(QStringLiteral("QToolBar { padding: 0px; spacing: 0px; border: 0px; }"
                                      "QToolButton { padding: 0px 2px; margin: 0px; border: 0px; }"));
    new SpanContainer(bar);
}

int ToolBar::addButton(const Bytes& image, const Text& caption, const Text& toolTip)
{
    auto* item = new BarButton(barOf(*this), pixmapFromBytes(image), toQString(caption), toQString(toolTip));
    const int number = itemCount();
    barOf(*this)->addAction(item);
    QObject::connect(item, &QAction::triggered, [this, number] { fire(widget(), buttonClicked, number); });
    return number;
}

int ToolBar::addSeparator()
{
    const int number = itemCount();
    barOf(*this)->addSeparator();
    return number;
}

int ToolBar::itemCount() const { return static_cast<int>(barOf(*this)->actions().size()); }

bool ToolBar::isSeparator(int number) const
{
    QAction* item = itemAt(*this, number);
    return item && item->isSeparator();
}

Text ToolBar::buttonCaption(int number) const
{
    QAction* item = itemAt(*this, number);
    auto* button = item ? qobject_cast<QToolButton*>(barOf(*this)->widgetForAction(item)) : nullptr;
    return button ? fromQString(button->text()) : Text();
}

void ToolBar::setButtonVisible(int number, bool visible)
{
    if (QAction* item = itemAt(*this, number))
        item->setVisible(visible);
}

bool ToolBar::buttonVisible(int number) const
{
    QAction* item = itemAt(*this, number);
    return item && item->isVisible();
}
