#pragma once
// Copies of a database file through the engine, page by page under its
// locks, waiting a while for another connection's write as the program's
// connections do.
#include "common/text/gbk.h"

#include <functional>
#include <memory>

// Writes one consistent state of the database at `database` (its committed
// changes, even while other programs write) into `copy`, a file of its own
// without side files, replacing an older one; false on failure.
bool snapshotDatabase(const Text& database, const Text& copy);

// What a copy holds that a restore would put in place. Sound: the engine
// finds every page and index whole, every table that `schemaScript` (the
// SQL that builds the program's database, UTF-8) creates is there as the
// script declares it, and it brings data, not code: no trigger, view or
// index that the script does not create as the script creates it (an
// index by its name, table, uniqueness and key columns; an older version's
// copy may lack some). A table is declared as the script declares it when
// its statement reads the same, token for token (blanks, comments and the
// case of words aside): the same columns in the same order with the same
// types, defaults, NOT NULL, collations, keys and generation, and the same
// constraints; an older version's declares its text columns without the
// collation GBK. Foreign: a sound database that is not so. Damaged: no
// database, or a damaged one. `working()` runs every few milliseconds of
// the check, for a window to paint.
enum class DatabaseCopy { Sound, Foreign, Damaged };
DatabaseCopy checkDatabaseCopy(const Text& copy, const Bytes& schemaScript,
                               const std::function<void()>& working = {});

// Puts the content of a checked copy into the database at `database` in
// place, some pages at a time, as one transaction: until the step that
// copies the last pages commits them all, every connection on it (in this
// program or another) reads the content as it was, and a failure, a copy
// given up or the program ending leaves it so. Once committed, every
// connection sees the restored content with its next statement and writes
// into it. The commit is on disk when the step returns.
class DatabaseRestore {
public:
    DatabaseRestore(const Text& copy, const Text& database);
    ~DatabaseRestore();   // gives up a copy not committed
    DatabaseRestore(const DatabaseRestore&) = delete;
    DatabaseRestore& operator=(const DatabaseRestore&) = delete;

    // Takes the database's write lock, which is then held until the copy
    // is committed or given up; false when another writer keeps it.
    bool lock();
    // Copies the next pages, taking the lock first when need be; false on
    // failure, which gives the copy up.
    bool step();
    bool committed() const;
    int percentCopied() const;

private:
    struct Engine;
    std::unique_ptr<Engine> engine_;
};

// The number a database carries in its header for the program's own use
// (the engine's user version). readDatabaseNumber sees every committed
// change. writeDatabaseNumber is for a copy no connection has open: it
// leaves the copy a file of its own without a log, holding the number as a
// DatabaseRestore reads it. Both give false when the file is no database or
// cannot be read or written.
bool readDatabaseNumber(const Text& database, int& number);
bool writeDatabaseNumber(const Text& copy, int number);
