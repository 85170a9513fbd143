#include "desk/place_kinds.h"
#include "state/globals.h"
#include "desk/main_window.h"
#include "desk/placement_walks.h"
#include "common/runtime.h"

#include <functional>

const PlaceKind kRoomPlaces{"房间信息", "房间id", "房间人数", "已住人数", "宾馆名称", "房间编号",
                            true, "房间", "房间", "房间已住满"};
const PlaceKind kTablePlaces{"餐桌信息", "餐桌id", "可坐人数", "已坐人数", "餐厅名称", "餐桌编号",
                             false, "餐桌", "", "餐桌已坐满"};

namespace {

// The one row of `sql`, read into `found`; false when the query fails.
bool readOne(ExternalDatabase& database, const Text& sql, const std::function<void(int)>& found)
{
    const int rs = querySql(database, sql);
    if (rs == 0)
        return false;
    recordMoveFirst(rs);
    if (!recordSetAtEnd(rs))
        found(rs);
    closeRecordSet(rs);
    return true;
}

// A place of the meeting as the database holds it.
struct StoredPlace {
    bool there = false;
    Text name, number;
    std::optional<Sex> guestsSex;   // rooms only
    int count = 0, free = 0;
};

// False when the query fails.
bool readPlace(ExternalDatabase& database, const PlaceKind& kind, const Text& meeting, int id, StoredPlace& place)
{
    return readOne(database, Text("select * from ") + kind.table + " where " + kind.id + "=" + toText(id)
                                 + " and 会议编号=" + meeting,
                   [&](int rs) {
                       place.there = true;
                       place.name = readField(rs, kind.name).text();
                       place.number = readField(rs, kind.number).text();
                       place.count = readField(rs, kind.count).number();
                       place.free = readField(rs, kind.capacity).number() - place.count;
                       place.guestsSex = kind.oneSex ? roomSex(readField(rs, "性别").text()) : std::nullopt;
                   });
}

// A pick's delegate and place as the database holds them.
struct StoredPick {
    bool delegateThere = false, placed = false;
    Sex sex = Sex::Man;
    StoredPlace place;
};

// False when a query fails.
bool readPick(ExternalDatabase& database, const PlaceKind& kind, const Text& meeting, const PlacePick& p,
              StoredPick& pick)
{
    return readOne(database, "select * from 代表信息 where 代表id=" + toText(p.delegate) + " and 会议编号=" + meeting,
                   [&](int rs) {
                       pick.delegateThere = true;
                       pick.placed = readField(rs, kind.number).text() != "0";
                       pick.sex = delegateSex(readField(rs, "性别").text());
                   })
        && readPlace(database, kind, meeting, p.place, pick.place);
}

Text goneReason(const PlaceKind& kind) { return kind.noun + Text("已被删除"); }

// Why the pick cannot be stored; "" when it can.
Text whyGivenBack(const PlaceKind& kind, const StoredPick& pick)
{
    const StoredPlace& place = pick.place;
    const bool otherSex = kind.oneSex && place.count > 0 && place.guestsSex && *place.guestsSex != pick.sex;
    return !pick.delegateThere ? Text("代表已被删除")
         : pick.placed         ? "代表已分配了" + Text(kind.noun)
         : !place.there        ? goneReason(kind)
         : place.free <= 0     ? Text(kind.full)
         : otherSex            ? Text("房客性别不对")
                               : Text();
}

// Runs `step` for each record, in order, as one unit; a step gives false
// when a read fails, which ends the unit unkept. True when it is kept.
template <class Record, class Step>
bool eachInOneUnit(ExternalDatabase& database, const std::vector<Record>& records, Step step)
{
    Transaction unit(database);
    for (const Record& record : records)
        if (!step(record))
            return false;
    return unit.commit();
}

} // namespace

Text shownPlace(const PlaceKind& kind, const Text& name, const Text& number)
{
    return name + number + kind.shownAfterNumber;
}

TextList givenBackLines(const std::vector<GivenBack>& givenBack)
{
    TextList lines;
    for (const GivenBack& g : givenBack)
        lines.push_back(g.shown + "：" + g.why);
    return lines;
}

PickCommit commitPicks(ExternalDatabase& database, const PlaceKind& kind, int meeting,
                       const std::vector<PlacePick>& picks)
{
    const Text m = toText(meeting);
    PickCommit result;
    result.stored = eachInOneUnit(database, picks, [&](const PlacePick& p) {
        StoredPick pick;
        if (!readPick(database, kind, m, p, pick))
            return false;
        if (const Text why = whyGivenBack(kind, pick); !why.empty()) {
            result.givenBack.push_back({p.shown, why});
            return true;
        }
        // The stored place gains one; the count the list carried may be
        // out of date.
        execSql(database, Text("update 代表信息 set ") + kind.name + " ='" + sqlText(pick.place.name) + "',"
                              + kind.number + "='" + sqlText(pick.place.number) + "'  where  代表id="
                              + toText(p.delegate));
        execSql(database, Text("update ") + kind.table + " set " + kind.count + " =" + kind.count + "+1"
                              + (kind.oneSex ? ",性别='" + sexText(pick.sex) + "'" : Text()) + "  where  " + kind.id + "="
                              + toText(p.place));
        return true;
    });
    return result;
}

std::vector<PlacePick> pendingPicks(const ListView& pending, const PlaceKind& kind)
{
    std::vector<PlacePick> picks;
    for (int row = 0; row < listRowCount(pending); ++row)
        picks.push_back({listRowImage(pending, row), listRowValue(pending, row),
                         listCellText(pending, row, 0) + "（"
                             + shownPlace(kind, listCellText(pending, row, 1), listCellText(pending, row, 2)) + "）"});
    return picks;
}

PlaceDeletion deletePlaces(ExternalDatabase& database, const PlaceKind& kind, int meeting,
                           const std::vector<ShownPlace>& places)
{
    const Text m = toText(meeting);
    PlaceDeletion result;
    result.stored = eachInOneUnit(database, places, [&](const ShownPlace& p) {
        StoredPlace place;
        if (!readPlace(database, kind, m, p.id, place))
            return false;
        if (!place.there) {
            result.givenBack.push_back({p.shown, goneReason(kind)});
            return true;
        }
        // Every guest leaves with the place, whatever its count says.
        execSql(database, Text("update 代表信息 set ") + kind.name + " =' '," + kind.number + "='0'   where  "
                              + kind.name + " ='" + sqlText(place.name) + "' and " + kind.number + "='"
                              + sqlText(place.number) + "'  and  会议编号=" + m);
        result.released += changedRowCount(database);
        execSql(database, Text("delete  from ") + kind.table + " where " + kind.id + "=" + toText(p.id));
        ++result.deleted;
        return true;
    });
    return result;
}

void tellGivenBack(const TextList& lines, const Text& heading)
{
    if (lines.empty())
        return;
    Text text = heading;
    for (const Text& line : lines)
        text += "\r\n" + line;
    messageBox(text, BoxOk, "注意");
}

void MainWindow::clearAllPlaces(const PlaceKind& kind, void (MainWindow::*refresh)())
{
    if (messageBox("真的要清空并重新分配所有" + Text(kind.noun) + "吗？\r\n清空的信息将不能恢复！",
                   BoxOkCancel | IconExclamation, "警告") != AnswerOk)
        return;
    Transaction unit(外部数据库1);
    execSql(外部数据库1, Text("update ") + kind.table + " set " + kind.count + " =0" + (kind.oneSex ? ",性别='无 '" : "")
                             + "  where  会议编号=" + currentMeetingText());
    execSql(外部数据库1, Text("update 代表信息 set ") + kind.name + " =' '," + kind.number + "='0'  where  会议编号="
                             + currentMeetingText());
    if (!unit.commit()) {
        messageBox("清空失败！", BoxOk, "失败了");
        return;
    }
    (this->*refresh)();
    messageBox("清空成功执行！", BoxOk, "恭喜");
}

void MainWindow::confirmPicks(ListView& pending, ListView& places, const PlaceKind& kind, void (MainWindow::*refresh)())
{
    const PickCommit commit = commitPicks(外部数据库1, kind, currentMeetingId, pendingPicks(pending, kind));
    clearListRows(pending);
    树型框1.setCurrentItem(-1);
    currentDelegateId = 0;
    places.setCurrentRow(-1);
    (this->*refresh)();
    if (!commit.stored)
        messageBox("分配失败！", BoxOk, "失败了");
    else
        tellGivenBack(givenBackLines(commit.givenBack));
}
