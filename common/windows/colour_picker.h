#pragma once
// A colour swatch. Clicking it opens the colour dialog at the swatch's
// colour; OK makes the chosen colour the swatch's, Cancel leaves it.
// Colours are 0xBBGGRR; a new picker is black (0).
#include "common/windows/unit.h"

class ColourPicker : public Unit {
public:
    ColourPicker(Container& parent, const Text& name, const Rect& r);
    int colour() const;
    void setColour(int colour);
};
