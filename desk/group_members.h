#pragma once
// Storing a discussion group's members, as a function of plain records.
#include "common/database/database.h"

#include <vector>

// A delegate of the member list, and whether he is ticked as a member.
struct GroupMember {
    int delegate = 0;
    bool member = false;
};

// Writes, as one unit, `group` as the group of each ticked delegate and no
// group for the others. False when the unit is not kept.
bool storeGroupMembers(ExternalDatabase& database, int group, const std::vector<GroupMember>& members);
