#pragma once
// The automatic placements as functions of plain records: who goes into
// which room, at which table or into which seat. No unit and no database:
// the handlers read the records, call a walk and store what it gives.
#include "common/text/text.h"

#include <vector>

enum class Sex { Man, Woman };

// One item of the delegate tree, top-down: an organisation node, or a
// delegate, who takes part in the room walk while `pending`.
struct WalkItem {
    bool organisation = false;
    bool pending = false;
    Sex sex = Sex::Man;
};

// One row of the room list, in list order; `sex` is the guests' ("男",
// "女", anything else for none).
struct WalkRoom {
    bool ticked = true;
    int beds = 0, guests = 0;
    Text sex;
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
