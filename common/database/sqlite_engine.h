#pragma once
// The database service's own: the embedded engine's own handle behind a Qt
// connection, on which the program's statements run (engine_statements.cpp)
// and its collation is registered. Null when the connection is not open on
// that engine.
#include <QSqlDatabase>

struct sqlite3;

sqlite3* sqliteHandle(const QSqlDatabase& db);
