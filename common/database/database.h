#pragma once
// External databases and record sets.
//
// An ExternalDatabase unit is one connection of one window. openDatabase takes
// the program's connection text unchanged: the database file comes from
// "DBQ=", the engine from the file data source named by "FILEDSN=". Every
// failure looks the same (false); SQL on a connection that is not open fails.
// Only a file that is a database of the engine opens. When another program
// replaces the file, the connection's next statement runs on the new file
// (or fails when that is no database); nothing is written into the old one.
//
// A query is read whole when it runs and its statement is released at once,
// so no record set keeps the database busy. Record-set numbers are unique in
// the process; 0 means no record set, and every call with 0, with a closed
// set or outside the records is harmless: moves do nothing, the set counts as
// at its end (and before its start), fields read as "" or 0.
//
// SQL text and text values are GBK here; the database holds them as UTF-8.
#include "common/text/text.h"

#include <functional>
#include <memory>

class Container;

class ExternalDatabase {
public:
    ExternalDatabase(Container& window, const Text& name);
    ~ExternalDatabase();                  // closes the connection
    ExternalDatabase(const ExternalDatabase&) = delete;
    ExternalDatabase& operator=(const ExternalDatabase&) = delete;
    const Text& name() const { return name_; }
    bool isOpen() const;

    struct Connection;                    // the runtime's side
    Connection& connection() const { return *connection_; }

private:
    Text name_;
    std::unique_ptr<Connection> connection_;
};

// A field as the database typed it.
class FieldValue {
public:
    enum Kind { Null, TextKind, NumberKind, TruthKind, BytesKind };
    FieldValue() = default;
    static FieldValue ofText(Text text);
    static FieldValue ofNumber(double number);
    static FieldValue ofTruth(bool truth);
    static FieldValue ofBytes(Bytes bytes);
    // A null keeps the kind of its column, so it reads as "" or 0.
    static FieldValue nullOf(Kind columnKind);

    Kind kind() const { return kind_; }
    bool isNull() const { return null_; }
    // Each accessor converts whatever the type: a number reads as decimal
    // text, a truth as "true"/"false" text and 1/0, a text as its number.
    Text text() const;
    int number() const;                   // truncated, saturating
    bool truth() const;
    const Bytes& bytes() const { return text_; }

private:
    Kind kind_ = Null;
    bool null_ = true;
    Text text_;                           // text or bytes
    double number_ = 0;
};

// One user action as one unit of writing: every statement run on the
// connection between the bracket's start and commit() is kept, or none is.
// Once a statement of the unit fails, the later ones do not run (execSql
// gives false) and commit() rolls the unit back and gives false, so a
// handler may run its statements and look only at commit(). A bracket left
// without commit() (an early return, an exception) rolls back too.
// The bracket takes the database's write lock at its start, so it waits
// there, not halfway through, for another writer. A bracket opened while
// one is open on the same connection joins it: only the outermost commits,
// and a failure inside fails the whole unit. Readers on other connections
// see the unit only once it is committed.
class Transaction {
public:
    explicit Transaction(ExternalDatabase& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    // True when the unit is kept (for a joined bracket: whole so far).
    bool commit();

private:
    ExternalDatabase& database_;
    bool ended_ = false;
};

bool openDatabase(ExternalDatabase& database, const Text& connectionText);
void closeDatabase(ExternalDatabase& database);
// The record-set number, or 0 when the statement fails.
int querySql(ExternalDatabase& database, const Text& sql);
// True when the statement ran. With `bytes`, they are bound to its one "?".
bool execSql(ExternalDatabase& database, const Text& sql);
bool execSql(ExternalDatabase& database, const Text& sql, const Bytes& bytes);
// While set, every statement that querySql and execSql run on the
// connection is handed to `trace` first, as the caller wrote it (the
// brackets of a Transaction and bound bytes are not); an empty function
// ends the trace.
// For measurements: the statements of one action, to replay elsewhere.
void traceStatements(ExternalDatabase& database, std::function<void(const Text& sql)> trace);
// Rows the connection's last execSql inserted, changed or deleted; 0 after
// a failure.
int changedRowCount(const ExternalDatabase& database);

void recordMoveFirst(int recordSet);
void recordMoveNext(int recordSet);
void recordMovePrevious(int recordSet);
void recordMoveLast(int recordSet);
bool recordSetAtEnd(int recordSet);       // past the last record, or no record
bool recordSetAtStart(int recordSet);     // before the first record, or no record
// The named column of the current record; a null of no kind when there is
// no such record or column.
FieldValue readField(int recordSet, const Text& column);
void closeRecordSet(int recordSet);

// Close every connection of the program, so that the database file can be
// replaced. A connection released this way opens again on its next use;
// record sets already read stay readable (they hold no handle).
void releaseDataHandlesA();
void releaseDataHandlesB();
void releaseDataHandlesC();

// True when a change written on the open connection reaches the database
// file: false for a read-only file, a directory where the engine cannot
// keep its journal, or a database another writer holds too long. The check
// writes nothing that changes the data; not inside a Transaction.
bool databaseIsWritable(ExternalDatabase& database);

// True for a file that holds a database of the embedded engine.
bool databaseFileExists(const Text& path);

// A text value for use between single quotes in SQL: every "'" doubled.
Text sqlText(const Text& value);
// True for an optional sign and decimal digits only: the form in which a
// number typed by the user may go into SQL unquoted.
bool isWholeNumberText(const Text& text);
