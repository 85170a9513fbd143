// The room, table and seat walks on plain records.
#include "desk/placement_walks.h"
#include "tests/support/gbk_print.h"

#include <gtest/gtest.h>

namespace {

// A tree written one letter an item: O an organisation node, M and W a
// pending man and woman, m and w a man and woman who take no part.
std::vector<WalkItem> tree(const std::string& letters)
{
    std::vector<WalkItem> items;
    for (char c : letters)
        items.push_back({c == 'O', c == 'M' || c == 'W', c == 'W' || c == 'w' ? Sex::Woman : Sex::Man});
    return items;
}

// A row of the room list with its guests' sex as the room keeps it.
struct Row {
    bool ticked;
    int beds, guests;
    Text sex;
};

std::vector<WalkRoom> walkRoomsOf(const std::vector<Row>& rows)
{
    std::vector<WalkRoom> rooms;
    for (const Row& row : rows)
        rooms.push_back({row.ticked, row.beds, row.guests, roomSex(row.sex)});
    return rooms;
}

// "item>room" per placement, in the order made.
std::string placements(const RoomWalk& walk)
{
    std::string text;
    for (const RoomPlacement& p : walk.placements)
        text += (text.empty() ? "" : " ") + std::to_string(p.item) + ">" + std::to_string(p.room);
    return text;
}

TEST(RoomWalkTest, RunsKeepToOneOrganisationAndOneSexAndTopUpTheOpenRoom)
{
    const Row two{true, 2, 0, "无"}, three{true, 3, 0, "无"};
    struct Case {
        const char* what;
        std::string tree;
        std::vector<Row> rooms;
        std::string placed;
        RoomWalkEnd end;
    } cases[] = {
        // M2 tops up R1; W2 stays out: the leftover pass starts where the last scan stopped.
        {"the worked example", "OMWOMOMWOM", {two, two, three}, "1>0 2>1 4>0 6>2 9>2", RoomWalkEnd::RoomsUsedUp},
        {"a run fills its room, the rest starts the next", "OMMM", {two, two}, "1>0 2>0 3>1",
         RoomWalkEnd::NobodyPending},
        {"the run skips the other sex, who starts the next room", "OMWM", {{true, 4, 0, "无"}, two},
         "1>0 3>0 2>1", RoomWalkEnd::NobodyPending},
        {"the open room is filled up, the rest opens the empty one", "OMM", {{true, 2, 1, "男"}, three},
         "1>0 2>1", RoomWalkEnd::NobodyPending},
        {"a partly filled room of a sex, counted as numbers, is open for it", "OM", {{true, 10, 2, "男"}},
         "1>0", RoomWalkEnd::RoomsUsedUp},
        {"full, unticked and sexless partly filled rooms take no part", "OMM",
         {{true, 2, 2, "男"}, {false, 2, 0, "无"}, {true, 3, 1, "无 "}, two}, "1>3 2>3",
         RoomWalkEnd::NobodyPending},
        {"a scan that stops at a last organisation without delegates", "OMO", {two, two}, "1>0",
         RoomWalkEnd::LastOrganisationDone},
        {"nobody pending", "OmwOm", {two}, "", RoomWalkEnd::NobodyLeft},
        {"no delegates", "", {two}, "", RoomWalkEnd::NobodyLeft},
        {"no rooms", "OMW", {}, "", RoomWalkEnd::RoomsUsedUp},
        // The woman's room keeps its free bed from the men.
        {"one sex left over", "OWMM", {two}, "1>0", RoomWalkEnd::RoomsUsedUp},
        {"more delegates than beds", "OMMMMM", {two, {true, 1, 0, "无"}}, "1>0 2>0 3>1",
         RoomWalkEnd::RoomsUsedUp},
        // Excluded delegates are passed over inside a run.
        {"excluded delegates inside a run", "OMmMwW", {two, two}, "1>0 3>0 5>1", RoomWalkEnd::NobodyPending},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RoomWalk walk = walkRooms(tree(c.tree), walkRoomsOf(c.rooms));
        EXPECT_EQ(placements(walk), c.placed);
        EXPECT_EQ(walk.end, c.end);
    }
}

TEST(RoomWalkTest, ATreeThatStartsWithDelegatesWalksThemAsAnOrganisationsRun)
{
    const Row two{true, 2, 0, "无"};
    struct Case {
        const char* what;
        std::string tree;
        std::string placed;
    } cases[] = {
        // The first two fill room 0 and no more: the third starts room 1.
        {"a run ahead of the first node", "MMMOM", "0>0 1>0 2>1 4>1"},
        {"the first delegate starts the first run", "MWOW", "0>0 1>1 3>1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RoomWalk walk = walkRooms(tree(c.tree), walkRoomsOf({two, two}));
        EXPECT_EQ(placements(walk), c.placed);
        EXPECT_EQ(walk.end, RoomWalkEnd::RoomsUsedUp);
    }
}

TEST(RoomWalkTest, SexesAreReadFromTheirStoredTexts)
{
    for (const char* none : {"无", "无 ", "", "男 ", "男女"})
        EXPECT_EQ(roomSex(none), std::nullopt) << gbkToUtf8(none);
    EXPECT_EQ(roomSex("男"), Sex::Man);
    EXPECT_EQ(roomSex("女"), Sex::Woman);
    EXPECT_EQ(delegateSex("女"), Sex::Woman);
    for (const char* man : {"男", "", "女 ", "无"})
        EXPECT_EQ(delegateSex(man), Sex::Man) << gbkToUtf8(man);
    EXPECT_TEXT_EQ("男", sexText(Sex::Man));
    EXPECT_TEXT_EQ("女", sexText(Sex::Woman));
}

TEST(TableWalkTest, DelegatesFillTheTablesInTheirOrder)
{
    struct Case {
        const char* what;
        int delegates;
        std::vector<WalkTable> tables;
        std::vector<int> perTable;   // placed at each table
        int lastSeated;              // the last placement's count; -1 for none
        bool tablesLeft;
    } cases[] = {
        {"25 delegates at 8 and 10 free seats", 25, {{10, 2}, {10, 0}}, {8, 10}, 10, false},
        {"a full table is passed over", 2, {{4, 4}, {2, 0}}, {0, 2}, 2, true},
        {"the last seat taken by the last delegate", 3, {{3, 0}}, {3}, 3, true},
        {"nobody to seat", 0, {{3, 0}}, {0}, -1, true},
        {"no tables", 1, {}, {}, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TableWalk walk = walkTables(c.delegates, c.tables);
        std::vector<int> perTable(c.tables.size());
        for (size_t i = 0; i < walk.placements.size(); ++i) {
            EXPECT_EQ(walk.placements[i].delegate, static_cast<int>(i));
            ++perTable.at(walk.placements[i].table);
        }
        EXPECT_EQ(perTable, c.perTable);
        EXPECT_EQ(walk.placements.empty() ? -1 : walk.placements.back().seated, c.lastSeated);
        EXPECT_EQ(walk.tablesLeft, c.tablesLeft);
    }
}

TEST(SeatWalkTest, QueuedDelegatesAreSeatedInTheOrderUntilABarrier)
{
    // Columns 1 to 8, column 1 the row labels; "*" an occupied cell, a
    // letter a cell seating that delegate.
    auto row = [](const std::string& cells) {
        std::vector<SeatCell> row;
        for (char c : cells)
            row.push_back({c == '.', c == '.' || c == '*' ? "宋体" : std::string(1, c)});
        return row;
    };
    const TextList five{"A", "B", "C", "D", "E"};
    struct Case {
        const char* what;
        std::string cells;
        int column;
        SeatOrder order;
        TextList queued;
        std::vector<int> columns;
    } cases[] = {
        {"312 from column 5", "*.......", 5, SeatOrder::RightFirst, five, {5, 6, 4, 7, 3}},
        {"213 from column 5", "*.......", 5, SeatOrder::LeftFirst, five, {5, 4, 6, 3, 7}},
        {"left to right stops at the edge", "*.......", 5, SeatOrder::LeftToRight, five, {5, 6, 7, 8}},
        {"312 stops at the row labels", "*.......", 2, SeatOrder::RightFirst, five, {2, 3}},
        {"a batch stops at an occupied seat", "*.....*.", 5, SeatOrder::LeftToRight, five, {5, 6}},
        {"an occupied clicked seat seats nobody", "*...*...", 5, SeatOrder::RightFirst, five, {}},
        {"a click on the row labels seats nobody", "*.......", 1, SeatOrder::LeftToRight, five, {}},
        {"a delegate seated again frees his old seat", "*....A..", 5, SeatOrder::LeftToRight, {"A", "B"}, {5, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(walkSeats(row(c.cells), 1, c.column, c.order, c.queued), c.columns);
    }
}

} // namespace
