#pragma once
// The names a backup file stores and a restore puts in place: relative
// names below "data\" that every file system of the program can hold, none
// of them given twice and none below the database's copy. The backup file
// and the restore's journal are checked by the same rules.
#include "common/text/text.h"

#include <set>

// The name a backup file gives the copy of the database. No name below it
// is ever restored.
extern const Text kDatabaseCopyName;

// A relative name of a file below "data\" ("data\photo.PIC",
// "data\sub\photo.PIC"): no empty, "." or ".." level, no "/", ":" or NUL,
// and no level but the last starting with "." (the walk leaves those
// directories out).
bool isBackupName(const Text& name);

// The names of one restore, added one by one: each a backup name, none
// given twice as the runtime matches names (in any case), none below
// kDatabaseCopyName.
class RestorableNames {
public:
    bool add(const Text& name);
    // True for the name of a directory above one of the names added.
    bool holdsBelow(const Text& directory) const;

private:
    std::set<Text> keys_;
};
