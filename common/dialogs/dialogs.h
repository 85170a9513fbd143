#pragma once
// Message boxes, input boxes and the common dialogs, all through the
// interaction seam.
#include "common/dialogs/interaction.h"

// Gives the answer (BoxAnswer). Line breaks in `text` are CR LF.
int messageBox(const Text& text, int kind = BoxOk, const Text& caption = "");
// True when confirmed; `value` is the initial text and gets the answer.
// Cancel leaves `value` unchanged.
bool inputBox(const Text& prompt, const Text& caption, Text& value);
// A whole-number variable: the initial text is the variable's value; any
// whole number (0 and negative included) is accepted, other text refused.
bool inputBox(const Text& prompt, const Text& caption, int& value);

// Colour numbers are 0xBBGGRR: rgbColour(255, 255, 255) is 0xFFFFFF.
constexpr int rgbColour(int r, int g, int b) { return r | (g << 8) | (b << 16); }

// A non-visual unit whose properties are set before each use.
class CommonDialog {
public:
    enum Kind { FileOpen, FileSave, Font };
    explicit CommonDialog(const Text& name, Kind initialKind = FileOpen)
        : kind(initialKind), name_(name) {}

    const Text& name() const { return name_; }
    Kind kind = FileOpen;
    Text title;
    Text fileName;           // kept after Cancel
    Text filter;
    Text defaultExtension;
    Text initialDirectory;
    FontSpec font;           // preset, and the choice after OK
    int fontColour = 0;

private:
    Text name_;
};

// True on OK; the chosen file name or font is then in the unit.
bool openCommonDialog(CommonDialog& dialog);
