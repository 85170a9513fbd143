#pragma once
// Pictures in tests: a solid one as file bytes, and file bytes decoded.
#include "common/gbk.h"

#include <QBuffer>
#include <QImage>

inline Bytes solidPicture(QColor colour, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png.toStdString();
}

// A null image when `bytes` are no picture.
inline QImage decodedPicture(const Bytes& bytes)
{
    QImage image;
    image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
    return image;
}
