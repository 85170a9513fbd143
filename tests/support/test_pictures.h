#pragma once
// Pictures in tests: solid or banded ones as file bytes, and file bytes
// decoded.
#include "common/text/gbk.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <vector>

inline Bytes pngBytes(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png.toStdString();
}

inline Bytes solidPicture(QColor colour, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return pngBytes(image);
}

// Bands of equal height, `colours` from the top down; across, from the left.
inline Bytes bandedPicture(QSize size, const std::vector<QColor>& colours, bool across = false)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const int bands = static_cast<int>(colours.size()), extent = across ? size.width() : size.height();
    for (int i = 0; i < bands; ++i) {
        const int from = extent * i / bands, to = extent * (i + 1) / bands;
        painter.fillRect(across ? QRect(from, 0, to - from, size.height()) : QRect(0, from, size.width(), to - from),
                         colours[static_cast<size_t>(i)]);
    }
    painter.end();
    return pngBytes(image);
}

// A null image when `bytes` are no picture.
inline QImage decodedPicture(const Bytes& bytes)
{
    QImage image;
    image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
    return image;
}
