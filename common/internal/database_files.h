#pragma once
// Internal to common/: database files as files, so that copies and
// replacements stay sound. The files service knows a file of the embedded
// engine by its header and folds its log; which files this program's
// connections hold open the database service tells it (holdDatabaseFiles).
// Implemented in common/files/database_files.cpp.
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <sys/types.h>

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

// The connections that hold database files open: whether one has the file
// (device and inode) open, and letting go of a file (its canonical path)
// until their next use. Given by the database service before its first
// connection opens; until then no file is held.
struct DatabaseFileHolders {
    std::function<bool(dev_t device, ino_t inode)> holds;
    std::function<void(const QString& canonicalPath)> release;
};
void holdDatabaseFiles(DatabaseFileHolders holders);

// Qt's connection `qtName` to the engine's file at `filePath`, not open yet,
// as every connection of this program makes it: it opens only an existing
// file and waits for a busy file a while.
QSqlDatabase addEngineConnection(const QString& qtName, const QString& filePath);
