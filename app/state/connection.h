#pragma once
// The one connection text for meeting.mdb, used by the login, main and
// report windows; each window opens a connection of its own with it.
#include "common/text.h"

// Built anew from the program directory at each call.
Text connectionText();
// The same text for the program directory `d`.
Text connectionTextFor(const Text& d);
