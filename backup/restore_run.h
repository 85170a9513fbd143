#pragma once
// The restore of a backup file into the program directory as a whole, for
// the restore window and the start-up: the file unpacked and checked, its
// database checked, then the photos and the database put in place together
// (restore_journal.h).
#include "common/text/text.h"

#include <functional>

enum class RestoreOutcome {
    Restored,         // the photos and the database are the backup's
    Refused,          // the file cannot be restored: damaged, or names it cannot hold
    Foreign,          // its database is not one of this program
    DatabaseFailed,   // no sound database in it, or the database step failed
};

// Every outcome but Restored leaves the data directory and the database as
// they were. `progress` gets the bar's position as the work goes on: up to
// 10 while the entries are unpacked, from 10 to 20 while the database is
// copied; a caller can let the window paint there.
RestoreOutcome restoreBackupFile(const Text& backupFile, const Text& programDirectory,
                                 const std::function<void(int position)>& progress = {});

// A restore of the program directory cut short (the program killed, a
// power cut) finished or undone as its database decides; false when that
// cannot be done yet (it is tried again).
bool settleInterruptedRestore(const Text& programDirectory);
