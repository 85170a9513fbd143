#pragma once
// A caption drawn straight onto whatever lies behind it (a picture, a bar),
// with no background of its own. The text wraps at the label's width, at
// word boundaries where it can and between any two characters where it must,
// so a narrow strip shows its characters one under another.
#include "common/windows/unit.h"

// The font as the program gives it: face, size in points and five flag
// fields (0 = off). The program sets all five to 0.
struct LabelFont {
    Text face;
    int points = 9;
    int bold = 0, italic = 0, underline = 0, strikeOut = 0;
    int angle = 0;   // tenths of a degree, counter-clockwise
};

// The largest size in points at which one line of text in `face` is at
// most `pixels` high on the screen, at least 1: a design that gives text
// by its height in pixels gets a font whose lines fit that height.
int pointsForLineHeight(const Text& face, int pixels, bool bold = false);

class TransparentLabel : public Unit {
public:
    enum Effect { Plain = 0, Sunken = 1, Raised = 2, Shadowed = 3 };
    TransparentLabel(Container& parent, const Text& name, const Rect& r, const Text& caption = "");
    Text caption() const override;
    void setCaption(const Text& caption) override;
    LabelFont labelFont() const;
    void setLabelFont(const LabelFont& font);
    // A caption too long for the label at its font is drawn smaller, down to
    // a legible least size: the size drawn and the height the text takes.
    int shownPoints() const;
    int shownHeight() const;
    int textColour() const;               // 0xBBGGRR; black at first
    void setTextColour(int colour);
    int effect() const;
    void setEffect(int effect);           // values outside 0..3 draw plain
    // A button released over the label (pressed over it too).
    std::function<void(int button)> mouseUp;
};
