#pragma once
// Number texts that keep their width.
#include "common/text/text.h"

// The next number after `text`, with leading zeros up to the width of
// `text` ("009" -> "010", "99" -> "100"). A text of digits only is counted
// on exactly at any length; any other text is read as a number, and one that
// is no number counts 0 ("A1" -> "01").
Text nextSerialNumber(const Text& text);

// True for a text of ASCII decimal digits only, at least one.
bool isDigitText(const Text& text);
