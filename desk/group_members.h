#pragma once
// Storing a discussion group's members, as a function of plain records.
#include "common/database/database.h"

#include <vector>

// A delegate of the member list, and whether he is ticked as a member.
struct GroupMember {
    int delegate = 0;
    bool member = false;
};

struct GroupMembersStored {
    bool stored = false;                 // the unit was kept
    std::vector<int> groupedElsewhere;   // ticked, but another desk put him in another group
};

// Writes, as one unit, `group` as the group of each ticked delegate and no
// group for the others, against what is stored: a ticked delegate joins
// only from no group (or stays), an unticked one leaves only this group, so
// a delegate another desk grouped meanwhile keeps his group.
GroupMembersStored storeGroupMembers(ExternalDatabase& database, int group, const std::vector<GroupMember>& members);
