#include "desk/group_members.h"

bool storeGroupMembers(ExternalDatabase& database, int group, const std::vector<GroupMember>& members)
{
    Transaction unit(database);
    for (const GroupMember& m : members)
        execSql(database, "update 代表信息 set 分组编号=" + (m.member ? toText(group) : Text("0")) + "  where  代表id="
                              + toText(m.delegate));
    return unit.commit();
}
