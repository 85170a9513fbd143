#pragma once
// The automatic placements as functions of plain records: who goes into
// which room, at which table or into which seat. No unit and no database:
// the handlers read the records, call a walk and store what it gives.
#include "common/text/text.h"

#include <optional>
#include <vector>

enum class Sex { Man, Woman };

// A delegate's sex from the text stored for it: "女" a woman, anything else
// a man (as the delegate tree shows him).
Sex delegateSex(const Text& stored);
// The sex of a room's guests from the text the room keeps: "男" or "女";
// none for anything else ("无" for a new room, "无 " after a clear-all).
std::optional<Sex> roomSex(const Text& stored);
// The text stored for a sex: "男" or "女".
Text sexText(Sex sex);

// One item of the delegate tree, top-down: an organisation node, or a
// delegate, who takes part in the room walk while `pending`.
struct WalkItem {
    bool organisation = false;
    bool pending = false;
    Sex sex = Sex::Man;
};

// One row of the room list, in list order, with its guests' sex.
struct WalkRoom {
    bool ticked = true;
    int beds = 0, guests = 0;
    std::optional<Sex> sex;
};

struct RoomPlacement {
    int item, room;   // indexes into the items and the rooms
};

// How the room walk ended: no pending delegate was left for an empty room,
// the last organisation's run was done, no pending delegate was left after
// a run, or the rooms were used up (after the leftover pass).
enum class RoomWalkEnd { NobodyLeft, LastOrganisationDone, NobodyPending, RoomsUsedUp };

struct RoomWalk {
    std::vector<RoomPlacement> placements;   // in the order they are made
    RoomWalkEnd end = RoomWalkEnd::RoomsUsedUp;
};

// The ticked rooms are walked in order. Every empty room takes the next run
// of pending delegates of one sex within one organisation; a run too short
// for its room tops up the partly filled room of its sex (the open room)
// first. Once the rooms are used up, the delegates from where the last scan
// stopped go into the open rooms while these have beds.
// `items` is a tree as the delegate tree holds it: each organisation node
// followed by its delegates, so an organisation comes first. A tree that
// starts with delegates is walked as if a node stood before them: they make
// a run of their own, like an organisation's, and no room takes more than
// its beds.
RoomWalk walkRooms(const std::vector<WalkItem>& items, std::vector<WalkRoom> rooms);

struct WalkTable {
    int seats = 0, seated = 0;
};

struct TablePlacement {
    int delegate, table;   // indexes into the delegates and the tables
    int seated;            // the table's diners with this one
};

struct TableWalk {
    std::vector<TablePlacement> placements;
    bool tablesLeft = true;   // false when a delegate found no seat
};

// `delegates` in their order each take the first table that has a seat
// left, so the tables fill in their order.
TableWalk walkTables(int delegates, std::vector<WalkTable> tables);

// The orders of a batch of queued delegates from the clicked column c:
// c, c+1, c+2, ... ("左右排序"); c, c+1, c-1, c+2, ... ("312排序");
// c, c-1, c+1, c-2, ... ("213排序").
enum class SeatOrder { LeftToRight, RightFirst, LeftFirst };

// A cell of the clicked chart row: whether its text is empty, and its face
// name, which is the delegate's id in a seated cell.
struct SeatCell {
    bool empty = true;
    Text face;
};

// The columns (1-based) in which the queued delegates are seated, the i-th
// in the i-th column given; the batch stops at a column that is no seat
// column (the header columns, past the last) or not empty. A delegate who
// already sits in the row leaves that cell when seated anew, so it is free
// for the ones after him. `row` holds columns 1 to its size.
std::vector<int> walkSeats(std::vector<SeatCell> row, int headerColumns, int column, SeatOrder order,
                           const TextList& queuedDelegates);
