#pragma once
// What a window shows: its units inside the client area and their containers.
#include "common/windows/window.h"

#include <string>
#include <vector>

struct ShownState {
    // Units the design lets the window cut; what lies on them is checked.
    TextList cut;
    // Units out of sight in this state, with everything on them.
    TextList outOfSight;
    // Units the design lays over a tab strip.
    TextList overStrip;
};

// Every shown unit of `window` that does not lie wholly inside the client
// area and inside its container, or that covers a tab strip, as a UTF-8
// line naming it; empty when all is well.
std::vector<std::string> unitsOutside(Window& window, const ShownState& state = {});
