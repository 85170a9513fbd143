#include "common/database.h"
#include "common/internal/database_files.h"
#include "common/internal/file_paths.h"
#include "common/internal/text_collation.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

#include <memory>

namespace {

// How long the copy waits for another connection's write to end.
constexpr int kBusyMilliseconds = 5000;

struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Handle = std::unique_ptr<sqlite3, Closer>;

Handle openConnection(const QString& path, int flags, const char* query = nullptr)
{
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (query)
        url.setQuery(QString::fromLatin1(query));
    sqlite3* db = nullptr;
    const QByteArray uri = url.toString(QUrl::FullyEncoded).toUtf8();
    const int rc = sqlite3_open_v2(uri.constData(), &db, flags | SQLITE_OPEN_URI, nullptr);
    Handle handle(db);
    if (rc != SQLITE_OK || !registerGbkCollation(db))
        return nullptr;
    sqlite3_busy_timeout(db, kBusyMilliseconds);
    return handle;
}

bool run(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

// The engine's own check of every page and index of `db`.
bool isSound(sqlite3* db)
{
    sqlite3_stmt* statement = nullptr;
    bool ok = sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &statement, nullptr) == SQLITE_OK
           && sqlite3_step(statement) == SQLITE_ROW
           && QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))) == "ok";
    sqlite3_finalize(statement);
    return ok;
}

// Every page of `from` into `to` in one write transaction of `to`, read
// from one snapshot of `from`. The engine waits on its busy handler while
// another connection writes.
bool copyPages(sqlite3* from, sqlite3* to)
{
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        return false;
    const int stepped = sqlite3_backup_step(backup, -1);
    return sqlite3_backup_finish(backup) == SQLITE_OK && stepped == SQLITE_DONE;
}

} // namespace

bool snapshotDatabase(const Text& database, const Text& copy)
{
    const QString from = fileSystemPath(database), to = fileSystemPath(copy);
    if (!QFileInfo(from).isFile() || QFileInfo(to).isDir())
        return false;
    if (QFileInfo::exists(to) && !QFile::remove(to))
        return false;
    removeStaleJournals(to);
    Handle source = openConnection(from, SQLITE_OPEN_READONLY);
    Handle target = openConnection(to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    // The copied header names the live file's log mode: the copy keeps a
    // plain rollback journal, so it stands alone without side files.
    bool copied = source && target && copyPages(source.get(), target.get())
               && run(target.get(), "PRAGMA journal_mode=DELETE");
    target.reset();
    if (!copied) {
        QFile::remove(to);
        removeStaleJournals(to);
    }
    return copied;
}

bool restoreDatabase(const Text& copy, const Text& database)
{
    const QString from = fileSystemPath(copy), to = fileSystemPath(database);
    if (!isDatabaseFile(from) || !QFileInfo(to).isFile())
        return false;
    // The copy is no one else's: read as it lies, leaving no side files.
    Handle source = openConnection(from, SQLITE_OPEN_READONLY, "immutable=1");
    Handle target = openConnection(to, SQLITE_OPEN_READWRITE);
    return source && target && isSound(source.get()) && copyPages(source.get(), target.get());
}
