#pragma once
// What the batch adds of the room and table pages accept as typed.
#include "common/text/text.h"

// The numbers from `first` to `last`, each the next number of the one
// before (nextSerialNumber, so the width of `first` is kept), skipping every
// second one when `everySecond`. Both must be texts of decimal digits with
// `first` above zero and not above `last`, compared by value at any length.
// Empty when they are not, or when the batch would hold more than `limit`
// numbers.
TextList batchNumbers(const Text& first, const Text& last, bool everySecond, size_t limit);

// A text of digits with its leading zeros removed ("0801" -> "801").
Text withoutLeadingZeros(const Text& digits);

// The beds of a room or the seats of a table as typed: a whole number from
// 1 to 32767 written in digits; 0 for any other text.
int typedPlaceCount(const Text& text);
