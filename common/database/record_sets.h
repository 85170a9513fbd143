#pragma once
// The database service's own: the store of record sets read by querySql.
#include "common/database/database.h"

#include <vector>

struct RecordSet {
    std::vector<Text> columns;
    std::vector<std::vector<FieldValue>> rows;
    int position = 0;           // -1 before the first row, rows.size() past the last
};

// Keeps `set` under a new number, owned by `owner` (a connection).
int storeRecordSet(const void* owner, RecordSet set);
// Drops every record set of `owner`.
void dropRecordSetsOf(const void* owner);
