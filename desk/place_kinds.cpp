#include "desk/place_kinds.h"
#include "app/state/globals.h"
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

} // namespace

bool commitPicks(ExternalDatabase& database, ListView& pending, const PlaceKind& kind, TextList& givenBack)
{
    Transaction unit(database);
    bool read = true;
    for (int row = 0; read && row < listRowCount(pending); ++row) {
        const Text delegateId = toText(listRowImage(pending, row)), placeId = toText(listRowValue(pending, row));
        bool delegateThere = false, placeThere = false, placed = false;
        Text sex, name, number, guestsSex;
        int free = 0, count = 0;
        read = readOne(database, "select * from 代表信息 where 代表id=" + delegateId + " and 会议编号=" + currentMeetingText(),
                       [&](int rs) {
                           delegateThere = true;
                           placed = readField(rs, kind.number).text() != "0";
                           sex = readField(rs, "性别").text() == "女" ? "女" : "男";
                       })
            && readOne(database, Text("select * from ") + kind.table + " where " + kind.id + "=" + placeId
                                     + " and 会议编号=" + currentMeetingText(),
                       [&](int rs) {
                           placeThere = true;
                           name = readField(rs, kind.name).text();
                           number = readField(rs, kind.number).text();
                           count = readField(rs, kind.count).number();
                           free = readField(rs, kind.capacity).number() - count;
                           guestsSex = readField(rs, "性别").text();
                       });
        const bool otherSex = kind.oneSex && count > 0 && (guestsSex == "男" || guestsSex == "女") && guestsSex != sex;
        const Text why = !delegateThere ? Text("代表已被删除")
                       : placed         ? "代表已分配了" + Text(kind.noun)
                       : !placeThere    ? kind.noun + Text("已被删除")
                       : free <= 0      ? Text(kind.full)
                       : otherSex       ? Text("房客性别不对")
                                        : Text();
        if (!read)
            break;
        if (!why.empty()) {
            givenBack.push_back(listCellText(pending, row, 0) + "（" + listCellText(pending, row, 1)
                                + listCellText(pending, row, 2) + kind.shownAfterNumber + "）：" + why);
            continue;
        }
        // The stored place gains one; the count the row carries was taken
        // from a list that may be out of date.
        execSql(database, Text("update 代表信息 set ") + kind.name + " ='" + sqlText(name) + "'," + kind.number + "='"
                              + sqlText(number) + "'  where  代表id=" + delegateId);
        execSql(database, Text("update ") + kind.table + " set " + kind.count + " =" + kind.count + "+1"
                              + (kind.oneSex ? ",性别='" + sex + "'" : Text()) + "  where  " + kind.id + "=" + placeId);
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
