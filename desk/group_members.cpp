#include "desk/group_members.h"

GroupMembersStored storeGroupMembers(ExternalDatabase& database, int group, const std::vector<GroupMember>& members)
{
    const Text g = toText(group);
    GroupMembersStored result;
    Transaction unit(database);
    for (const GroupMember& m : members) {
        const Text id = toText(m.delegate);
        if (!m.member) {
            execSql(database, "update 代表信息 set 分组编号=0  where  代表id=" + id + " and 分组编号=" + g);
            continue;
        }
        if (execSql(database, "update 代表信息 set 分组编号=" + g + "  where  代表id=" + id
                                  + " and 分组编号 in (0," + g + ")")
            && changedRowCount(database) == 0) {
            int rs = querySql(database, "select 分组编号 from 代表信息 where 代表id=" + id);
            if (rs != 0 && !recordSetAtEnd(rs))
                result.groupedElsewhere.push_back(m.delegate);
            closeRecordSet(rs);
        }
    }
    result.stored = unit.commit();
    if (!result.stored)
        result.groupedElsewhere.clear();
    return result;
}
