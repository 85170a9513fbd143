#include "common/database/record_sets.h"

#include <climits>
#include <map>

namespace {

struct Stored {
    const void* owner;
    RecordSet set;
};

std::map<int, Stored>& store()
{
    static std::map<int, Stored> sets;
    return sets;
}

RecordSet* find(int recordSet)
{
    auto it = store().find(recordSet);
    return it == store().end() ? nullptr : &it->second.set;
}

int rowCount(const RecordSet& set) { return static_cast<int>(set.rows.size()); }

} // namespace

int storeRecordSet(const void* owner, RecordSet set)
{
    static int last = 0;
    if (last == INT_MAX)
        last = 0;
    store()[++last] = Stored{owner, std::move(set)};
    return last;
}

void dropRecordSetsOf(const void* owner)
{
    std::erase_if(store(), [owner](const auto& entry) { return entry.second.owner == owner; });
}

void closeRecordSet(int recordSet) { store().erase(recordSet); }

void recordMoveFirst(int recordSet)
{
    if (RecordSet* set = find(recordSet))
        set->position = 0;
}

void recordMoveLast(int recordSet)
{
    if (RecordSet* set = find(recordSet))
        set->position = std::max(0, rowCount(*set) - 1);
}

void recordMoveNext(int recordSet)
{
    if (RecordSet* set = find(recordSet); set && set->position < rowCount(*set))
        ++set->position;
}

void recordMovePrevious(int recordSet)
{
    if (RecordSet* set = find(recordSet); set && set->position >= 0)
        --set->position;
}

bool recordSetAtEnd(int recordSet)
{
    RecordSet* set = find(recordSet);
    return !set || set->position >= rowCount(*set);
}

bool recordSetAtStart(int recordSet)
{
    RecordSet* set = find(recordSet);
    return !set || set->rows.empty() || set->position < 0;
}

FieldValue readField(int recordSet, const Text& column)
{
    RecordSet* set = find(recordSet);
    if (!set || set->position < 0 || set->position >= rowCount(*set))
        return {};
    const auto& row = set->rows[set->position];
    for (size_t i = 0; i < set->columns.size(); ++i)
        if (set->columns[i] == column)
            return row[i];
    for (size_t i = 0; i < set->columns.size(); ++i)
        if (sameTextIgnoringCase(set->columns[i], column))
            return row[i];
    return {};
}
