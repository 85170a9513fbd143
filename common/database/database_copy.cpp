#include "common/database/database_copy.h"
#include "common/internal/database_files.h"
#include "common/internal/file_paths.h"
#include "common/text/text_collation.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

// How long a copy waits for another connection's write to end.
constexpr int kBusyMilliseconds = 5000;
// A step of a restore copies about a megabyte; between steps the window
// handles its events, and as often during the check of a copy.
constexpr int kPagesPerStep = 256;
constexpr int kInstructionsBetweenEvents = 200000;

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

// A copy of the program's own, which no one else has open: read as it
// lies, leaving no side files.
Handle openCopy(const Text& copy)
{
    const QString path = fileSystemPath(copy);
    return isDatabaseFile(path) ? openConnection(path, SQLITE_OPEN_READONLY, "immutable=1") : nullptr;
}

bool run(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

// The texts of the first column of every row `sql` gives; false when the
// statement fails.
bool column(sqlite3* db, const std::string& sql, std::vector<std::string>& values)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        return false;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        values.emplace_back(text ? text : "");
    }
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE;
}

// The engine's own check of every page, index and constraint of `db`.
bool isSound(sqlite3* db)
{
    std::vector<std::string> result;
    return column(db, "PRAGMA integrity_check(1)", result) && result == std::vector<std::string>{"ok"};
}

// Identifiers of the engine ignore the case of ASCII letters.
std::string foldedName(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return name;
}

std::string quotedText(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

// Of the character set alone, whatever the locale: every byte of a
// character beyond ASCII is one of a word.
bool isWordByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$'
        || static_cast<unsigned char>(c) >= 0x80;
}

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Where the token that starts at `i` ends: a quoted text or name, a word,
// or one character.
size_t tokenEnd(const std::string& sql, size_t i)
{
    const char open = sql[i];
    if (open == '\'' || open == '"' || open == '`' || open == '[') {
        const char close = open == '[' ? ']' : open;
        for (size_t end = i + 1; end < sql.size(); ++end)
            if (sql[end] == close) {
                // A doubled closing quote stands for itself, except in [].
                if (open == '[' || end + 1 == sql.size() || sql[end + 1] != close)
                    return end + 1;
                ++end;
            }
        return sql.size();
    }
    size_t end = i + 1;
    while (isWordByte(open) && end < sql.size() && isWordByte(sql[end]))
        ++end;
    return end;
}

// The tokens of a statement's text, as the engine reads it: no blanks or
// comments; words (keywords and bare names) ignoring the case of ASCII
// letters; quoted texts and names, and every other character, as written.
std::vector<std::string> sqlTokens(const std::string& sql)
{
    std::vector<std::string> tokens;
    for (size_t i = 0; i < sql.size();) {
        if (isBlank(sql[i])) {
            ++i;
        } else if (sql.compare(i, 2, "--") == 0) {
            i = std::min(sql.find('\n', i), sql.size());
        } else if (sql.compare(i, 2, "/*") == 0) {
            const size_t end = sql.find("*/", i + 2);
            i = end == std::string::npos ? sql.size() : end + 2;
        } else {
            const size_t end = tokenEnd(sql, i);
            const std::string token = sql.substr(i, end - i);
            tokens.push_back(isWordByte(sql[i]) ? foldedName(token) : token);
            i = end;
        }
    }
    return tokens;
}

// The tokens of `tokens` without the program's collation, as an older
// version declared its text columns.
std::vector<std::string> withoutGbkCollation(const std::vector<std::string>& tokens)
{
    std::vector<std::string> kept;
    for (size_t i = 0; i < tokens.size(); ++i)
        if (tokens[i] == "collate" && i + 1 < tokens.size() && tokens[i + 1] == foldedName(kGbkCollation))
            ++i;
        else
            kept.push_back(tokens[i]);
    return kept;
}

// The statement that made the table `table` of `db`; "" when it has none.
std::string tableStatement(sqlite3* db, const std::string& table)
{
    std::vector<std::string> sql;
    column(db, "SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = " + quotedText(table) + " COLLATE NOCASE",
           sql);
    return sql.size() == 1 ? sql.front() : std::string();
}

// The program's empty database, built by its script; null when the
// script does not run.
Handle schemaDatabase(const Bytes& schemaScript)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr);
    Handle handle(db);
    return rc == SQLITE_OK && registerGbkCollation(db) && run(db, schemaScript.c_str()) ? std::move(handle) : nullptr;
}

// Every table of `schema` is in `db` as `schema` declares it: its columns
// with their types, defaults, NOT NULL, collations, keys and generation,
// and its constraints, token for token; only an older version's text
// columns may lack the program's collation.
bool holdsTablesOf(sqlite3* db, sqlite3* schema)
{
    std::vector<std::string> tables;
    if (!column(schema, "SELECT name FROM sqlite_schema WHERE type='table' AND name NOT LIKE 'sqlite%'", tables))
        return false;
    for (const std::string& table : tables) {
        const std::vector<std::string> wanted = sqlTokens(tableStatement(schema, table)),
                                       held = sqlTokens(tableStatement(db, table));
        if (held != wanted && held != withoutGbkCollation(wanted))
            return false;
    }
    return true;
}

std::string joined(const std::vector<std::string>& values)
{
    std::string text;
    for (const std::string& value : values)
        text += value + ",";
    return text;
}

// What defines an index as the engine uses it: its table, whether it is
// unique or partial, and its key columns in order (an expression as its
// position), names ignoring case, collations left out as for the columns.
std::string indexDefinition(sqlite3* db, const std::string& index, const std::string& table)
{
    std::vector<std::string> flags, keys;
    column(db, "SELECT \"unique\" || ' ' || partial FROM pragma_index_list(" + quotedText(table) + ") WHERE name = "
                   + quotedText(index), flags);
    column(db, "SELECT coalesce(name, '#' || cid) || ' ' || \"desc\" FROM pragma_index_xinfo(" + quotedText(index)
                   + ") WHERE key ORDER BY seqno", keys);
    return foldedName(table) + " " + joined(flags) + " " + foldedName(joined(keys));
}

// Everything of `db` that a statement created beside its tables: each
// trigger, view and index by its kind and name, with what defines it (an
// index as the engine uses it, the others by their statement). The indexes
// the engine makes for a table's own keys are the table's.
std::set<std::string> codeOf(sqlite3* db)
{
    std::vector<std::string> entries;
    column(db, "SELECT type || char(1) || name || char(1) || tbl_name || char(1) || sql FROM sqlite_schema "
               "WHERE type IN ('index', 'trigger', 'view') AND sql IS NOT NULL", entries);
    std::set<std::string> code;
    for (const std::string& entry : entries) {
        const size_t name = entry.find('\1') + 1, table = entry.find('\1', name) + 1, sql = entry.find('\1', table) + 1;
        const std::string type = entry.substr(0, name - 1);
        const std::string definition = type == "index"
            ? indexDefinition(db, entry.substr(name, table - name - 1), entry.substr(table, sql - table - 1))
            : entry.substr(sql);
        code.insert(type + " " + foldedName(entry.substr(name, table - name - 1)) + " " + definition);
    }
    return code;
}

// `db` holds no trigger, view or index that `schema` does not have as it
// has it; it may lack some of them (an older version's database).
bool holdsOnlyCodeOf(sqlite3* db, sqlite3* schema)
{
    const std::set<std::string> held = codeOf(db), wanted = codeOf(schema);
    return std::includes(wanted.begin(), wanted.end(), held.begin(), held.end());
}

// Every page of `from` into `to` in one write transaction of `to`, read
// from one snapshot of `from`.
bool copyAllPages(sqlite3* from, sqlite3* to)
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
    const bool copied = source && target && copyAllPages(source.get(), target.get())
                     && run(target.get(), "PRAGMA journal_mode=DELETE");
    target.reset();
    if (!copied) {
        QFile::remove(to);
        removeStaleJournals(to);
    }
    return copied;
}

DatabaseCopy checkDatabaseCopy(const Text& copy, const Bytes& schemaScript, const std::function<void()>& working)
{
    Handle db = openCopy(copy);
    if (db && working)
        sqlite3_progress_handler(
            db.get(), kInstructionsBetweenEvents,
            [](void* callback) {
                (*static_cast<const std::function<void()>*>(callback))();
                return 0;
            },
            const_cast<std::function<void()>*>(&working));
    if (!db || !isSound(db.get()))
        return DatabaseCopy::Damaged;
    // Without the program's own tables to compare with, nothing counts as sound.
    Handle schema = schemaDatabase(schemaScript);
    if (!schema)
        return DatabaseCopy::Damaged;
    return holdsTablesOf(db.get(), schema.get()) && holdsOnlyCodeOf(db.get(), schema.get()) ? DatabaseCopy::Sound
                                                                                             : DatabaseCopy::Foreign;
}

struct DatabaseRestore::Engine {
    Handle source, target;
    sqlite3_backup* backup = nullptr;
    bool committed = false;
    int percent = 0;

    void giveUp()
    {
        if (backup)
            sqlite3_backup_finish(backup);
        backup = nullptr;
        source.reset();
        target.reset();
    }
    // One step of `pages`; finishes the copy at its end or on failure.
    bool step(int pages)
    {
        if (!backup)
            return false;
        const int rc = sqlite3_backup_step(backup, pages);
        const int total = sqlite3_backup_pagecount(backup);
        if (total > 0)
            percent = 100 - 100 * sqlite3_backup_remaining(backup) / total;
        if (rc == SQLITE_OK)
            return true;
        const int finished = sqlite3_backup_finish(backup);
        backup = nullptr;
        committed = rc == SQLITE_DONE && finished == SQLITE_OK;
        giveUp();
        return committed;
    }
};

DatabaseRestore::DatabaseRestore(const Text& copy, const Text& database) : engine_(std::make_unique<Engine>())
{
    const QString to = fileSystemPath(database);
    engine_->source = openCopy(copy);
    if (engine_->source && isDatabaseFile(to))
        engine_->target = openConnection(to, SQLITE_OPEN_READWRITE);
    // The commit reaches the disk before it counts as done.
    if (engine_->target && run(engine_->target.get(), "PRAGMA synchronous=FULL"))
        engine_->backup = sqlite3_backup_init(engine_->target.get(), "main", engine_->source.get(), "main");
}

DatabaseRestore::~DatabaseRestore() { engine_->giveUp(); }

// A step of no pages takes the destination's write lock and keeps it.
bool DatabaseRestore::lock() { return engine_->step(0); }

bool DatabaseRestore::step() { return engine_->step(kPagesPerStep); }

bool DatabaseRestore::committed() const { return engine_->committed; }

int DatabaseRestore::percentCopied() const { return engine_->percent; }

bool readDatabaseNumber(const Text& database, int& number)
{
    const QString path = fileSystemPath(database);
    Handle db = isDatabaseFile(path) ? openConnection(path, SQLITE_OPEN_READWRITE) : nullptr;
    std::vector<std::string> value;
    if (!db || !column(db.get(), "PRAGMA user_version", value) || value.size() != 1)
        return false;
    number = std::stoi(value.front());
    return true;
}

bool writeDatabaseNumber(const Text& copy, int number)
{
    const QString path = fileSystemPath(copy);
    {
        // A copy in write-ahead mode keeps a change in its log: as a plain
        // file of its own, the change is in the file itself.
        Handle db = isDatabaseFile(path) ? openConnection(path, SQLITE_OPEN_READWRITE) : nullptr;
        if (!db || !run(db.get(), "PRAGMA journal_mode=DELETE")
            || !run(db.get(), ("PRAGMA user_version=" + std::to_string(number)).c_str()))
            return false;
    }
    // Read back as a restore reads the copy.
    Handle check = openCopy(copy);
    std::vector<std::string> value;
    return check && column(check.get(), "PRAGMA user_version", value) && value == std::vector<std::string>{std::to_string(number)};
}
