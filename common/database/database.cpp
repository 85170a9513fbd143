#include "common/database/database.h"
#include "common/files/files.h"
#include "common/program/program.h"
#include "common/internal/database_files.h"
#include "common/internal/file_paths.h"
#include "common/database/measurement.h"
#include "common/database/record_sets.h"
#include "common/database/sqlite_engine.h"
#include "common/text/text_collation.h"
#include "common/internal/qtext.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

struct ExternalDatabase::Connection {
    enum class State { Closed, Open, Released };
    QString qtName;
    QString filePath;          // canonical
    State state = State::Closed;
    int transactionDepth = 0;  // open Transaction brackets
    bool transactionFailed = false;
    int changedRows = 0;       // by the last statement of execSql
    dev_t device = 0;          // the file it has open, while open
    ino_t inode = 0;
    std::function<void(const Text&)> trace;
};

namespace {

using Connection = ExternalDatabase::Connection;

std::vector<Connection*>& connections()
{
    static std::vector<Connection*> all;
    return all;
}

bool transactionsOff = false;

// The value of `key` in a text of "key=value;" pairs: keys ignore case,
// values lose their surrounding blanks.
Text connectionValue(const Text& connectionText, const Text& key)
{
    for (const Text& part : splitText(connectionText, ";")) {
        int equals = findText(part, "=");
        if (equals < 0)
            continue;
        if (sameTextIgnoringCase(trimSpaces(leftText(part, equals - 1)), key))
            return trimSpaces(midText(part, equals + 1, textLength(part)));
    }
    return {};
}

// The engine a file data source names in its "ENGINE=" line, when it is one
// this program drives (only the embedded one so far); "" otherwise.
QString dataSourceEngine(const Text& dataSourcePath)
{
    for (Text line : splitText(readFile(dataSourcePath), "\n")) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();   // a file written with CR LF line ends
        Text value = connectionValue(trimSpaces(line), "ENGINE");
        if (!value.empty())
            return value == "QSQLITE" && QSqlDatabase::isDriverAvailable("QSQLITE") ? "QSQLITE" : "";
    }
    return {};
}

bool runPragma(QSqlDatabase& db, const QString& pragma, const QString& expected = {})
{
    QSqlQuery q(db);
    if (!q.exec(pragma))
        return false;
    return expected.isEmpty() || (q.next() && q.value(0).toString().compare(expected, Qt::CaseInsensitive) == 0);
}

// Write-ahead logging without a flush per commit: a committed statement is
// in the file system at once (it survives the program being killed) and a
// run of single-row statements costs no disk flush each; a power cut can
// lose only the last commits, never the database. Text sorts in the
// program's order wherever the schema asks for it.
bool prepareSqlite(QSqlDatabase& db)
{
    return registerGbkCollation(sqliteHandle(db))
        && runPragma(db, "PRAGMA journal_mode=WAL", "wal")
        && runPragma(db, "PRAGMA synchronous=NORMAL");
}

void disconnect(Connection& c)
{
    {
        QSqlDatabase db = QSqlDatabase::database(c.qtName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(c.qtName);
}

// A file that is not a database of the engine (an empty file included,
// which the engine would take for a new database) is never opened.
bool connect(Connection& c)
{
    bool ok = isDatabaseFile(c.filePath);
    if (ok) {
        QSqlDatabase db = addEngineConnection(c.qtName, c.filePath);
        ok = db.open() && prepareSqlite(db);
    }
    struct stat file {};
    ok = ok && ::stat(QFile::encodeName(c.filePath).constData(), &file) == 0;
    if (!ok) {
        disconnect(c);
        return false;
    }
    c.device = file.st_dev;
    c.inode = file.st_ino;
    c.state = Connection::State::Open;
    return true;
}

// Closes the handle until the connection's next use; an open unit of
// writing is lost with it.
void release(Connection& c)
{
    disconnect(c);
    c.state = Connection::State::Released;
    if (c.transactionDepth > 0)
        c.transactionFailed = true;
}

// True when the file the open connection works on is no longer the one at
// its path: another program replaced (a restore) or removed it. Writes into
// the old file would report success and be lost with it.
bool fileReplaced(const Connection& c)
{
    sqlite3* handle = sqliteHandle(QSqlDatabase::database(c.qtName, false));
    int moved = 0;
    return handle && sqlite3_file_control(handle, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK
        && moved != 0;
}

// The connection's database, opened again after a release or on the file
// that replaced the one it had open; invalid when the connection is not
// usable. Inside a unit of writing the file is kept: the unit's commit
// refuses when it was replaced meanwhile.
QSqlDatabase usable(Connection& c)
{
    if (c.state == Connection::State::Open && c.transactionDepth == 0 && fileReplaced(c)) {
        disconnect(c);
        c.state = Connection::State::Released;
    }
    if (c.state == Connection::State::Released && !connect(c))
        return {};
    if (c.state != Connection::State::Open)
        return {};
    return QSqlDatabase::database(c.qtName, false);
}

// Runs one writing statement, as part of the connection's open unit when
// there is one: a failed unit runs nothing more, and a failure fails it.
bool writeStatement(Connection& c, const Text& sql, const Bytes* bytes)
{
    if (c.trace)
        c.trace(sql);
    if (c.transactionDepth > 0 && c.transactionFailed)
        return false;
    c.changedRows = 0;
    QSqlDatabase db = usable(c);
    if (!db.isValid())
        return false;
    int changed = 0;
    const bool ok = runStatement(sqliteHandle(db), toQString(sql), bytes, changed);
    if (ok)
        c.changedRows = std::max(changed, 0);
    else if (c.transactionDepth > 0)
        c.transactionFailed = true;
    return ok;
}

// Ends the connection's unit: commits it when `keep`, else (or when the
// commit fails) rolls it back. A connection closed or released meanwhile
// has lost the unit already.
bool endTransaction(Connection& c, bool keep)
{
    if (c.state != Connection::State::Open)
        return false;
    if (transactionsOff)
        return keep;
    QSqlDatabase db = QSqlDatabase::database(c.qtName, false);
    if (keep && !fileReplaced(c) && QSqlQuery(db).exec("COMMIT"))
        return true;
    // After the engine rolled back by itself this finds nothing to undo.
    QSqlQuery(db).exec("ROLLBACK");
    return false;
}

} // namespace

void releaseAll();

namespace {

// A file a connection has open is never opened beside it (the files
// service's isDatabaseFile tells why).
bool holdsFile(dev_t device, ino_t inode)
{
    for (const Connection* c : connections())
        if (c->state == Connection::State::Open && c->device == device && c->inode == inode)
            return true;
    return false;
}

void releaseFile(const QString& canonicalPath)
{
    for (Connection* c : connections())
        if (c->state == Connection::State::Open && c->filePath == canonicalPath)
            release(*c);
}

} // namespace

ExternalDatabase::ExternalDatabase(Container&, const Text& name)
    : name_(name), connection_(std::make_unique<Connection>())
{
    // Connections close when the program ends, so no log is left beside the file.
    static const int exitHook = addExitHook(releaseAll);
    (void)exitHook;
    static const bool holding = (holdDatabaseFiles({holdsFile, releaseFile}), true);
    (void)holding;
    static int serial = 0;
    connection_->qtName = QString("qelvana-%1").arg(++serial);
    connections().push_back(connection_.get());
}

ExternalDatabase::~ExternalDatabase()
{
    closeDatabase(*this);
    std::erase(connections(), connection_.get());
}

bool ExternalDatabase::isOpen() const { return connection_->state != Connection::State::Closed; }

bool openDatabase(ExternalDatabase& database, const Text& connectionText)
{
    closeDatabase(database);
    Connection& c = database.connection();
    Text file = connectionValue(connectionText, "DBQ");
    Text dataSource = connectionValue(connectionText, "FILEDSN");
    if (file.empty() || dataSource.empty())
        return false;
    QFileInfo info(fileSystemPath(file));
    if (dataSourceEngine(dataSource).isEmpty() || !info.isFile())
        return false;
    c.filePath = info.canonicalFilePath();
    return connect(c);
}

void closeDatabase(ExternalDatabase& database)
{
    Connection& c = database.connection();
    dropRecordSetsOf(&c);
    if (c.transactionDepth > 0)
        c.transactionFailed = true;   // an open unit is lost with the connection
    if (c.state == Connection::State::Open)
        disconnect(c);
    c.state = Connection::State::Closed;
}

int querySql(ExternalDatabase& database, const Text& sql)
{
    Connection& c = database.connection();
    if (c.trace)
        c.trace(sql);
    QSqlDatabase db = usable(c);
    if (!db.isValid())
        return 0;
    RecordSet set;
    if (!readRows(sqliteHandle(db), toQString(sql), set))
        return 0;
    return storeRecordSet(&c, std::move(set));
}

void traceStatements(ExternalDatabase& database, std::function<void(const Text& sql)> trace)
{
    database.connection().trace = std::move(trace);
}

bool execSql(ExternalDatabase& database, const Text& sql) { return writeStatement(database.connection(), sql, nullptr); }

int changedRowCount(const ExternalDatabase& database) { return database.connection().changedRows; }

bool execSql(ExternalDatabase& database, const Text& sql, const Bytes& bytes)
{
    return writeStatement(database.connection(), sql, &bytes);
}

Transaction::Transaction(ExternalDatabase& database) : database_(database)
{
    Connection& c = database.connection();
    if (c.transactionDepth > 0) {
        ++c.transactionDepth;
        return;
    }
    QSqlDatabase db = usable(c);
    ++c.transactionDepth;
    c.transactionFailed = !db.isValid() || (!transactionsOff && !QSqlQuery(db).exec("BEGIN IMMEDIATE"));
}

void setTransactionsOff(bool off) { transactionsOff = off; }

Transaction::~Transaction()
{
    if (ended_)
        return;
    Connection& c = database_.connection();
    if (--c.transactionDepth > 0)
        c.transactionFailed = true;
    else
        endTransaction(c, false);
}

bool Transaction::commit()
{
    if (ended_)
        return false;
    ended_ = true;
    Connection& c = database_.connection();
    if (--c.transactionDepth > 0)
        return !c.transactionFailed;
    return endTransaction(c, !c.transactionFailed);
}

void releaseAll()
{
    for (Connection* c : connections())
        if (c->state == Connection::State::Open)
            release(*c);
}

void releaseDataHandlesA() { releaseAll(); }
void releaseDataHandlesB() { releaseAll(); }
void releaseDataHandlesC() { releaseAll(); }

bool databaseIsWritable(ExternalDatabase& database)
{
    QSqlDatabase db = usable(database.connection());
    if (!db.isValid() || database.connection().transactionDepth > 0)
        return false;
    // Writing the schema's user number back unchanged goes all the way
    // through the engine's journal into the file system.
    QSqlQuery q(db);
    bool ok = q.exec("BEGIN IMMEDIATE");
    ok = ok && q.exec("PRAGMA user_version") && q.next();
    const int version = ok ? q.value(0).toInt() : 0;
    q.finish();
    ok = ok && q.exec(QString("PRAGMA user_version=%1").arg(version)) && q.exec("COMMIT");
    if (!ok)
        QSqlQuery(db).exec("ROLLBACK");
    return ok;
}

bool databaseFileExists(const Text& path) { return isDatabaseFile(fileSystemPath(path)); }

