#pragma once
// The one connection text for meeting.mdb, used by the login, main and
// report windows; each window opens a connection of its own with it.
#include "common/text/text.h"

class ExternalDatabase;

// Built anew from the program directory at each call.
Text connectionText();
// The same text for the program directory `d`.
Text connectionTextFor(const Text& d);

// Opens `unit` with connectionText(). A database made before the reports'
// lookup indexes (the people of a room, a banquet table, a group) gains
// them here; a database where they cannot be added still opens.
bool openMeetingConnection(ExternalDatabase& unit);
