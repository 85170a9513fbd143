#pragma once
// Internal to common/: what a file copy must do about a database file that
// this program may have open, so that copies and replacements stay sound.
#include <QString>

// True for a file that holds a database of the embedded engine.
bool isDatabaseFile(const QString& path);
// Folds a write-ahead log beside `path` into the database file, so that a
// copy of the file holds every committed change. False when that cannot be
// done; true when there is nothing to do.
bool settleDatabaseFile(const QString& path);
// Closes this program's connections on `path` (they reopen on their next
// use), so that the file can be replaced.
void releaseDatabaseFile(const QString& path);
// After `path` was replaced: removes journal files left beside it, which
// belong to the content it replaced and would corrupt the new one.
void removeStaleJournals(const QString& path);
