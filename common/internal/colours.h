#pragma once
// Internal to common/: the program's colour numbers (0xBBGGRR) and Qt's.
#include <QColor>

inline QColor toQColor(int colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

inline int fromQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }
