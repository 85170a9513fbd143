#include "common/windows/transparent_label.h"

#include "common/internal/colours.h"
#include "common/internal/dispatch.h"
#include "common/internal/faces.h"
#include "common/internal/hosts.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"
#include "common/internal/text_lines.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

class LabelWidget : public QWidget {
public:
    using QWidget::QWidget;

    QString text;
    LabelFont labelFont;
    int colour = 0;
    int effect = TransparentLabel::Plain;
    std::function<void(int)>* up = nullptr;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override
    {
        QTextLayout layout;
        return layOut(layout, font(), width);
    }

    // The label's font, or a smaller size of it at which the wrapped text
    // fits the label's height: a long caption loses size, never lines.
    QFont shownFont() const
    {
        QFont shown = font();
        if (shown.pointSize() <= 0)
            return shown;
        for (int points = shown.pointSize(); points > kSmallestPoints; --points) {
            shown.setPointSize(points);
            QTextLayout layout;
            if (layOut(layout, shown, width()) <= height())
                return shown;
        }
        shown.setPointSize(std::min(font().pointSize(), kSmallestPoints));
        return shown;
    }
    int shownHeight() const
    {
        QTextLayout layout;
        return layOut(layout, shownFont(), width());
    }
    // The label keeps its width; the height is what the wrapped text needs.
    QSize sizeHint() const override { return QSize(width(), heightForWidth(width())); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QTextLayout layout;
        layOut(layout, shownFont(), width());
        QPainter painter(this);
        painter.setRenderHint(QPainter::TextAntialiasing);
        if (labelFont.angle != 0)
            painter.rotate(-labelFont.angle / 10.0);
        const QColor light(255, 255, 255), dark(128, 128, 128);
        auto draw = [&](const QColor& c, int dx, int dy) {
            painter.setPen(c);
            layout.draw(&painter, QPointF(dx, dy));
        };
        switch (effect) {
        case TransparentLabel::Sunken: draw(dark, -1, -1); draw(light, 1, 1); break;
        case TransparentLabel::Raised: draw(light, -1, -1); draw(dark, 1, 1); break;
        case TransparentLabel::Shadowed: draw(dark, 2, 2); break;
        default: break;
        }
        draw(toQColor(colour), 0, 0);
    }

    // A label with a handler takes its presses: the picture below it must
    // not see a press on the label as its own. Without one the label is
    // part of what lies under it, and the press goes there.
    void mousePressEvent(QMouseEvent* event) override { event->setAccepted(handled()); }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        event->setAccepted(handled());
        if (handled() && rect().contains(event->position().toPoint()))
            fire(this, *up, mouseButtonCode(event->button()));
    }
    bool handled() const { return up && *up; }

private:
    // Below this a caption is no longer legible; it is drawn at this size
    // and its last lines are clipped.
    static constexpr int kSmallestPoints = 6;

    // Lays the text out in lines of `width` pixels; gives the height used.
    int layOut(QTextLayout& layout, const QFont& font, int width) const
    {
        return static_cast<int>(std::ceil(layOutLines(layout, text, font, width, true)));
    }
};

LabelWidget& widgetOf(const TransparentLabel& label) { return *static_cast<LabelWidget*>(QtObjects::widget(label)); }

} // namespace

int pointsForLineHeight(const Text& face, int pixels, bool bold)
{
    // Chinese and Latin together: a line is as high as the tallest font
    // that draws it, and a face without Chinese characters borrows them.
    const QString sample = QStringLiteral("\u56fdAg");
    for (int points = std::max(pixels, 1); points > 1; --points) {
        QTextLayout layout;
        QFont font;
        setDrawnFace(font, face);
        font.setPointSize(points);
        font.setBold(bold);
        if (std::ceil(layOutLines(layout, sample, font, 1e6, false)) <= pixels)
            return points;
    }
    return 1;
}

TransparentLabel::TransparentLabel(Container& parent, const Text& name, const Rect& r, const Text& caption)
    : Unit(name, new LabelWidget(QtObjects::container(parent)), r)
{
    LabelWidget& w = widgetOf(*this);
    w.up = &mouseUp;
    w.labelFont = {fromQString(w.font().family()), w.font().pointSize()};
    setCaption(caption);
}

Text TransparentLabel::caption() const { return fromQString(widgetOf(*this).text); }

void TransparentLabel::setCaption(const Text& caption)
{
    widgetOf(*this).text = toQString(caption);
    widget()->update();
}

LabelFont TransparentLabel::labelFont() const { return widgetOf(*this).labelFont; }

void TransparentLabel::setLabelFont(const LabelFont& font)
{
    widgetOf(*this).labelFont = font;
    setFont({font.face, font.points, font.bold != 0, font.italic != 0, font.underline != 0,
             font.strikeOut != 0});
    widget()->update();
}

int TransparentLabel::shownPoints() const { return widgetOf(*this).shownFont().pointSize(); }

int TransparentLabel::shownHeight() const { return widgetOf(*this).shownHeight(); }

int TransparentLabel::textColour() const { return widgetOf(*this).colour; }

void TransparentLabel::setTextColour(int colour)
{
    widgetOf(*this).colour = colour;
    widget()->update();
}

int TransparentLabel::effect() const { return widgetOf(*this).effect; }

void TransparentLabel::setEffect(int effect)
{
    widgetOf(*this).effect = effect;
    widget()->update();
}
