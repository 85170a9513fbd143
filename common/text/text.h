#pragma once
// Text and value functions. Texts are GBK bytes; lengths and positions count
// bytes, positions start at 1, and a search that finds nothing gives -1.
// Positions outside a text are harmless: they give "" and never read outside.
#include "common/text/gbk.h"

#include <cstdint>
#include <vector>

using TextList = std::vector<Text>;
using BytesList = std::vector<Bytes>;

int textLength(const Text& text);
Text leftText(const Text& text, int count);
Text rightText(const Text& text, int count);
Text midText(const Text& text, int start, int count);   // start is 1-based

// First occurrence of `sought` at or after byte position `from` (1-based);
// matches never start or end inside a double-byte character. An empty
// `sought` is never found, so a search loop cannot stall.
int findText(const Text& text, const Text& sought, int from = 1);
// Last occurrence that starts at a character boundary; -1 when absent.
int findTextReverse(const Text& text, const Text& sought);

Text trimSpaces(const Text& text);          // blanks off both ends
Text trimLeadingSpaces(const Text& text);   // blanks off the start
// Equal but for the case of ASCII letters; bytes of double-byte characters
// are never folded (a trail byte can look like a letter).
bool sameTextIgnoringCase(const Text& a, const Text& b);

// Splits at every whole-character occurrence of `separator`; "" gives {""}.
TextList splitText(const Text& text, const Text& separator);

Text toText(int value);
Text toText(long long value);
Text toText(double value);   // a whole value has no fraction: 802.0 -> "802"
Text toText(bool value);     // "true" / "false", usable unquoted in SQL

// Decimal text to number; leading and trailing blanks are allowed, anything
// that is not a number gives 0 ("", "A1" -> 0; "0801" -> 801).
double toNumber(const Text& text);
// Truncates toward zero and saturates to the int range (NaN gives 0).
int toInteger(double value);
int toInteger(const Text& text);

Bytes toBytes(const Text& text);           // the GBK bytes, no terminator
Text bytesToValue(const Bytes& bytes);     // text from bytes (up to a NUL)

// Seconds since the epoch, local time for formatting.
struct DateTime {
    long long secondsSinceEpoch = 0;
};
DateTime now();
// Default form "YYYYMMDDhhmmss": safe inside a file name (no ":" or "/").
Text dateTimeToText(const DateTime& when);
