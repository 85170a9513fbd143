#include "desk/delegate_saves.h"
#include "desk/place_kinds.h"

namespace {

Text storingStatement(const DelegateEntry& e, const Text& meeting)
{
    const Text name = sqlText(e.name), unit = sqlText(e.unit), post = sqlText(e.post), mobile = sqlText(e.mobile),
               office = sqlText(e.office), number = sqlText(e.number);
    if (e.id == 0) {
        const Text values = "'" + name + "','" + unit + "','" + e.sex + "','" + post + "','" + mobile + "','" + office
                          + "','" + number + "'," + meeting;
        return e.photo.empty()
                 ? "insert  into 代表信息 (姓名,单位,性别,职务,手机号码,办公电话,代表编号,会议编号) values (" + values + ")"
                 : "insert  into 代表信息 (姓名,单位,性别,职务,手机号码,办公电话,代表编号,会议编号,照片) values ("
                       + values + ",'" + sqlText(e.photo) + "')";
    }
    return "update 代表信息 set 姓名='" + name + "',单位='" + unit + "',性别='" + e.sex + "',职务='" + post
         + "',手机号码='" + mobile + "',办公电话='" + office + "',代表编号='" + number + "',会议编号=" + meeting
         + (e.photo.empty() ? "" : ",照片='" + sqlText(e.photo) + "'") + "   where  代表id=" + toText(e.id);
}

// The room the delegate is stored in; its number is "" when he has none.
struct Lodging {
    Text hotel, number;
};

// False when a query fails.
bool readLodging(ExternalDatabase& database, int delegateId, Lodging& lodging)
{
    const int rs = querySql(database, "select * from 代表信息 where 代表id=" + toText(delegateId));
    recordMoveFirst(rs);
    const Text number = readField(rs, "房间编号").text();
    if (!recordSetAtEnd(rs) && number != "0" && !number.empty())
        lodging = {readField(rs, "宾馆名称").text(), number};
    closeRecordSet(rs);
    return rs != 0;
}

Text roomOf(const Lodging& lodging, const Text& meeting)
{
    return "宾馆名称 ='" + sqlText(lodging.hotel) + "' and 房间编号='" + sqlText(lodging.number)
         + "'  and  会议编号=" + meeting;
}

// 1 when another guest of the room has a sex other than `sex`, 0 when
// none has, -1 when the query fails.
int otherSexInRoom(ExternalDatabase& database, const Lodging& lodging, const Text& meeting, int delegateId,
                   const Text& sex)
{
    const int rs = querySql(database, "select * from 代表信息 where " + roomOf(lodging, meeting) + " and 代表id<>"
                                          + toText(delegateId) + " and 性别<>'" + sqlText(sex) + "'");
    recordMoveFirst(rs);
    const int found = rs == 0 ? -1 : recordSetAtEnd(rs) ? 0 : 1;
    closeRecordSet(rs);
    return found;
}

} // namespace

DelegateSave saveDelegate(ExternalDatabase& database, int meeting, const DelegateEntry& entry)
{
    const Text m = toText(meeting);
    DelegateSave save;
    save.statement = storingStatement(entry, m);
    Transaction unit(database);
    Lodging lodging;
    if (entry.id != 0) {
        if (!readLodging(database, entry.id, lodging))
            return save;
        if (!lodging.number.empty()) {
            const int other = otherSexInRoom(database, lodging, m, entry.id, entry.sex);
            if (other != 0) {
                if (other > 0) {
                    save.outcome = DelegateSaved::RoomOfOtherSex;
                    save.room = shownPlace(kRoomPlaces, lodging.hotel, lodging.number);
                }
                return save;
            }
        }
    }
    if (!execSql(database, save.statement))
        return save;
    if (changedRowCount(database) != 1) {
        save.outcome = DelegateSaved::Gone;
        return save;
    }
    if (!lodging.number.empty())
        execSql(database, "update 房间信息 set 性别='" + sqlText(entry.sex) + "'  where  " + roomOf(lodging, m));
    save.outcome = unit.commit() ? DelegateSaved::Saved : DelegateSaved::Failed;
    return save;
}
