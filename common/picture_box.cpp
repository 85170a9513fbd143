// Picture boxes and snapshots of units as shown.
#include "common/controls.h"

#include "common/files.h"
#include "common/internal/colours.h"
#include "common/internal/mouse_widget.h"
#include "common/internal/pixmaps.h"

#include <QBuffer>
#include <QLabel>

PictureBox::PictureBox(Container& parent, const Text& name, const Rect& r, const Bytes& picture)
    : Unit(name, new MouseWidget<QLabel>(parent.containerWidget()), r)
{
    auto* label = static_cast<MouseWidget<QLabel>*>(widget());
    label->down = &mouseDown;
    label->up = &mouseUp;
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setPicture(picture);
}

void PictureBox::setPicture(const Bytes& bytes)
{
    picture_ = bytes;
    static_cast<QLabel*>(widget())->setPixmap(pixmapFromBytes(bytes));
}

void PictureBox::setPictureFile(const Text& path) { setPicture(readFile(path)); }

void PictureBox::setBackgroundColour(int colour)
{
    QPalette palette = widget()->palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    widget()->setPalette(palette);
    widget()->setAutoFillBackground(true);
}

WindowHandle unitWindowHandle(const Unit& unit) { return &unit; }

Bytes windowSnapshot(WindowHandle handle)
{
    if (!handle || !handle->widget())
        return {};
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    handle->widget()->grab().toImage().save(&buffer, "BMP");
    return bmp.toStdString();
}

