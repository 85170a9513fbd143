#pragma once
// Internal to common/: the text boundary between GBK bytes and Qt.
#include "common/text/gbk.h"
#include <QString>

// Lossless both ways: a byte that is not part of a valid GB18030 sequence is
// carried through the QString as a lone surrogate (U+DC80 + byte) and comes
// back as that byte, so any byte string survives a round trip.
QString toQString(const Text& gbk);
Text fromQString(QStringView s);
// Paths: program code writes "\" separators; the file system wants "/".
QString toQtPath(const Text& path);
Text fromQtPath(const QString& path);
// Window titles. An empty caption shows empty: given an empty title, the
// window system would show the program's name instead.
QString toWindowTitle(const Text& caption);
Text fromWindowTitle(const QString& title);
