#pragma once
// Internal to common/: texts laid out in lines for drawing, as labels and
// grid cells show them.
#include <QFont>
#include <QString>
#include <QTextLayout>

// Lays `text` out in lines `width` wide, stacked from 0 and left-aligned:
// wrapped at word boundaries (inside a word too long for a line), or, not
// wrapped, one line per line of the text (CR LF or LF ends one). Gives the
// height of all the lines.
double layOutLines(QTextLayout& layout, QString text, const QFont& font, double width, bool wrap);
