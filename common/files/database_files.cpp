// Database files as files (common/internal/database_files.h): a file of the
// embedded engine known by its header, its log folded and its stale
// journals removed, and the files the database service's connections hold.
#include "common/internal/database_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUrl>

#include <sys/stat.h>

namespace {

constexpr qint64 kHeaderSize = 100;   // the engine's file header

DatabaseFileHolders& holders()
{
    static DatabaseFileHolders given;
    return given;
}

} // namespace

void holdDatabaseFiles(DatabaseFileHolders given) { holders() = std::move(given); }

QSqlDatabase addEngineConnection(const QString& qtName, const QString& filePath)
{
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", qtName);
    // mode=rw: a missing file is a failure, never a new empty database.
    QUrl url = QUrl::fromLocalFile(filePath);
    url.setQuery("mode=rw");
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    db.setConnectOptions("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000");
    return db;
}

// Locks on a file belong to the whole process, and closing any descriptor
// of the file drops them all: the engine's connections would go on without
// their locks, and another program ending could then take the write-ahead
// log from under them. So a file a connection of this program has open is
// never opened here; the engine checked it when the connection opened.
bool isDatabaseFile(const QString& path)
{
    static const QByteArray header("SQLite format 3", 16);   // with its NUL
    struct stat file {};
    if (::stat(QFile::encodeName(path).constData(), &file) != 0 || !S_ISREG(file.st_mode)
        || file.st_size < kHeaderSize)
        return false;
    if (holders().holds && holders().holds(file.st_dev, file.st_ino))
        return true;
    QFile in(path);
    return in.open(QIODevice::ReadOnly) && in.read(header.size()) == header;
}

bool settleDatabaseFile(const QString& path)
{
    if (!QFileInfo::exists(path + "-wal"))
        return true;
    static const QString name = "qelvana-settle";
    bool settled = false;
    {
        QSqlDatabase db = addEngineConnection(name, QFileInfo(path).absoluteFilePath());
        QSqlQuery q(db);
        // Columns: busy, frames in the log, frames moved into the file.
        if (db.open() && q.exec("PRAGMA wal_checkpoint(TRUNCATE)") && q.next())
            settled = q.value(0).toInt() == 0 && q.value(1).toInt() == q.value(2).toInt();
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return settled;
}

void releaseDatabaseFile(const QString& path)
{
    QString canonical = QFileInfo(path).canonicalFilePath();
    if (!canonical.isEmpty() && holders().release)
        holders().release(canonical);
}

void removeStaleJournals(const QString& path)
{
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        QFile::remove(path + suffix);
}
