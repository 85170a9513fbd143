// The automatic room assignment: the pending delegates of the tree go into
// the ticked rooms by runs of one organisation and one sex.
#include "desk/main_window.h"
#include "state/globals.h"
#include "desk/place_kinds.h"
#include "desk/placement_walks.h"

#include <optional>
#include <unordered_map>

namespace {

constexpr int kConsumedImage = 0;

struct StoredRoom {
    Text hotel, number;
    int beds, guests;
    std::optional<Sex> sex;
    Text shownSex;   // as stored, for the room list
};

struct StoredDelegate {
    Sex sex;
    bool lodged;
};

// What one run found stored, with its own placements, and what it did.
struct RoomRun {
    std::unordered_map<int, StoredRoom> rooms;           // by 房间id
    std::unordered_map<int, StoredDelegate> delegates;   // by 代表id
    std::vector<GivenBack> givenBack;          // picks before the run not written
    RoomWalkEnd end = RoomWalkEnd::RoomsUsedUp;
};

Text endMessage(RoomWalkEnd end)
{
    switch (end) {
    case RoomWalkEnd::NobodyLeft: return "代表分配完毕";
    case RoomWalkEnd::LastOrganisationDone: return "代表分配完毕，请查看‘客房报表’";
    case RoomWalkEnd::NobodyPending: return "代表分配完毕,请查看‘客房报表’";
    case RoomWalkEnd::RoomsUsedUp: break;
    }
    return "房间不够分配";
}

// The meeting's rooms and delegates as stored; false when a query fails.
bool readStored(ExternalDatabase& database, RoomRun& run)
{
    const int rooms = querySql(database, "select * from 房间信息 where 会议编号=" + currentMeetingText());
    for (recordMoveFirst(rooms); !recordSetAtEnd(rooms); recordMoveNext(rooms)) {
        const Text sex = readField(rooms, "性别").text();
        run.rooms[readField(rooms, "房间id").number()] = {readField(rooms, "宾馆名称").text(),
                                                        readField(rooms, "房间编号").text(),
                                                        readField(rooms, "房间人数").number(),
                                                        readField(rooms, "已住人数").number(), roomSex(sex), sex};
    }
    closeRecordSet(rooms);
    const int delegates = querySql(database, "select * from 代表信息 where 会议编号=" + currentMeetingText());
    for (recordMoveFirst(delegates); !recordSetAtEnd(delegates); recordMoveNext(delegates))
        run.delegates[readField(delegates, "代表id").number()] = {delegateSex(readField(delegates, "性别").text()),
                                                                 readField(delegates, "房间编号").text() != "0"};
    closeRecordSet(delegates);
    return rooms != 0 && delegates != 0;
}

// The picks before the run, then the walk over the tree and the ticked
// rooms as stored, written as one unit that is taken before anything is
// read: who was lodged meanwhile and beds taken meanwhile take no part.
// False when the unit is not kept.
bool runWalk(MainWindow& w, RoomRun& run)
{
    Transaction unit(w.外部数据库1);
    PickCommit picks =
        commitPicks(w.外部数据库1, kRoomPlaces, currentMeetingId, pendingPicks(w.超级列表框2, kRoomPlaces));
    clearListRows(w.超级列表框2);
    run.givenBack = std::move(picks.givenBack);
    if (!picks.stored || !readStored(w.外部数据库1, run))
        return false;
    // The walk's items and rooms, with the stored records behind them.
    std::vector<WalkItem> items;
    std::vector<std::pair<int, StoredDelegate*>> delegates;   // 代表id, record
    for (int k = 0; k < treeItemCount(w.树型框1); ++k) {
        const int id = treeItemValue(w.树型框1, k);
        const auto stored = id == 0 ? run.delegates.end() : run.delegates.find(id);
        const bool there = stored != run.delegates.end();
        items.push_back({treeItemHasChildren(w.树型框1, k) != 0, there && !stored->second.lodged,
                         there ? stored->second.sex : Sex::Man});
        delegates.push_back({id, there ? &stored->second : nullptr});
    }
    std::vector<WalkRoom> rooms;
    std::vector<std::pair<int, StoredRoom*>> stored;   // 房间id, record
    for (int row = 0; row < listRowCount(w.超级列表框1); ++row) {
        const int id = listRowValue(w.超级列表框1, row);
        const auto room = run.rooms.find(id);
        if (room == run.rooms.end())
            rooms.push_back({false, 0, 0, std::nullopt});
        else
            rooms.push_back({listRowChecked(w.超级列表框1, row), room->second.beds, room->second.guests,
                             room->second.sex});
        stored.push_back({id, room == run.rooms.end() ? nullptr : &room->second});
    }
    const RoomWalk walk = walkRooms(items, rooms);
    run.end = walk.end;
    for (const RoomPlacement& p : walk.placements) {
        const auto [delegate, lodger] = delegates[static_cast<size_t>(p.item)];
        const auto [roomId, room] = stored[static_cast<size_t>(p.room)];
        const Sex sex = items[static_cast<size_t>(p.item)].sex;
        room->sex = sex;
        room->shownSex = sexText(sex);
        ++room->guests;
        lodger->lodged = true;
        execSql(w.外部数据库1, "update 代表信息 set  宾馆名称 ='" + sqlText(room->hotel) + "',房间编号='"
                                   + sqlText(room->number) + "'  where  代表id=" + toText(delegate));
        execSql(w.外部数据库1, "update 房间信息 set 已住人数 =已住人数+1,性别='" + sexText(sex) + "'  where  房间id="
                                   + toText(roomId));
    }
    return unit.commit();
}

// The tree and the room list as the run left the database: lodged
// delegates marked placed, deleted ones consumed, rooms with their stored
// guests, deleted rooms gone. Exclusion marks and ticks stay.
void showStored(MainWindow& w, const RoomRun& run)
{
    for (int k = 0; k < treeItemCount(w.树型框1); ++k) {
        const int value = treeItemValue(w.树型框1, k);
        if (value == 0 || treeItemHasChildren(w.树型框1, k) != 0)
            continue;
        const auto stored = run.delegates.find(value);
        if (stored == run.delegates.end())
            w.consumeTreeItem(k, kConsumedImage);
        else if (stored->second.lodged)
            w.consumeTreeItem(k, treeItemImage(w.树型框1, k) + 3);
    }
    for (int row = listRowCount(w.超级列表框1) - 1; row >= 0; --row) {
        const auto stored = run.rooms.find(listRowValue(w.超级列表框1, row));
        if (stored == run.rooms.end()) {
            deleteListRow(w.超级列表框1, row);
            continue;
        }
        setListCellText(w.超级列表框1, row, 4, toText(stored->second.guests));
        setListCellText(w.超级列表框1, row, 5, stored->second.shownSex);
    }
}

} // namespace

void MainWindow::onDelegateTreeRightButton()
{
    const int item = 树型框1.currentItem();
    if (treeItemValue(树型框1, item) == 0)
        return;
    consumeTreeItem(item, treeItemImage(树型框1, item) + 5);
}

void MainWindow::autoAssignRooms()
{
    LongOperation bracket;
    分组框9.setVisible(false);
    超级列表框2.setVisible(true);
    if (messageBox("请先按‘刷新待分’按钮刷新，然后标记不参加本次自动分配的代表（在代表名字上依次按鼠标左右键）\r\n"
                   "和房间（去掉房间前的勾）。\r\n未准备好请按取消！",
                   BoxOkCancel | IconExclamation, "警告") != AnswerOk)
        return;
    bool anyTicked = false;
    for (int row = 0; row < listRowCount(超级列表框1); ++row)
        anyTicked = anyTicked || listRowChecked(超级列表框1, row);
    if (!anyTicked) {
        messageBox("请先选中待分配的房间项！", BoxOk, "注意");
        return;
    }
    RoomRun run;
    const bool kept = runWalk(*this, run);
    endLongOperation();
    if (!kept) {
        onRefreshUnassignedClick();
        messageBox("自动分配失败！", BoxOk, "");
        return;
    }
    showStored(*this, run);
    tellGivenBack(givenBackLines(run.givenBack));
    messageBox(endMessage(run.end), BoxOk, "");
    if (run.end != RoomWalkEnd::NobodyLeft)
        onRefreshUnassignedClick();
}
