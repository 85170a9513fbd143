#pragma once
// GBK is the program's text encoding; these are the only conversions out of
// it. UTF-8 is what the file system, the database and test output use.
#include <string>

using Text = std::string;   // GBK bytes
using Bytes = std::string;  // raw bytes (file contents, pictures, documents)

// Bytes that are not valid GBK/GB18030 come out as U+FFFD; use these only
// where the result is for people or for an encoding-neutral store.
std::string gbkToUtf8(const Text& gbk);
Text utf8ToGbk(const std::string& utf8);

// True when byte `pos` of `text` starts a character (it is not the trail
// byte of a double-byte character). Searching for an ASCII byte such as
// '\\' must only accept matches where this holds.
bool isCharacterStart(const Text& text, size_t pos);
// Byte length of the character that starts at `pos` (1, 2 or 4).
size_t characterLength(const Text& text, size_t pos);
