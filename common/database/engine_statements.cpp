// Statements run straight on the engine's handle, with the rules of the Qt
// driver they used to go through: one statement with nothing after it but
// blanks, a value bound to each "?" of it. The rows of a query are typed as
// that driver types them: a result column by its declared type, or, where
// it has none (an expression), by the engine's type of its value in the
// first row. Text that is all ASCII is taken as the engine holds it; other
// text passes through UTF-16, as the driver handed it out; floating values
// and bytes convert as a QVariant of them converts.
#include "common/internal/qtext.h"
#include "common/database/record_sets.h"

#include <QByteArray>
#include <QVariant>

#include <sqlite3.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

FieldValue::Kind declaredKind(const char* declared)
{
    const QString type = QString::fromUtf8(declared).toLower();
    if (type == "integer" || type == "int" || type == "double" || type == "float" || type == "real"
        || type.startsWith("numeric"))
        return FieldValue::NumberKind;
    if (type == "blob")
        return FieldValue::BytesKind;
    if (type == "boolean" || type == "bool")
        return FieldValue::TruthKind;
    return FieldValue::TextKind;
}

// `engineType` is that of the first row's value; SQLITE_NULL without rows.
FieldValue::Kind columnKind(sqlite3_stmt* statement, int column, int engineType)
{
    if (const char* declared = sqlite3_column_decltype(statement, column); declared && *declared)
        return declaredKind(declared);
    switch (engineType) {
    case SQLITE_INTEGER: case SQLITE_FLOAT: return FieldValue::NumberKind;
    case SQLITE_BLOB: return FieldValue::BytesKind;
    default: return FieldValue::TextKind;
    }
}

Text textOf(sqlite3_stmt* statement, int column)
{
    const auto* utf8 = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    const int size = sqlite3_column_bytes(statement, column);
    if (!utf8 || size == 0)
        return Text();
    if (const std::string_view bytes(utf8, static_cast<size_t>(size)); isAscii(bytes))
        return Text(bytes);
    const auto* utf16 = static_cast<const char16_t*>(sqlite3_column_text16(statement, column));
    return fromQString(QStringView(utf16, sqlite3_column_bytes16(statement, column) / 2));
}

FieldValue fromText(Text text, FieldValue::Kind kind)
{
    switch (kind) {
    case FieldValue::NumberKind: return FieldValue::ofNumber(toNumber(text));
    case FieldValue::TruthKind: return FieldValue::ofTruth(FieldValue::ofText(text).truth());
    case FieldValue::BytesKind: return FieldValue::ofBytes(std::move(text));
    default: return FieldValue::ofText(std::move(text));
    }
}

FieldValue fromInteger(long long number, FieldValue::Kind kind)
{
    switch (kind) {
    case FieldValue::NumberKind: return FieldValue::ofNumber(static_cast<double>(number));
    case FieldValue::TruthKind: return FieldValue::ofTruth(number != 0);
    case FieldValue::BytesKind: return FieldValue::ofBytes(std::to_string(number));
    default: return FieldValue::ofText(std::to_string(number));
    }
}

Bytes bytesOf(const QVariant& v)
{
    const QByteArray b = v.toByteArray();
    return Bytes(b.constData(), static_cast<size_t>(b.size()));
}

// A floating value or bytes, converted as QVariant converts them.
FieldValue fromVariant(const QVariant& v, FieldValue::Kind kind)
{
    switch (kind) {
    case FieldValue::NumberKind: return FieldValue::ofNumber(v.toDouble());
    case FieldValue::TruthKind: return FieldValue::ofTruth(v.toLongLong() != 0);
    case FieldValue::BytesKind: return FieldValue::ofBytes(bytesOf(v));
    default: return FieldValue::ofText(v.typeId() == QMetaType::QByteArray ? bytesOf(v) : fromQString(v.toString()));
    }
}

FieldValue cell(sqlite3_stmt* statement, int column, FieldValue::Kind kind)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL: return FieldValue::nullOf(kind);
    case SQLITE_INTEGER: return fromInteger(sqlite3_column_int64(statement, column), kind);
    case SQLITE_FLOAT: return fromVariant(sqlite3_column_double(statement, column), kind);
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(statement, column));
        return fromVariant(QByteArray(data, sqlite3_column_bytes(statement, column)), kind);
    }
    default: return fromText(textOf(statement, column), kind);
    }
}

struct Finalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, Finalizer>;

// Prepares `sql` for `parameters` values; null when it fails.
Statement prepared(sqlite3* db, const QString& sql, int parameters)
{
    sqlite3_stmt* statement = nullptr;
    const void* tail = nullptr;
    if (!db || sql.isEmpty()
        || sqlite3_prepare16_v2(db, sql.constData(), static_cast<int>((sql.size() + 1) * sizeof(QChar)), &statement,
                                &tail) != SQLITE_OK)
        return nullptr;
    Statement owned(statement);
    if (!statement || (tail && !QStringView(static_cast<const char16_t*>(tail)).trimmed().isEmpty())
        || sqlite3_bind_parameter_count(statement) != parameters)
        return nullptr;
    return owned;
}

} // namespace

bool readRows(sqlite3* db, const QString& sql, RecordSet& set)
{
    const Statement statement = prepared(db, sql, 0);
    if (!statement)
        return false;
    sqlite3_stmt* const st = statement.get();
    const int count = sqlite3_column_count(st);
    std::vector<FieldValue::Kind> kinds;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (kinds.empty())
            for (int i = 0; i < count; ++i)
                kinds.push_back(columnKind(st, i, sqlite3_column_type(st, i)));
        std::vector<FieldValue> row;
        row.reserve(kinds.size());
        for (int i = 0; i < count; ++i)
            row.push_back(cell(st, i, kinds[static_cast<size_t>(i)]));
        set.rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        return false;
    for (int i = 0; i < count; ++i)
        set.columns.push_back(fromQString(QString(static_cast<const QChar*>(sqlite3_column_name16(st, i))).remove(u'"')));
    return true;
}

bool runStatement(sqlite3* db, const QString& sql, const Bytes* bytes, int& changedRows)
{
    const Statement statement = prepared(db, sql, bytes ? 1 : 0);
    if (!statement)
        return false;
    if (bytes && sqlite3_bind_blob(statement.get(), 1, bytes->data(), static_cast<int>(bytes->size()), SQLITE_STATIC)
                     != SQLITE_OK)
        return false;
    const int rc = sqlite3_step(statement.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return false;
    changedRows = sqlite3_changes(db);
    return true;
}
