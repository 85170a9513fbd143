#pragma once
// The database service's own: the statements querySql and execSql run on
// the engine (engine_statements.cpp) and the store of the record sets read
// (record_sets.cpp).
#include "common/database/database.h"

#include <QString>

#include <vector>

struct sqlite3;

struct RecordSet {
    std::vector<Text> columns;
    std::vector<std::vector<FieldValue>> rows;
    int position = 0;           // -1 before the first row, rows.size() past the last
};

// Runs the query `sql` (one statement, no parameters) on the engine's
// handle and reads all its rows into `set`; false when it fails.
bool readRows(sqlite3* db, const QString& sql, RecordSet& set);
// Runs the writing statement `sql` on the engine's handle, with `bytes`
// bound to its one "?" when given; `changedRows` then holds the rows it
// inserted, changed or deleted. False when it fails.
bool runStatement(sqlite3* db, const QString& sql, const Bytes* bytes, int& changedRows);
// Keeps `set` under a new number, owned by `owner` (a connection).
int storeRecordSet(const void* owner, RecordSet set);
// Drops every record set of `owner`.
void dropRecordSetsOf(const void* owner);
