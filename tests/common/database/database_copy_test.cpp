// The copy check's comparison of a copy's tables with the program's
// script: by the statements as the engine reads them, so blanks, comments
// and the case of words do not count, while every other word and what is
// written inside quotes does; an older version's text columns may lack the
// collation GBK.
#include "common/database/database_copy.h"
#include "common/text/text_collation.h"
#include "tests/support/gbk_print.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>

namespace {

// A database file made by `sql` (UTF-8), on a connection that knows the
// program's collation.
bool makeDatabase(const QString& path, const Bytes& sql)
{
    QFile::remove(path);
    sqlite3* db = nullptr;
    const bool made = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK
                   && registerGbkCollation(db) && sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return made;
}

TEST(DatabaseCopyTest, TablesCompareAsTheEngineReadsTheirStatements)
{
    const Bytes script = gbkToUtf8("-- the program's table\n"
                                   "CREATE TABLE 表 (\n"
                                   "    编号 INTEGER PRIMARY KEY AUTOINCREMENT,  -- its key\n"
                                   "    名称 TEXT COLLATE GBK DEFAULT 'it''s -- x',  /* a text */\n"
                                   "    次序 INTEGER DEFAULT 0\n"
                                   ");\n"
                                   "CREATE INDEX 表_名称 ON 表 (名称);\n");
    const struct {
        const char* what;
        Text table;
        DatabaseCopy expected;
    } cases[] = {
        {"blanks, comments and case",
         "create table 表(编号 integer primary key autoincrement,名称 text collate gbk default 'it''s -- x',"
         "次序 integer\tdefault 0)",
         DatabaseCopy::Sound},
        {"an older version's, without the collation",
         "CREATE TABLE 表 (编号 INTEGER PRIMARY KEY AUTOINCREMENT, 名称 TEXT DEFAULT 'it''s -- x', 次序 INTEGER DEFAULT 0)",
         DatabaseCopy::Sound},
        {"a quoted default in another case",
         "CREATE TABLE 表 (编号 INTEGER PRIMARY KEY AUTOINCREMENT, 名称 TEXT COLLATE GBK DEFAULT 'IT''S -- X', 次序 INTEGER "
         "DEFAULT 0)",
         DatabaseCopy::Foreign},
        {"what follows a comment's mark inside quotes",
         "CREATE TABLE 表 (编号 INTEGER PRIMARY KEY AUTOINCREMENT, 名称 TEXT COLLATE GBK DEFAULT 'it''s -- y', 次序 INTEGER "
         "DEFAULT 0)",
         DatabaseCopy::Foreign},
        {"the collation on a column that has none",
         "CREATE TABLE 表 (编号 INTEGER PRIMARY KEY AUTOINCREMENT, 名称 TEXT COLLATE GBK DEFAULT 'it''s -- x', 次序 INTEGER "
         "COLLATE GBK DEFAULT 0)",
         DatabaseCopy::Foreign},
        {"a table constraint after the columns",
         "CREATE TABLE 表 (编号 INTEGER PRIMARY KEY AUTOINCREMENT, 名称 TEXT COLLATE GBK DEFAULT 'it''s -- x', 次序 INTEGER "
         "DEFAULT 0, UNIQUE (名称, 次序))",
         DatabaseCopy::Foreign},
        {"a table without row ids",
         "CREATE TABLE 表 (编号 INTEGER PRIMARY KEY, 名称 TEXT COLLATE GBK DEFAULT 'it''s -- x', 次序 INTEGER DEFAULT 0) "
         "WITHOUT ROWID",
         DatabaseCopy::Foreign},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("copy.mdb");
    Text copy = utf8ToGbk(path.toStdString());
    std::replace(copy.begin(), copy.end(), '/', '\\');   // a temporary path holds no GBK trail byte 0x5C
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(makeDatabase(path, gbkToUtf8(c.table + ";CREATE INDEX 表_名称 ON 表 (名称);")));
        EXPECT_EQ(checkDatabaseCopy(copy, script), c.expected);
    }
}

} // namespace
