#pragma once
// A whole backup run of the program directory, for the backup window: the
// live database copied into the data directory and that directory packed
// into a backup file, under the lock that restores hold too
// (restore_journal.h), so that a backup never holds photos or a database
// of two sides of a restore.
#include "common/text/text.h"

#include <functional>

enum class BackupOutcome {
    Packed,       // the backup file holds the data directory and the database
    CopyFailed,   // the database could not be copied: nothing written
    Failed,       // the backup file could not be written (a copy of the database may stay in data)
    Restoring,    // a restore of the program directory runs: nothing done
    BackingUp,    // another backup of it runs: nothing done
    Unfinished,   // a restore cut short that cannot be settled (unfinishedRestoreText): nothing done
};

// The backup into `backupFile`, holding the lock from before the copy of
// the database until the backup file is written. A restore cut short is
// settled first. `copied()` runs once the database is copied. The copy of
// the database goes once packed; after a failed packing it stays in data,
// and the next backup replaces it.
BackupOutcome backUpProgramDirectory(const Text& programDirectory, const Text& backupFile,
                                     const std::function<void()>& copied = {});
