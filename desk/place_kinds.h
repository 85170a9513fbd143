#pragma once
// What the room and the banquet-table pages share: the columns of a kind
// of place and of the delegate's place, the words of their messages, and
// the commit of the picks made on their pending lists.
#include "common/database/database.h"
#include "common/windows/list_view.h"

struct PlaceKind {
    const char* table;      // the places' table
    const char* id;         // its key
    const char* capacity;   // beds or seats
    const char* count;      // guests or diners, the counter kept by the program
    const char* name;       // hotel or restaurant, in the place and in the delegate's record
    const char* number;     // the place's number, likewise
    bool oneSex;            // guests of one sex only; the place keeps their sex
    const char* noun;       // "房间", "餐桌"
    const char* shownAfterNumber;   // what a place's number is shown with
    const char* full;       // why a full place takes nobody
};

extern const PlaceKind kRoomPlaces, kTablePlaces;

// Writes the picks of `pending` (pending assignment rows: delegate id as
// the row's image, place id as its value) as one unit, joining one that is
// open, and empties the list. Each pick is checked against what is stored
// when it is written: a delegate deleted or placed meanwhile, or a place
// deleted, full or of the other sex, is not written, and a line naming the
// pick and why goes into `givenBack`. False when the unit is not kept.
bool commitPicks(ExternalDatabase& database, ListView& pending, const PlaceKind& kind, TextList& givenBack);

// Tells the person which picks were given back; nothing when none was.
void tellGivenBack(const TextList& givenBack);
