#include "desk/placement_walks.h"

#include <algorithm>

namespace {

Sex otherSex(Sex sex) { return sex == Sex::Man ? Sex::Woman : Sex::Man; }
int index(Sex sex) { return sex == Sex::Man ? 0 : 1; }

// The state of one room walk over the tree positions.
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
    bool isNode(int k) const { return k < count_ && items_[k].organisation; }
    bool waitingOf(int k, Sex sex) const { return k < count_ && waiting_[k] && items_[k].sex == sex; }
    bool hasFreeBed(int room) const { return rooms_[room].beds > rooms_[room].guests; }
    void place(int k, int room)
    {
        waiting_[k] = false;
        ++rooms_[room].guests;
        walk_.placements.push_back({k, room});
    }
    RoomWalk end(RoomWalkEnd how)
    {
        walk_.end = how;
        return walk_;
    }
    // Places the run of `sex` that the scan ended before position j; true
    // when all of it went into the open room and room r is still empty.
    bool placeRun(Sex sex, int r, int remaining, int j);
    // Where the next run starts after a scan that met nobody of the other
    // sex; false at an end, which `ended` then holds.
    bool nextRun(int& t, int& j, RoomWalkEnd& ended);

    const std::vector<WalkItem>& items_;
    std::vector<WalkRoom> rooms_;
    const int count_;
    std::vector<bool> waiting_;
    int openRoom_[2] = {-1, -1};
    // Below a sex's cursor the walk no longer looks for delegates of it.
    int cursor_[2] = {0, 0};
    RoomWalk walk_;
};

bool RoomWalker::placeRun(Sex sex, int r, int remaining, int j)
{
    bool intoOpen = false, intoRow = false;
    int& open = openRoom_[index(sex)];
    for (int k = cursor_[index(sex)]; k < j; ++k) {
        if (!waitingOf(k, sex))
            continue;
        if (remaining == 0 || open < 0) {
            place(k, r);
            intoRow = true;
            if (remaining != 0)
                open = r;
        } else {
            place(k, open);
            intoOpen = true;
            if (!hasFreeBed(open))
                open = -1;
        }
    }
    cursor_[index(sex)] = std::max(cursor_[index(sex)], j);
    return intoOpen && !intoRow;
}

bool RoomWalker::nextRun(int& t, int& j, RoomWalkEnd& ended)
{
    if (j < count_ && isNode(j)) {
        t = j + 1;
        ended = RoomWalkEnd::LastOrganisationDone;
        return t < count_;
    }
    int p = j;
    while (p < count_ && !(waitingOf(p, Sex::Woman) && p >= cursor_[1]) && !(waitingOf(p, Sex::Man) && p >= cursor_[0]))
        ++p;
    ended = RoomWalkEnd::NobodyPending;
    if (p >= count_)
        return false;
    t = p;
    cursor_[index(items_[p].sex)] = p;
    j = p;
    return true;
}

RoomWalk RoomWalker::run()
{
    const int rows = static_cast<int>(rooms_.size());
    int t = 1, j = 0;
    for (int r = 0; r < rows;) {
        if (!rooms_[r].ticked || !hasFreeBed(r)) {
            ++r;
            continue;
        }
        if (rooms_[r].guests != 0) {
            if (rooms_[r].sex == "男")
                openRoom_[0] = r;
            else if (rooms_[r].sex == "女")
                openRoom_[1] = r;
            ++r;
            continue;
        }
        while (t < count_ && !waiting_[t])
            ++t;
        if (t >= count_)
            return end(RoomWalkEnd::NobodyLeft);

        // The run from t: delegates of its sex up to the room's beds, to the
        // next organisation or to the end. The first pending delegate of the
        // other sex it passes starts the next search.
        const Sex sex = items_[t].sex, other = otherSex(sex);
        int remaining = rooms_[r].beds;
        bool metOther = false;
        for (j = t; remaining > 0 && j < count_ && !isNode(j); ++j) {
            if (waitingOf(j, sex)) {
                --remaining;
            } else if (waitingOf(j, other) && j >= cursor_[index(other)] && !metOther) {
                t = j;
                cursor_[index(other)] = j;
                metOther = true;
            }
        }
        const bool roomStillEmpty = placeRun(sex, r, remaining, j);
        RoomWalkEnd ended;
        if (!metOther && !nextRun(t, j, ended))
            return end(ended);
        if (!roomStillEmpty)
            ++r;
    }
    for (int k = j; k < count_; ++k) {
        if (!waiting_[k])
            continue;
        const int open = openRoom_[index(items_[k].sex)];
        if (open >= 0 && hasFreeBed(open))
            place(k, open);
    }
    return end(RoomWalkEnd::RoomsUsedUp);
}

} // namespace

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
