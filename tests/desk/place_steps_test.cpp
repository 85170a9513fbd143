// The commit of picks and the deletion of places, called with a database
// and plain records: what each stores and what it gives back.
#include "desk/place_kinds.h"
#include "tests/desk/desk_fixture.h"

#include <map>

namespace {

class PlaceStepsTest : public DeskTest {
protected:
    // Meeting 2's delegate, room and table, which no step of meeting 1 takes.
    PlaceStepsTest()
    {
        ids_["外会甲"] = idOf("select * from 代表信息 where 姓名='外会甲'", "代表id");
        ids_["外201"] = idOf("select * from 房间信息 where 会议编号=2 and 房间编号='201'", "房间id");
        ids_["外1号桌"] = idOf("select * from 餐桌信息 where 会议编号=2 and 餐桌编号='1号桌'", "餐桌id");
    }

    // Meeting 1 anew: M1, M2 and W1 unplaced; P lodged in 203 and seated at
    // 2号桌. Rooms 201 (2 beds), 202 (1 bed), 203 (2 beds, P); tables 1号桌
    // (2 seats) and 2号桌 (1 seat, P). X, 209 and 9号桌 were there and are
    // deleted: their ids name nothing.
    void seed()
    {
        for (const char* table : {"代表信息", "房间信息", "餐桌信息"})
            exec(Text("delete from ") + table + " where 会议编号=1");
        for (const char* name : {"M1", "M2", "P", "X"})
            addDelegate("甲", name, "男", name);
        addDelegate("甲", "W1", "女", "W1");
        exec("update 代表信息 set 宾馆名称='宾馆',房间编号='203',餐厅名称='大厅',餐桌编号='2号桌' where 姓名='P'");
        for (auto [number, beds, guests, sex] : {std::tuple{"201", 2, 0, "无"}, {"202", 1, 0, "无"},
                                                 {"203", 2, 1, "男"}, {"209", 2, 0, "无"}})
            addRoom("宾馆", number, beds, guests, sex);
        for (auto [number, seats, seated] : {std::tuple{"1号桌", 2, 0}, {"2号桌", 1, 1}, {"9号桌", 2, 0}})
            exec(Text("insert  into 餐桌信息 (餐厅名称,餐桌编号,可坐人数,已坐人数,会议编号) values ('大厅','") + number
                 + "'," + toText(seats) + "," + toText(seated) + ",1)");
        for (const char* name : {"M1", "M2", "P", "X", "W1"})
            ids_[name] = idOf(Text("select * from 代表信息 where 姓名='") + name + "'", "代表id");
        for (const char* number : {"201", "202", "203", "209"})
            ids_[number] = idOf(Text("select * from 房间信息 where 会议编号=1 and 房间编号='") + number + "'", "房间id");
        for (const char* number : {"1号桌", "2号桌", "9号桌"})
            ids_[number] = idOf(Text("select * from 餐桌信息 where 会议编号=1 and 餐桌编号='") + number + "'", "餐桌id");
        exec("delete from 代表信息 where 姓名='X'");
        exec("delete from 房间信息 where 会议编号=1 and 房间编号='209'");
        exec("delete from 餐桌信息 where 会议编号=1 and 餐桌编号='9号桌'");
    }
    // "who>where" picks, each shown as it is written.
    std::vector<PlacePick> picks(const TextList& written)
    {
        std::vector<PlacePick> all;
        for (const Text& pick : written) {
            const int arrow = findText(pick, ">");
            all.push_back({ids_.at(leftText(pick, arrow - 1)), ids_.at(midText(pick, arrow + 1, textLength(pick))), pick});
        }
        return all;
    }
    TextList lines(const std::vector<GivenBack>& givenBack) { return givenBackLines(givenBack); }
    // Each delegate of meeting 1 with room and table, each place with its count (and sex).
    TextList placed()
    {
        TextList all = rows("select * from 代表信息 where 会议编号=1 order by 代表编号", {"姓名", "房间编号", "餐桌编号"});
        for (const Text& room : rows("select * from 房间信息 where 会议编号=1 order by 房间编号", {"房间编号", "已住人数", "性别"}))
            all.push_back(room);
        for (const Text& table : rows("select * from 餐桌信息 where 会议编号=1 order by 餐桌编号", {"餐桌编号", "已坐人数"}))
            all.push_back(table);
        return all;
    }
    // What placed() gives for the seed with `changes` ("M1|201|0" for a
    // delegate, "201|1|男" for a place) put over its lines.
    static TextList seededWith(const TextList& changes)
    {
        return withChanges({"M1|0|0", "M2|0|0", "P|203|2号桌", "W1|0|0", "201|0|无", "202|0|无", "203|1|男", "1号桌|0",
                            "2号桌|1"},
                           changes);
    }

    std::map<Text, int> ids_;
};

TEST_F(PlaceStepsTest, APickIsStoredWhenWhatIsStoredTakesItAndGivenBackWithItsReasonOtherwise)
{
    struct Case {
        const char* what;
        const PlaceKind& kind;
        TextList picks, givenBack, changed;
    } cases[] = {
        {"picks counted on what is stored", kRoomPlaces, {"M1>201", "M2>201", "W1>202"}, {},
         {"M1|201|0", "M2|201|0", "W1|202|0", "201|2|男", "202|1|女"}},
        {"a delegate placed by an earlier pick", kRoomPlaces, {"M1>201", "M1>202"}, {"M1>202：代表已分配了房间"},
         {"M1|201|0", "201|1|男"}},
        {"a room filled by an earlier pick", kRoomPlaces, {"M1>202", "M2>202"}, {"M2>202：房间已住满"},
         {"M1|202|0", "202|1|男"}},
        {"guests of the other sex", kRoomPlaces, {"W1>203"}, {"W1>203：房客性别不对"}, {}},
        {"a delegate lodged before", kRoomPlaces, {"P>201"}, {"P>201：代表已分配了房间"}, {}},
        {"a deleted delegate and one of another meeting", kRoomPlaces, {"X>201", "外会甲>201", "M1>201"},
         {"X>201：代表已被删除", "外会甲>201：代表已被删除"}, {"M1|201|0", "201|1|男"}},
        {"a deleted room and one of another meeting", kRoomPlaces, {"M1>209", "M1>外201"},
         {"M1>209：房间已被删除", "M1>外201：房间已被删除"}, {}},
        {"tables take either sex up to their seats", kTablePlaces, {"W1>1号桌", "M1>1号桌", "M2>1号桌"},
         {"M2>1号桌：餐桌已坐满"}, {"W1|0|1号桌", "M1|0|1号桌", "1号桌|2"}},
        {"a table full as stored, a deleted one and one of another meeting", kTablePlaces,
         {"M1>2号桌", "M1>9号桌", "M2>外1号桌"}, {"M1>2号桌：餐桌已坐满", "M1>9号桌：餐桌已被删除", "M2>外1号桌：餐桌已被删除"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        seed();
        const PickCommit commit = commitPicks(db, c.kind, 1, picks(c.picks));
        EXPECT_TRUE(commit.stored);
        EXPECT_EQ(lines(commit.givenBack), c.givenBack);
        EXPECT_EQ(placed(), seededWith(c.changed));
        EXPECT_EQ(countFaults(), TextList{});
    }
}

TEST_F(PlaceStepsTest, APickCommitRefusedHalfwayKeepsNone)
{
    seed();
    refuse("update", "房间信息", "new.已住人数=2");
    const PickCommit commit = commitPicks(db, kRoomPlaces, 1, picks({"M1>201", "W1>202", "M2>201"}));
    EXPECT_FALSE(commit.stored);
    EXPECT_EQ(placed(), seededWith({}));
}

TEST_F(PlaceStepsTest, ADeletedPlaceTakesExactlyItsStoredGuestsAndAGoneOneIsGivenBack)
{
    struct Case {
        const char* what;
        const PlaceKind& kind;
        TextList places;   // by number or key
        bool madeAgain;    // 203 deleted and made again, with P lodged in the new one
        TextList givenBack, changed;
        int deleted, released;
    } cases[] = {
        {"rooms with and without guests", kRoomPlaces, {"201", "203"}, false, {},
         {"P|0|2号桌", "201|", "203|"}, 2, 1},
        {"a room deleted before and one of another meeting", kRoomPlaces, {"209", "外201", "202"}, false,
         {"209：房间已被删除", "外201：房间已被删除"}, {"202|"}, 1, 0},
        {"a room made again with the number of the one shown", kRoomPlaces, {"203"}, true,
         {"203：房间已被删除"}, {}, 0, 0},
        {"a table with its diner, a deleted one", kTablePlaces, {"2号桌", "9号桌"}, false,
         {"9号桌：餐桌已被删除"}, {"P|203|0", "2号桌|"}, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        seed();
        if (c.madeAgain) {
            exec("delete from 房间信息 where 房间id=" + toText(ids_.at("203")));
            addRoom("宾馆", "203", 2, 1, "男");
        }
        std::vector<ShownPlace> places;
        for (const Text& place : c.places)
            places.push_back({ids_.at(place), place});
        const PlaceDeletion deletion = deletePlaces(db, c.kind, 1, places);
        EXPECT_TRUE(deletion.stored);
        EXPECT_EQ(lines(deletion.givenBack), c.givenBack);
        EXPECT_EQ(deletion.deleted, c.deleted);
        EXPECT_EQ(deletion.released, c.released);
        // A deleted place's line is gone: "201|" stands for none.
        TextList expected;
        for (const Text& line : seededWith(c.changed))
            if (rightText(line, 1) != "|")
                expected.push_back(line);
        EXPECT_EQ(placed(), expected);
        EXPECT_EQ(countFaults(), TextList{});
    }
}

TEST_F(PlaceStepsTest, ADeletionRefusedHalfwayKeepsNone)
{
    seed();
    refuse("delete", "房间信息", "old.房间编号='203'");
    const PlaceDeletion deletion =
        deletePlaces(db, kRoomPlaces, 1, {{ids_.at("201"), "201"}, {ids_.at("203"), "203"}});
    EXPECT_FALSE(deletion.stored);
    EXPECT_EQ(placed(), seededWith({}));
}

} // namespace
