#pragma once
// Internal to common/: the text boundary between the program's GBK bytes
// (Text, a std::string) and Qt; implemented in common/text/qtext.cpp.
#include <QString>

#include <string>
#include <string_view>

// Lossless both ways: a byte that is not part of a valid GB18030 sequence is
// carried through the QString as a lone surrogate (U+DC80 + byte) and comes
// back as that byte, so any byte string survives a round trip.
QString toQString(const std::string& gbk);
std::string fromQString(QStringView s);
// Paths: program code writes "\" separators; the file system wants "/".
QString toQtPath(const std::string& path);
std::string fromQtPath(const QString& path);
// Window titles. An empty caption shows empty: given an empty title, the
// window system would show the program's name instead.
QString toWindowTitle(const std::string& caption);
std::string fromWindowTitle(const QString& title);
// True when every byte is ASCII, which GB18030, UTF-8 and UTF-16 all hold
// as themselves: such text needs no conversion.
bool isAscii(std::string_view bytes);
