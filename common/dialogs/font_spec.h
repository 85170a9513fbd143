#pragma once
// A font as units and the font dialog describe it: face, size in points and
// four styles.
#include "common/text/gbk.h"

struct FontSpec {
    Text face;
    int points = 9;
    bool bold = false, italic = false, underline = false, strikeOut = false;
};
