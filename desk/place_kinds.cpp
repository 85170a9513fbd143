#include "desk/place_kinds.h"
#include "state/globals.h"
#include "desk/main_window.h"
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

// A pick's delegate and place as the database holds them.
struct StoredPick {
    bool delegateThere = false, placed = false, placeThere = false;
    Text sex, name, number, guestsSex;
    int count = 0, free = 0;
};

// False when a query fails.
bool readPick(ExternalDatabase& database, const PlaceKind& kind, const Text& delegateId, const Text& placeId,
              StoredPick& pick)
{
    return readOne(database, "select * from 代表信息 where 代表id=" + delegateId + " and 会议编号=" + currentMeetingText(),
                   [&](int rs) {
                       pick.delegateThere = true;
                       pick.placed = readField(rs, kind.number).text() != "0";
                       pick.sex = readField(rs, "性别").text() == "女" ? "女" : "男";
                   })
        && readOne(database, Text("select * from ") + kind.table + " where " + kind.id + "=" + placeId
                                 + " and 会议编号=" + currentMeetingText(),
                   [&](int rs) {
                       pick.placeThere = true;
                       pick.name = readField(rs, kind.name).text();
                       pick.number = readField(rs, kind.number).text();
                       pick.count = readField(rs, kind.count).number();
                       pick.free = readField(rs, kind.capacity).number() - pick.count;
                       pick.guestsSex = readField(rs, "性别").text();
                   });
}

// Why the pick cannot be stored; "" when it can.
Text whyGivenBack(const PlaceKind& kind, const StoredPick& pick)
{
    const bool otherSex = kind.oneSex && pick.count > 0 && (pick.guestsSex == "男" || pick.guestsSex == "女")
                       && pick.guestsSex != pick.sex;
    return !pick.delegateThere ? Text("代表已被删除")
         : pick.placed         ? "代表已分配了" + Text(kind.noun)
         : !pick.placeThere    ? kind.noun + Text("已被删除")
         : pick.free <= 0      ? Text(kind.full)
         : otherSex            ? Text("房客性别不对")
                               : Text();
}

} // namespace

bool commitPicks(ExternalDatabase& database, ListView& pending, const PlaceKind& kind, TextList& givenBack)
{
    Transaction unit(database);
    bool read = true;
    for (int row = 0; read && row < listRowCount(pending); ++row) {
        const Text delegateId = toText(listRowImage(pending, row)), placeId = toText(listRowValue(pending, row));
        StoredPick pick;
        read = readPick(database, kind, delegateId, placeId, pick);
        const Text why = whyGivenBack(kind, pick);
        if (!read || !why.empty()) {
            if (read)
                givenBack.push_back(listCellText(pending, row, 0) + "（" + listCellText(pending, row, 1)
                                    + listCellText(pending, row, 2) + kind.shownAfterNumber + "）：" + why);
            continue;
        }
        // The stored place gains one; the count the row carries was taken
        // from a list that may be out of date.
        execSql(database, Text("update 代表信息 set ") + kind.name + " ='" + sqlText(pick.name) + "'," + kind.number
                              + "='" + sqlText(pick.number) + "'  where  代表id=" + delegateId);
        execSql(database, Text("update ") + kind.table + " set " + kind.count + " =" + kind.count + "+1"
                              + (kind.oneSex ? ",性别='" + pick.sex + "'" : Text()) + "  where  " + kind.id + "="
                              + placeId);
    }
    clearListRows(pending);
    return read && unit.commit();
}

void tellGivenBack(const TextList& givenBack)
{
    if (givenBack.empty())
        return;
    Text text = "下列分配未能保存，已经退回：";
    for (const Text& line : givenBack)
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
    TextList givenBack;
    const bool written = commitPicks(外部数据库1, pending, kind, givenBack);
    树型框1.setCurrentItem(-1);
    currentDelegateId = 0;
    places.setCurrentRow(-1);
    (this->*refresh)();
    if (!written)
        messageBox("分配失败！", BoxOk, "失败了");
    else
        tellGivenBack(givenBack);
}
