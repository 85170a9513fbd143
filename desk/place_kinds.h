#pragma once
// What the room and the banquet-table pages share: the columns of a kind
// of place and of the delegate's place, the words of their messages, and
// the steps that write their picks and delete their places, as functions
// of plain records that a handler calls with what its lists show.
#include "common/database/database.h"
#include "common/windows/list_view.h"

#include <vector>

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

// A place as the lists show it: "宾馆301房间", "大厅1号桌".
Text shownPlace(const PlaceKind& kind, const Text& name, const Text& number);

// What a step did not write, as the person saw it, and why.
struct GivenBack {
    Text shown, why;
};
// One line per given-back record: "shown：why".
TextList givenBackLines(const std::vector<GivenBack>& givenBack);

// A pick of a pending list: who goes where, and how the list names it
// ("张三（宾馆201房间）").
struct PlacePick {
    int delegate = 0, place = 0;
    Text shown;
};

struct PickCommit {
    bool stored = false;   // false when the unit is not kept: none of it is
    std::vector<GivenBack> givenBack;
};

// Writes the picks of `meeting` in their order as one unit, joining one
// that is open. Each pick is checked against what is stored when it is
// written: a delegate deleted or placed meanwhile (by an earlier pick too),
// or a place deleted, full or of the other sex, is not written but given
// back. The place's count goes up by one as stored, whatever the list
// showed.
PickCommit commitPicks(ExternalDatabase& database, const PlaceKind& kind, int meeting,
                       const std::vector<PlacePick>& picks);

// The picks of a pending list: the delegate id is a row's image, the place
// id its value, cells 0 to 2 the delegate, the place's name and number.
std::vector<PlacePick> pendingPicks(const ListView& pending, const PlaceKind& kind);

// A place the person chose to delete: its id, and how the list shows it.
struct ShownPlace {
    int id = 0;
    Text shown;
};

struct PlaceDeletion {
    bool stored = false;   // false when the unit is not kept: none of it is
    int deleted = 0;       // places deleted
    int released = 0;      // delegates who left them
    std::vector<GivenBack> givenBack;
};

// Deletes the places of `meeting` as one unit. Each is read by its id
// inside the unit; exactly the delegates lodged or seated there by its
// stored name and number leave it, then it goes. A place that is no longer
// stored (another desk deleted it, and may have made a new one with its
// number) is given back, and nothing else changes for it.
PlaceDeletion deletePlaces(ExternalDatabase& database, const PlaceKind& kind, int meeting,
                           const std::vector<ShownPlace>& places);

// Tells the person what was given back, one line each under `heading`;
// nothing when nothing was.
void tellGivenBack(const TextList& lines, const Text& heading = "下列分配未能保存，已经退回：");
