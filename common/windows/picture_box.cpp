// Picture boxes and snapshots of units as shown.
#include "common/windows/controls.h"

#include "common/files/files.h"
#include "common/internal/colours.h"
#include "common/windows/mouse_widget.h"
#include "common/internal/pixmaps.h"
#include "common/internal/qt_objects.h"

#include <QBuffer>
#include <QPainter>

namespace {

// Draws the picture whole: scaled down to fit, proportions kept, centred;
// stretched, it covers the box. The scaled picture is kept for repaints.
class PictureWidget : public MouseWidget<QWidget> {
public:
    using MouseWidget<QWidget>::MouseWidget;

    void setPicture(const QPixmap& picture)
    {
        picture_ = picture;
        scaled_ = QPixmap();
        update();
    }
    void setStretched(bool stretched)
    {
        stretched_ = stretched;
        update();
    }
    QRect pictureRect() const
    {
        if (picture_.isNull())
            return {};
        if (stretched_)
            return rect();
        QSize size = picture_.size();
        if (size.width() > width() || size.height() > height())
            size.scale(this->size(), Qt::KeepAspectRatio);
        return {QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size};
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const QRect target = pictureRect();
        if (target.isEmpty())
            return;
        if (scaled_.size() != target.size())
            scaled_ = target.size() == picture_.size()
                          ? picture_
                          : picture_.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QPainter(this).drawPixmap(target.topLeft(), scaled_);
    }

private:
    QPixmap picture_;
    QPixmap scaled_;
    bool stretched_ = false;
};

PictureWidget& widgetOf(const PictureBox& box) { return *static_cast<PictureWidget*>(QtObjects::widget(box)); }

} // namespace

PictureBox::PictureBox(Container& parent, const Text& name, const Rect& r, const Bytes& picture)
    : Unit(name, new PictureWidget(QtObjects::container(parent)), r)
{
    PictureWidget& w = widgetOf(*this);
    w.down = &mouseDown;
    w.up = &mouseUp;
    setPicture(picture);
}

void PictureBox::setPicture(const Bytes& bytes)
{
    picture_ = bytes;
    widgetOf(*this).setPicture(pixmapFromBytes(bytes));
}

void PictureBox::setPictureFile(const Text& path) { setPicture(readFile(path)); }

void PictureBox::setStretched(bool stretched) { widgetOf(*this).setStretched(stretched); }

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
    if (!handle || !QtObjects::widget(*handle))
        return {};
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    QtObjects::widget(*handle)->grab().toImage().save(&buffer, "BMP");
    return bmp.toStdString();
}
