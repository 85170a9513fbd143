#pragma once
// Whether a place on screen shows a picture: a drawn picture holds many
// colours, an empty place one or two (its background, a frame line).
#include "common/internal/qt_objects.h"
#include "common/windows/tool_bar.h"

#include <QImage>
#include <QSet>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

inline int coloursShown(QWidget* widget, const QRect& area)
{
    const QImage image = widget->grab(area).toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

inline bool showsPicture(QWidget* widget, const QRect& area) { return coloursShown(widget, area) >= 8; }

// Button `number` of the bar (separators counted) shows a picture at least
// `size` pixels square with its whole caption under it.
inline testing::AssertionResult showsPictureAndCaption(const ToolBar& bar, int number, int size)
{
    auto* qbar = qobject_cast<QToolBar*>(QtObjects::widget(bar));
    const QList<QAction*> items = qbar->actions();
    auto* button = number >= 0 && number < items.size() ? qobject_cast<QToolButton*>(qbar->widgetForAction(items[number]))
                                                         : nullptr;
    if (!button)
        return testing::AssertionFailure() << "no button " << number;
    const QSize picture = button->iconSize();
    if (button->icon().isNull() || picture.width() < size || picture.height() < size)
        return testing::AssertionFailure() << "button " << number << " has no picture of " << size << " pixels";
    // The caption's characters show whole below the picture: as high as the
    // font draws them, clear of the button's last row.
    const QImage shown = button->grab().toImage();
    const QRgb background = shown.pixel(0, shown.height() - 1);
    QRect ink;
    for (int y = picture.height(); y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != background)
                ink |= QRect(x, y, 1, 1);
    const int needed = button->fontMetrics().tightBoundingRect(button->text()).height();
    if (ink.height() < needed - 1 || ink.bottom() >= shown.height() - 1)
        return testing::AssertionFailure() << "button " << number << " cuts its caption";
    if (!showsPicture(button, QRect(0, 0, button->width(), picture.height())))
        return testing::AssertionFailure() << "button " << number << " shows no picture";
    return testing::AssertionSuccess();
}
