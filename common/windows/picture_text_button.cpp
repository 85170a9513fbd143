#include "common/windows/picture_text_button.h"

#include "common/internal/dispatch.h"
#include "common/internal/pixmaps.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"

#include <QPushButton>

namespace {
QPushButton* buttonOf(const Unit& unit) { return static_cast<QPushButton*>(QtObjects::widget(unit)); }
}

PictureTextButton::PictureTextButton(Container& parent, const Text& name, const Rect& r,
                                     const Text& caption, const Bytes& picture)
    : Unit(name, new QPushButton(toQString(caption), QtObjects::container(parent)), r)
{
    QPushButton* button = buttonOf(*this);
    button->setAutoDefault(false);
    setPicture(picture);
    QObject::connect(button, &QPushButton::clicked, [this] { fire(widget(), clicked); });
}

Text PictureTextButton::caption() const { return fromQString(buttonOf(*this)->text()); }
void PictureTextButton::setCaption(const Text& c) { buttonOf(*this)->setText(toQString(c)); }

void PictureTextButton::setPicture(const Bytes& picture)
{
    picture_ = picture;
    QPushButton* button = buttonOf(*this);
    const QPixmap pixmap = pixmapFromBytes(picture);
    button->setIcon(QIcon(pixmap));
    // The picture at its own size, unless the button is smaller.
    if (!pixmap.isNull())
        button->setIconSize(pixmap.size().boundedTo(button->size()));
}
