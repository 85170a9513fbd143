#pragma once
// Number texts that keep their width.
#include "common/text.h"

// The next number after `text`, with leading zeros up to the width of
// `text` ("009" -> "010", "99" -> "100"); a text that is no number counts 0.
Text nextSerialNumber(const Text& text);
