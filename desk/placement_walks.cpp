#include "desk/placement_walks.h"

#include <algorithm>

namespace {

constexpr int kNoRoom = -1;

Sex otherSex(Sex sex) { return sex == Sex::Man ? Sex::Woman : Sex::Man; }

// One room walk over the tree positions and the room rows.
class RoomWalker {
public:
    RoomWalker(const std::vector<WalkItem>& items, std::vector<WalkRoom> rooms)
        : items_(items), rooms_(std::move(rooms)), count_(static_cast<int>(items.size()))
    {
        for (const WalkItem& item : items)
            waiting_.push_back(!item.organisation && item.pending);
    }

    RoomWalk run();

private:
    // What the walk keeps for each sex.
    struct ForSex {
        int openRoom = kNoRoom;   // the partly filled room that short runs top up
        int lookFrom = 0;         // below this position the walk no longer looks for the sex
    };
    // A run of delegates of one sex for an empty room, as its scan left it.
    struct Run {
        Sex sex;
        int bedsLeft;             // of the room, when the scan stopped
        bool metOtherSex;         // the scan passed a delegate of the other sex to look for
    };

    ForSex& of(Sex sex) { return forSex_[sex == Sex::Man ? 0 : 1]; }
    bool isNode(int item) const { return item < count_ && items_[item].organisation; }
    bool waitingOf(int item, Sex sex) const { return item < count_ && waiting_[item] && items_[item].sex == sex; }
    // A delegate of `sex` still to place where the walk looks for the sex.
    bool lookedFor(int item, Sex sex) { return waitingOf(item, sex) && item >= of(sex).lookFrom; }
    bool hasFreeBed(int room) const { return rooms_[room].beds > rooms_[room].guests; }
    void place(int item, int room)
    {
        waiting_[item] = false;
        ++rooms_[room].guests;
        walk_.placements.push_back({item, room});
    }
    RoomWalk end(RoomWalkEnd how)
    {
        walk_.end = how;
        return walk_;
    }
    // Scans the run that starts at searchFrom_ for the empty room `row`: up
    // to the room's beds, to the next organisation node or to the end of
    // the tree. The first delegate of the other sex it passes is where the
    // next search starts.
    Run scanRun(int row);
    // Places `run` into the empty room `row` or the open room of its sex;
    // true when all of it went into the open room and `row` is still empty.
    bool placeRun(const Run& run, int row);
    // Where the next run starts after a scan that met nobody of the other
    // sex; false at an end, which `ended` then holds.
    bool findNextRun(RoomWalkEnd& ended);
    // Once the rooms are used up: the delegates from where the last scan
    // stopped into the open rooms of their sex.
    void placeLeftovers();

    const std::vector<WalkItem>& items_;
    std::vector<WalkRoom> rooms_;
    const int count_;
    std::vector<bool> waiting_;   // a pending delegate not placed yet
    ForSex forSex_[2];
    // Where the search for the first delegate of the next run begins. From
    // the first position on, so delegates ahead of the first organisation
    // node make a run of their own.
    int searchFrom_ = 0;
    int scanEnd_ = 0;             // where the last scan stopped
    RoomWalk walk_;
};

RoomWalker::Run RoomWalker::scanRun(int row)
{
    Run run{items_[searchFrom_].sex, rooms_[row].beds, false};
    const Sex other = otherSex(run.sex);
    for (scanEnd_ = searchFrom_; run.bedsLeft > 0 && scanEnd_ < count_ && !isNode(scanEnd_); ++scanEnd_) {
        if (waitingOf(scanEnd_, run.sex)) {
            --run.bedsLeft;
        } else if (!run.metOtherSex && lookedFor(scanEnd_, other)) {
            searchFrom_ = scanEnd_;
            of(other).lookFrom = scanEnd_;
            run.metOtherSex = true;
        }
    }
    return run;
}

bool RoomWalker::placeRun(const Run& run, int row)
{
    bool intoOpen = false, intoRow = false;
    ForSex& sex = of(run.sex);
    for (int item = sex.lookFrom; item < scanEnd_; ++item) {
        if (!waitingOf(item, run.sex))
            continue;
        if (run.bedsLeft == 0 || sex.openRoom == kNoRoom) {
            place(item, row);
            intoRow = true;
            if (run.bedsLeft != 0)
                sex.openRoom = row;
        } else {
            place(item, sex.openRoom);
            intoOpen = true;
            if (!hasFreeBed(sex.openRoom))
                sex.openRoom = kNoRoom;
        }
    }
    sex.lookFrom = std::max(sex.lookFrom, scanEnd_);
    return intoOpen && !intoRow;
}

bool RoomWalker::findNextRun(RoomWalkEnd& ended)
{
    if (isNode(scanEnd_)) {
        searchFrom_ = scanEnd_ + 1;
        ended = RoomWalkEnd::LastOrganisationDone;
        return searchFrom_ < count_;
    }
    int next = scanEnd_;
    while (next < count_ && !lookedFor(next, Sex::Woman) && !lookedFor(next, Sex::Man))
        ++next;
    ended = RoomWalkEnd::NobodyPending;
    if (next >= count_)
        return false;
    searchFrom_ = next;
    of(items_[next].sex).lookFrom = next;
    scanEnd_ = next;
    return true;
}

void RoomWalker::placeLeftovers()
{
    for (int item = scanEnd_; item < count_; ++item) {
        if (!waiting_[item])
            continue;
        const int open = of(items_[item].sex).openRoom;
        if (open != kNoRoom && hasFreeBed(open))
            place(item, open);
    }
}

RoomWalk RoomWalker::run()
{
    const int rows = static_cast<int>(rooms_.size());
    for (int row = 0; row < rows;) {
        const WalkRoom& room = rooms_[row];
        if (!room.ticked || !hasFreeBed(row)) {
            ++row;
            continue;
        }
        if (room.guests != 0) {
            if (room.sex)
                of(*room.sex).openRoom = row;
            ++row;
            continue;
        }
        while (searchFrom_ < count_ && !waiting_[searchFrom_])
            ++searchFrom_;
        if (searchFrom_ >= count_)
            return end(RoomWalkEnd::NobodyLeft);
        const Run run = scanRun(row);
        const bool roomStillEmpty = placeRun(run, row);
        RoomWalkEnd ended;
        if (!run.metOtherSex && !findNextRun(ended))
            return end(ended);
        if (!roomStillEmpty)
            ++row;
    }
    placeLeftovers();
    return end(RoomWalkEnd::RoomsUsedUp);
}

} // namespace

Sex delegateSex(const Text& stored) { return stored == "女" ? Sex::Woman : Sex::Man; }

std::optional<Sex> roomSex(const Text& stored)
{
    if (stored == "男")
        return Sex::Man;
    if (stored == "女")
        return Sex::Woman;
    return std::nullopt;
}

Text sexText(Sex sex) { return sex == Sex::Woman ? "女" : "男"; }

RoomWalk walkRooms(const std::vector<WalkItem>& items, std::vector<WalkRoom> rooms)
{
    return RoomWalker(items, std::move(rooms)).run();
}

TableWalk walkTables(int delegates, std::vector<WalkTable> tables)
{
    TableWalk walk;
    auto table = tables.begin();
    for (int d = 0; d < delegates; ++d) {
        while (table != tables.end() && table->seated >= table->seats)
            ++table;
        if (table == tables.end()) {
            walk.tablesLeft = false;
            break;
        }
        ++table->seated;
        walk.placements.push_back({d, static_cast<int>(table - tables.begin()), table->seated});
    }
    return walk;
}

std::vector<int> walkSeats(std::vector<SeatCell> row, int headerColumns, int column, SeatOrder order,
                           const TextList& queuedDelegates)
{
    std::vector<int> columns;
    const int last = static_cast<int>(row.size());
    for (int i = 1, col = column; i <= static_cast<int>(queuedDelegates.size()); ++i) {
        if (col <= headerColumns || col > last || !row[col - 1].empty)
            break;
        const Text& delegate = queuedDelegates[i - 1];
        for (SeatCell& cell : row)
            if (cell.face == delegate)
                cell = SeatCell{};
        row[col - 1] = {false, delegate};
        columns.push_back(col);
        if (order == SeatOrder::RightFirst)
            col = col > column ? col - i : col + i;
        else if (order == SeatOrder::LeftFirst)
            col = col < column ? col + i : col - i;
        else
            col = column + i;
    }
    return columns;
}
