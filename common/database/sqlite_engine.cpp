#include "common/database/sqlite_engine.h"

#include <QSqlDriver>
#include <QVariant>

#include <cstring>

sqlite3* sqliteHandle(const QSqlDatabase& db)
{
    if (!db.isValid() || !db.isOpen() || !db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    // The driver hands its engine pointer out as a value named after the type.
    if (!handle.isValid() || std::strcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.data());
}
