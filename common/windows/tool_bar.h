#pragma once
// A bar of picture buttons with captions. Items are numbered from 0 in bar
// order; a separator takes a number too. A click reports the button's number.
// Disabling the unit disables every button.
#include "common/windows/unit.h"

class ToolBar : public Unit {
public:
    ToolBar(Container& parent, const Text& name, const Rect& r);
    // Both give the new item's number. A button without a tool tip shows none.
    int addButton(const Bytes& image, const Text& caption, const Text& toolTip = "");
    int addSeparator();
    int itemCount() const;
    bool isSeparator(int number) const;
    Text buttonCaption(int number) const;             // "" for a separator or no item
    void setButtonVisible(int number, bool visible);  // ignored for no item
    bool buttonVisible(int number) const;
    std::function<void(int number)> buttonClicked;
};
