#pragma once
// The database service's own: the embedded engine's own handle behind a Qt
// connection, for what the Qt driver does not offer (collations, the online
// backup). Null when the connection is not open on that engine.
#include <QSqlDatabase>

struct sqlite3;

sqlite3* sqliteHandle(const QSqlDatabase& db);
