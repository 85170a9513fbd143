#include "common/windows/colour_picker.h"

#include "common/dialogs/interaction.h"
#include "common/internal/colours.h"
#include "common/internal/dispatch.h"
#include "common/internal/qt_objects.h"

#include <QAbstractButton>
#include <QPainter>

namespace {

class Swatch : public QAbstractButton {
public:
    using QAbstractButton::QAbstractButton;
    int colour = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect frame = rect().adjusted(0, 0, -1, -1);
        painter.fillRect(frame.adjusted(2, 2, -1, -1), toQColor(colour));
        painter.setPen(palette().color(isEnabled() ? QPalette::WindowText : QPalette::Mid));
        painter.drawRect(frame);
        if (hasFocus())
            painter.drawRect(frame.adjusted(1, 1, -1, -1));
    }
};

Swatch& swatchOf(const ColourPicker& picker) { return *static_cast<Swatch*>(QtObjects::widget(picker)); }

} // namespace

ColourPicker::ColourPicker(Container& parent, const Text& name, const Rect& r)
    : Unit(name, new Swatch(QtObjects::container(parent)), r)
{
    QObject::connect(&swatchOf(*this), &QAbstractButton::clicked, [this] {
        runHandler([this] {
            int chosen = colour();
            if (interaction().colourDialog(chosen))
                setColour(chosen);
        }, widget());
    });
}

int ColourPicker::colour() const { return swatchOf(*this).colour; }

void ColourPicker::setColour(int colour)
{
    swatchOf(*this).colour = colour;
    widget()->update();
}
