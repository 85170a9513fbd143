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
    Restoring,        // another restore of the program directory runs
    BackingUp,        // a backup of it runs
    Unfinished,       // a restore that cannot be finished or undone (unfinishedRestoreText)
};

// Every outcome but Restored and Unfinished leaves the data directory and
// the database as they were; Unfinished leaves what an earlier restore, or
// this one, left in the restore place for the start-up to settle.
// `progress` gets the bar's position as the work goes on: up to 10 while
// the entries are unpacked, from 10 to 20 while the database is copied; a
// caller can let the window paint there.
RestoreOutcome restoreBackupFile(const Text& backupFile, const Text& programDirectory,
                                 const std::function<void(int position)>& progress = {});

// What the user is told of a restore that could not be settled: that it did
// not finish, where its files lie and what to do.
Text unfinishedRestoreText(const Text& programDirectory);

enum class Settling {
    Settled,      // nothing left, or finished or undone
    Running,      // a restore or a backup runs (in another process): left to it
    Unfinished,   // cannot be decided or done now: everything kept for the next try
};

// A restore of the program directory cut short (the program killed, a
// power cut) finished or undone as its database decides, unless it still
// runs.
Settling settleInterruptedRestore(const Text& programDirectory);
