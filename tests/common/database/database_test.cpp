// Connections, typed record sets and the safety of copying and replacing
// the database file, against the delivered database in a test directory.
#include "common/database/database.h"
#include "common/database/database_copy.h"
#include "common/files/files.h"
#include "common/windows/window.h"
#include "tests/support/gbk_print.h"
#include "tests/support/program_directory.h"
#include "tests/support/write_protection.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <stdexcept>

namespace {

class DatabaseTest : public testing::Test {
protected:
    TestProgramDirectory directory;
    Text dir = directory.programPath();
    Text connection(const Text& file = "meeting.mdb", const Text& dsn = "Meeting.dsn") const
    {
        return "ODBC;DBQ=" + dir + "\\" + file + ";DefaultDir= " + dir + ";FILEDSN=" + dir + "\\" + dsn
             + ";UID=admin;";
    }
    int count(ExternalDatabase& db, const Text& sql)
    {
        int rs = querySql(db, sql);
        int n = 0;
        for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs))
            ++n;
        closeRecordSet(rs);
        return rs ? n : -1;
    }

    Window window{"W", {0, 0, 100, 100}, ""};
    ExternalDatabase db{window, "外部数据库1"};
};

TEST_F(DatabaseTest, EveryFailureToOpenLooksAlikeAndCreatesNothing)
{
    writeFile(dir + "\\other.dsn", "[ODBC]\nENGINE=NOSUCHENGINE\n");
    writeFile(dir + "\\broken.mdb", "this is not a database at all, just text");
    writeFile(dir + "\\empty.mdb", "");
    struct Case {
        const char* what;
        Text text;
    } cases[] = {
        {"missing database", connection("gone.mdb")},
        {"missing data source", connection("meeting.mdb", "gone.dsn")},
        {"unknown engine", connection("meeting.mdb", "other.dsn")},
        {"not a database", connection("broken.mdb")},
        {"an empty file", connection("empty.mdb")},
        {"no DBQ", "ODBC;FILEDSN=" + dir + "\\Meeting.dsn;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(openDatabase(db, c.text));
        EXPECT_FALSE(db.isOpen());
        EXPECT_EQ(querySql(db, "select * from 密码信息"), 0);
        EXPECT_FALSE(execSql(db, "delete from 密码信息"));
    }
    EXPECT_FALSE(QFile::exists(directory.file("gone.mdb")));
    EXPECT_TRUE(readFile(dir + "\\empty.mdb").empty());
    // A data-source file written with CR LF line ends names the engine too.
    writeFile(dir + "\\crlf.dsn", "[ODBC]\r\nDRIVER=Qelvana embedded database\r\nENGINE=QSQLITE\r\n");
    EXPECT_TRUE(openDatabase(db, connection("meeting.mdb", "crlf.dsn")));
    EXPECT_EQ(count(db, "select * from 密码信息 where 权限='管理员'"), 1);
    EXPECT_TRUE(databaseIsWritable(db));
}

TEST_F(DatabaseTest, FieldsComeBackTypedWithTheColumnDefaults)
{
    ASSERT_TRUE(openDatabase(db, connection()));
    // The odd blanks and literals of the program's statements pass unchanged.
    ASSERT_TRUE(execSql(db, "insert  into 代表信息 (姓名,单位,性别,代表编号,会议编号) values ('张　三','单位','男','007',3)"));
    int rs = querySql(db, "select * from 代表信息 where 会议编号=3 and 姓名='张　三'and  报到情况=false  order  by 代表编号 ");
    ASSERT_NE(rs, 0);
    recordMoveFirst(rs);
    ASSERT_FALSE(recordSetAtEnd(rs));
    struct Expect {
        const char* column;
        FieldValue::Kind kind;
        Text text;
    } expects[] = {
        {"姓名", FieldValue::TextKind, "张　三"},   {"代表编号", FieldValue::TextKind, "007"},
        {"照片", FieldValue::TextKind, ""},         {"宾馆名称", FieldValue::TextKind, " "},
        {"房间编号", FieldValue::TextKind, "0"},    {"餐厅名称", FieldValue::TextKind, " "},
        {"餐桌编号", FieldValue::TextKind, "0"},    {"表5", FieldValue::TextKind, "0"},
        {"分组编号", FieldValue::NumberKind, "0"},  {"会议编号", FieldValue::NumberKind, "3"},
        {"报到情况", FieldValue::TruthKind, "false"}, {"职务", FieldValue::TextKind, ""},
    };
    for (const Expect& e : expects) {
        SCOPED_TRACE(e.column);
        FieldValue v = readField(rs, e.column);
        EXPECT_EQ(v.kind(), e.kind);
        EXPECT_TEXT_EQ(e.text, v.text());
    }
    EXPECT_TRUE(readField(rs, "职务").isNull());
    EXPECT_EQ(readField(rs, "职务").number(), 0);
    EXPECT_GT(readField(rs, "代表ID").number(), 0);   // ASCII letters in names ignore case
    closeRecordSet(rs);

    ASSERT_TRUE(execSql(db, "update 代表信息 set 报到情况=true where 会议编号=3"));
    EXPECT_EQ(count(db, "select * from 代表信息 where 报到情况=true"), 1);
    ASSERT_TRUE(execSql(db, "insert  into  房间信息 (宾馆名称,房间编号,房间类别,房间人数,已住人数,性别,会议编号)  values  ('宾馆','101','标准',2.7,0,'无',3)"));
    rs = querySql(db, "select * from 房间信息 where 已住人数<房间人数");
    EXPECT_EQ(readField(rs, "房间人数").number(), 2);   // truncated
    closeRecordSet(rs);
}

// Each field as the engine holds it, typed by its column's declared type, or
// by the first row's value where a result column has none (an expression).
TEST_F(DatabaseTest, FieldsAreTypedByTheirColumnsAndReadAsTheEngineHoldsThem)
{
    ASSERT_TRUE(openDatabase(db, connection()));
    ASSERT_TRUE(execSql(db, "insert into 代表信息 (姓名,单位,代表编号,分组编号,会议编号) values ('张三','A单位',12,'x1',4)"));
    ASSERT_TRUE(execSql(db, "insert into 代表信息 (姓名,单位,代表编号,分组编号,会议编号) values ('李四',' ','13',7.9,4)"));
    struct Expect {
        const char* query;
        FieldValue::Kind kind;
        Text text;
        int number;
        bool null;
    } expects[] = {
        {"select 单位 as v from 代表信息 where 会议编号=4 order by 代表编号", FieldValue::TextKind, "A单位", 0, false},
        {"select 代表编号 as v from 代表信息 where 会议编号=4 order by 代表编号", FieldValue::TextKind, "12", 12, false},
        {"select 分组编号 as v from 代表信息 where 会议编号=4 order by 代表编号", FieldValue::NumberKind, "0", 0, false},
        {"select 分组编号 as v from 代表信息 where 会议编号=4 order by 代表编号 desc", FieldValue::NumberKind, "7.9", 7, false},
        {"select 职务 as v from 代表信息 where 会议编号=4", FieldValue::TextKind, "", 0, true},
        {"select 会议编号*2 as v from 代表信息 where 会议编号=4", FieldValue::NumberKind, "8", 8, false},
        {"select 2.5 as v", FieldValue::NumberKind, "2.5", 2, false},
        {"select -3 as v", FieldValue::NumberKind, "-3", -3, false},
        {"select '42 号' as v", FieldValue::TextKind, "42 号", 0, false},
        {"select null as v", FieldValue::TextKind, "", 0, true},
        {"select x'00ff41' as v", FieldValue::BytesKind, Text("\0\xff" "A", 3), 0, false},
        {"select 报到情况 as v from 代表信息 where 会议编号=4", FieldValue::TruthKind, "false", 0, false},
        {"select max(代表id)-max(代表id) as v from 代表信息", FieldValue::NumberKind, "0", 0, false},
    };
    for (const Expect& e : expects) {
        SCOPED_TRACE(e.query);
        const int rs = querySql(db, e.query);
        ASSERT_NE(rs, 0);
        recordMoveFirst(rs);
        const FieldValue v = readField(rs, "V");
        EXPECT_EQ(v.kind(), e.kind);
        EXPECT_TEXT_EQ(e.text, e.kind == FieldValue::BytesKind ? v.bytes() : v.text());
        EXPECT_EQ(v.number(), e.number);
        EXPECT_EQ(v.isNull(), e.null);
        closeRecordSet(rs);
    }
    // One statement at a time; blanks after it are no second one.
    EXPECT_EQ(querySql(db, "select 1 as v; delete from 代表信息"), 0);
    EXPECT_EQ(count(db, "select * from 代表信息 where 会议编号=4"), 2);
    EXPECT_EQ(count(db, "select 1 as v ;  \r\n"), 1);
    EXPECT_EQ(querySql(db, "select * from 没有的表"), 0);
    EXPECT_EQ(querySql(db, "  "), 0);
    // Columns of an empty result keep their declared types: nothing to read.
    const int none = querySql(db, "select * from 代表信息 where 会议编号=99");
    EXPECT_NE(none, 0);
    EXPECT_TRUE(recordSetAtEnd(none));
    closeRecordSet(none);
}

TEST_F(DatabaseTest, BytesBoundToTheParameterComeBackByteForByte)
{
    ASSERT_TRUE(openDatabase(db, connection()));
    const Bytes bytes("\0\x01\xff\xa4\x40'\"?\0end", 12);   // NULs, a BIG5 pair, quotes
    ASSERT_TRUE(execSql(db, "insert into 自制模板  (模板名称,模板) values ('样表',?)", bytes));
    int rs = querySql(db, "select * from 自制模板");
    recordMoveFirst(rs);
    EXPECT_EQ(readField(rs, "模板").kind(), FieldValue::BytesKind);
    EXPECT_EQ(readField(rs, "模板").bytes(), bytes);
    EXPECT_EQ(readField(rs, "会议编号").number(), 0);   // an imported template is shared
    closeRecordSet(rs);
}

TEST_F(DatabaseTest, TheRowsAStatementChangedAreCounted)
{
    ASSERT_TRUE(openDatabase(db, connection()));
    for (const char* name : {"甲", "乙", "丙"})
        ASSERT_TRUE(execSql(db, Text("insert into 会议分组 (会议编号,分组名称) values (7,'") + name + "')"));
    EXPECT_EQ(changedRowCount(db), 1);
    EXPECT_TRUE(execSql(db, "update 会议分组 set 分组地点='厅' where 会议编号=7 and 分组名称<>'甲'"));
    EXPECT_EQ(changedRowCount(db), 2);
    EXPECT_TRUE(execSql(db, "update 会议分组 set 分组地点='厅' where 会议编号=8"));
    EXPECT_EQ(changedRowCount(db), 0);
    EXPECT_TRUE(execSql(db, "delete from 会议分组 where 会议编号=7"));
    EXPECT_EQ(changedRowCount(db), 3);
    EXPECT_FALSE(execSql(db, "update 无此表 set a=1"));
    EXPECT_EQ(changedRowCount(db), 0);
    // One statement at a time, and a "?" only with bytes bound to it.
    EXPECT_FALSE(execSql(db, "insert into 会议分组 (会议编号) values (9); delete from 会议分组"));
    EXPECT_FALSE(execSql(db, "insert into 会议分组 (会议编号,分组名称) values (9,?)"));
    EXPECT_FALSE(execSql(db, "insert into 会议分组 (会议编号) values (9)", Bytes("x")));
    EXPECT_TRUE(execSql(db, "insert into 会议分组 (会议编号) values (9)  \r\n"));
    EXPECT_EQ(count(db, "select * from 会议分组 where 会议编号=9"), 1);
}

TEST_F(DatabaseTest, MovesAndReadsOutsideTheRecordsAreHarmless)
{
    ASSERT_TRUE(openDatabase(db, connection()));
    execSql(db, "insert  into 会议分组 (分组名称,会议编号) values ('一组',1)");
    execSql(db, "insert  into 会议分组 (分组名称,会议编号) values ('二组',1)");
    const int none = 0, empty = querySql(db, "select * from 会议分组 where 会议编号=9"),
              two = querySql(db, "select * from 会议分组 order by 分组id");
    ASSERT_NE(empty, 0);
    for (int rs : {none, empty}) {
        recordMoveFirst(rs);
        recordMoveLast(rs);
        recordMovePrevious(rs);
        recordMoveNext(rs);
        EXPECT_TRUE(recordSetAtEnd(rs));
        EXPECT_TRUE(recordSetAtStart(rs));
        EXPECT_TEXT_EQ("", readField(rs, "分组名称").text());
        EXPECT_EQ(readField(rs, "分组id").number(), 0);
    }
    recordMoveLast(two);
    EXPECT_TEXT_EQ("二组", readField(two, "分组名称").text());
    recordMoveNext(two);
    recordMoveNext(two);
    EXPECT_TRUE(recordSetAtEnd(two));
    EXPECT_TEXT_EQ("", readField(two, "分组名称").text());
    recordMovePrevious(two);
    EXPECT_TEXT_EQ("二组", readField(two, "分组名称").text());
    recordMovePrevious(two);
    recordMovePrevious(two);
    recordMovePrevious(two);
    EXPECT_TRUE(recordSetAtStart(two));
    EXPECT_FALSE(recordSetAtEnd(two));
    EXPECT_TRUE(readField(two, "分组名称").isNull());
    recordMoveFirst(two);
    EXPECT_TEXT_EQ("", readField(two, "没有这列").text());
    closeRecordSet(two);
    closeRecordSet(two);
    EXPECT_TRUE(recordSetAtEnd(two));
    closeRecordSet(empty);
}

TEST_F(DatabaseTest, QuotedValuesCannotChangeTheStatement)
{
    ASSERT_TRUE(openDatabase(db, connection()));
    EXPECT_TEXT_EQ("it''s ''''", sqlText("it's ''"));
    EXPECT_TEXT_EQ("嘰淺", sqlText("嘰淺"));   // trail bytes 0x5C are not quotes
    const Text name = "O'Brien 的会";
    ASSERT_TRUE(execSql(db, "insert  into 会议信息 (会议名称) values ('" + sqlText(name) + "')"));
    EXPECT_EQ(count(db, "select * from 会议信息 where 会议名称='" + sqlText(name) + "'"), 1);
    EXPECT_EQ(count(db, "select * from 密码信息 where 密码='" + sqlText("' or ''='") + "'"), 0);

    struct Number {
        const char* text;
        bool whole;
    } numbers[] = {{"12", true}, {"-3", true}, {"+4", true}, {"0", true}, {"", false},
                   {"1.5", false}, {"2 ", false}, {"1;drop", false}, {"-", false},
                   {"1234567890123456789", false}};
    for (const Number& n : numbers)
        EXPECT_EQ(isWholeNumberText(n.text), n.whole) << n.text;
}

TEST_F(DatabaseTest, ATransactionKeepsAllOfItsStatementsOrNone)
{
    ASSERT_TRUE(openDatabase(db, connection()));
    ExternalDatabase reader{window, "reader"};
    ASSERT_TRUE(openDatabase(reader, connection()));
    {
        Transaction unit(db);
        ASSERT_TRUE(execSql(db, "insert  into 会议分组 (分组名称,会议编号) values ('甲',7)"));
        ASSERT_TRUE(execSql(db, "insert  into 会议分组 (分组名称,会议编号) values ('乙',7)"));
        EXPECT_EQ(count(reader, "select * from 会议分组"), 0);   // not before the commit
        EXPECT_TRUE(unit.commit());
    }
    EXPECT_EQ(count(reader, "select * from 会议分组 where 会议编号=7"), 2);

    // However the engine refuses a statement, nothing of the unit stays and
    // no later statement runs on its own.
    for (const char* refusal : {"abort", "rollback", "fail"}) {
        SCOPED_TRACE(refusal);
        ASSERT_TRUE(execSql(db, Text("create trigger refuse before insert on 会议分组 when new.分组名称='坏' begin"
                                     " select raise(") + refusal + ",'refused'); end"));
        Transaction unit(db);
        EXPECT_TRUE(execSql(db, "update 会议分组 set 分组名称='改' where 会议编号=7"));
        EXPECT_FALSE(execSql(db, "insert  into 会议分组 (分组名称,会议编号) values ('坏',8)"));
        EXPECT_FALSE(execSql(db, "insert  into 会议分组 (分组名称,会议编号) values ('后',8)"));
        EXPECT_FALSE(unit.commit());
        EXPECT_EQ(count(reader, "select * from 会议分组 where 分组名称<>'改' and 会议编号=7"), 2);
        EXPECT_EQ(count(reader, "select * from 会议分组 where 会议编号=8"), 0);
        ASSERT_TRUE(execSql(db, "drop trigger refuse"));
    }
}

TEST_F(DatabaseTest, ATransactionLeftWithoutCommitRollsBackAndInnerOnesJoinIt)
{
    ASSERT_TRUE(openDatabase(db, connection()));
    try {
        Transaction unit(db);
        ASSERT_TRUE(execSql(db, "insert  into 会议分组 (分组名称,会议编号) values ('甲',7)"));
        throw std::runtime_error("the handler gives up");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(count(db, "select * from 会议分组"), 0);

    {
        Transaction outer(db);
        ASSERT_TRUE(execSql(db, "insert  into 会议分组 (分组名称,会议编号) values ('甲',7)"));
        {
            Transaction inner(db);
            ASSERT_TRUE(execSql(db, "insert  into 会议分组 (分组名称,会议编号) values ('乙',7)"));
            EXPECT_TRUE(inner.commit());
        }
        EXPECT_EQ(count(db, "select * from 会议分组"), 2);   // the unit sees its own rows
        {
            Transaction inner(db);   // gives up: the whole unit fails
        }
        EXPECT_FALSE(execSql(db, "insert  into 会议分组 (分组名称,会议编号) values ('丙',7)"));
        EXPECT_FALSE(outer.commit());
    }
    EXPECT_EQ(count(db, "select * from 会议分组"), 0);

    // A connection released in the middle loses the unit; it writes again afterwards.
    Transaction unit(db);
    ASSERT_TRUE(execSql(db, "insert  into 会议分组 (分组名称,会议编号) values ('甲',7)"));
    releaseDataHandlesA();
    EXPECT_FALSE(execSql(db, "insert  into 会议分组 (分组名称,会议编号) values ('乙',7)"));
    EXPECT_FALSE(unit.commit());
    EXPECT_EQ(count(db, "select * from 会议分组"), 0);
    EXPECT_TRUE(execSql(db, "insert  into 会议分组 (分组名称,会议编号) values ('丙',7)"));
}

TEST_F(DatabaseTest, TextSortsAndComparesInGbkByteOrder)
{
    ASSERT_TRUE(openDatabase(db, connection()));
    // 北 东 安 西 and 一 二 run the other way by code point; a character
    // beyond GBK (four bytes), ASCII of both cases, a prefix, the empty text.
    TextList names = {"西楼", "东楼", "北楼", "安楼", "东楼二", "东楼一", "𠀀楼", "B座", "b座", "B", ""};
    for (const Text& name : names)
        ASSERT_TRUE(execSql(db, "insert  into  房间信息 (宾馆名称,会议编号)  values  ('" + name + "',1)"));
    std::sort(names.begin(), names.end());
    auto hotels = [this](const Text& sql) {
        TextList found;
        const int rs = querySql(db, "select 宾馆名称 from 房间信息 " + sql);
        for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs))
            found.push_back(readField(rs, "宾馆名称").text());
        closeRecordSet(rs);
        return found;
    };
    EXPECT_EQ(names, hotels("order by 宾馆名称"));
    EXPECT_EQ((TextList{"安楼", "北楼", "东楼", "西楼"}),
              hotels("where 宾馆名称 in ('东楼','北楼','安楼','西楼') order by 宾馆名称"));
    EXPECT_EQ((TextList{"东楼二", "东楼一"}), hotels("where 宾馆名称 > '东楼' and 宾馆名称 < '西楼' order by 宾馆名称"));
    EXPECT_EQ(TextList{"东楼"}, hotels("where 宾馆名称 = '东楼'"));
    EXPECT_EQ(TextList{"西楼"}, hotels("where 宾馆名称 = (select max(宾馆名称) from 房间信息)"));
}

// The engine's own shell knows the program's collation only once it loads
// the extension from the program directory; then it orders and compares
// text as the program does.
TEST_F(DatabaseTest, TheEnginesShellComparesTextInGbkOrderWithTheExtension)
{
    ASSERT_TRUE(openDatabase(db, connection()));
    for (const char* name : {"西楼", "东楼", "北楼", "安楼"})
        ASSERT_TRUE(execSql(db, "insert  into  房间信息 (宾馆名称,会议编号)  values  ('" + Text(name) + "',1)"));
    closeDatabase(db);
    const QString sql = QString::fromStdString(
        gbkToUtf8("select 宾馆名称 from 房间信息 where 宾馆名称 > '北' order by 宾馆名称;"));
    auto shell = [&](QStringList arguments, QString& output) {
        QProcess sqlite;
        sqlite.start("sqlite3", arguments << directory.file("meeting.mdb") << sql);
        EXPECT_TRUE(sqlite.waitForFinished());
        output = QString::fromUtf8(sqlite.readAllStandardOutput() + sqlite.readAllStandardError());
        return sqlite.exitStatus() == QProcess::NormalExit && sqlite.exitCode() == 0;
    };
    QString output;
    EXPECT_FALSE(shell({}, output));
    EXPECT_TRUE(output.contains("no such collation sequence: GBK")) << output.toStdString();
    const QString extension = qEnvironmentVariable("QELVANA_PROGRAM_DIR") + "/gbk_collation";
    ASSERT_TRUE(shell({"-cmd", ".load " + extension}, output)) << output.toStdString();
    EXPECT_EQ(output.toStdString(), gbkToUtf8("北楼\n东楼\n西楼\n"));
}

TEST_F(DatabaseTest, ACopyHoldsEveryCommittedChange)
{
    ASSERT_TRUE(openDatabase(db, connection()));
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(execSql(db, "insert  into 会议分组 (分组名称,会议编号) values ('组',7)"));
    // The connection stays open, as the main window's does during a backup.
    ASSERT_TRUE(copyFile(dir + "\\meeting.mdb", dir + "\\data\\meeting.mdb"));
    ExternalDatabase copy{window, "copy"};
    ASSERT_TRUE(openDatabase(copy, connection("data\\meeting.mdb")));
    EXPECT_EQ(count(copy, "select * from 会议分组 where 会议编号=7"), 50);
}

// The engine's own copy: a snapshot stands alone beside the live file; a
// copy is sound only when it is whole, holds the tables a script makes and
// no index the script does not make; a restore into the open database
// changes nothing any connection sees until its last step commits, and
// nothing when it is given up.
TEST_F(DatabaseTest, SnapshotsStandAloneAndRestoresCommitInTheirLastStep)
{
    ASSERT_TRUE(openDatabase(db, connection()));
    ASSERT_TRUE(execSql(db, "insert  into 自制模板 (模板名称,模板) values ('大',randomblob(3000000))"));
    const Text copy = dir + "\\data\\meeting.mdb";
    writeFile(copy, "an older copy");
    ASSERT_TRUE(snapshotDatabase(dir + "\\meeting.mdb", copy));
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        EXPECT_FALSE(QFile::exists(directory.file("data/meeting.mdb") + suffix)) << suffix;
    EXPECT_FALSE(snapshotDatabase(dir + "\\gone.mdb", dir + "\\data\\gone.mdb"));
    ASSERT_TRUE(execSql(db, "delete from 自制模板"));

    const Bytes sound = readFile(copy);
    Bytes damaged = sound;
    damaged.replace(damaged.size() / 2, 4096, 4096, '\x5a');
    // The copy's own schema, and one table of it.
    Bytes schema;
    const int rs = querySql(db, "select sql from sqlite_master where sql is not null and name not like 'sqlite%'");
    for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs))
        schema += gbkToUtf8(readField(rs, "sql").text()) + ";\n";
    closeRecordSet(rs);
    const Bytes other = gbkToUtf8("create table 自制模板 (别的);");
    for (const Bytes& bad : {damaged, Bytes("not a database")}) {
        writeFile(copy, bad);
        EXPECT_EQ(checkDatabaseCopy(copy, schema), DatabaseCopy::Damaged);
    }
    writeFile(copy, sound);
    EXPECT_EQ(checkDatabaseCopy(copy, schema), DatabaseCopy::Sound);
    EXPECT_EQ(checkDatabaseCopy(copy, other), DatabaseCopy::Foreign);
    // The copy's indexes are not all the script's.
    EXPECT_EQ(checkDatabaseCopy(copy, gbkToUtf8("create table 自制模板 (模板名称, 模板);")), DatabaseCopy::Foreign);
    EXPECT_EQ(checkDatabaseCopy(copy, "not sql"), DatabaseCopy::Damaged);

    ASSERT_TRUE(writeDatabaseNumber(copy, 7));
    {
        DatabaseRestore givenUp(copy, dir + "\\meeting.mdb");
        ASSERT_TRUE(givenUp.lock());
        ASSERT_TRUE(givenUp.step());
        EXPECT_FALSE(givenUp.committed());
        EXPECT_EQ(count(db, "select * from 自制模板"), 0);
    }
    int number = -1;
    ASSERT_TRUE(readDatabaseNumber(dir + "\\meeting.mdb", number));
    EXPECT_EQ(number, 0);
    EXPECT_EQ(count(db, "select * from 自制模板"), 0);
    DatabaseRestore restore(copy, dir + "\\meeting.mdb");
    int steps = 0;
    while (!restore.committed() && restore.step())
        ++steps;
    EXPECT_TRUE(restore.committed());
    EXPECT_GT(steps, 1);
    EXPECT_EQ(restore.percentCopied(), 100);
    EXPECT_EQ(count(db, "select * from 自制模板"), 1);
    ASSERT_TRUE(readDatabaseNumber(dir + "\\meeting.mdb", number));
    EXPECT_EQ(number, 7);
    EXPECT_FALSE(QFile::exists(directory.file("data/meeting.mdb-shm")));
}

TEST_F(DatabaseTest, ReleasedConnectionsLetTheFileBeReplacedAndOpenAgain)
{
    ASSERT_TRUE(openDatabase(db, connection()));
    ExternalDatabase other{window, "报表外部数据库"};
    ASSERT_TRUE(openDatabase(other, connection()));
    ASSERT_TRUE(copyFile(dir + "\\meeting.mdb", dir + "\\data\\meeting.mdb"));
    ASSERT_TRUE(execSql(db, "insert  into 会议信息 (会议名称) values ('备份后')"));
    const int before = querySql(other, "select * from 会议信息");

    releaseDataHandlesA();
    releaseDataHandlesB();
    releaseDataHandlesC();
    EXPECT_FALSE(QFile::exists(directory.file("meeting.mdb-wal")));   // nothing holds the file
    ASSERT_TRUE(copyFile(dir + "\\data\\meeting.mdb", dir + "\\meeting.mdb"));

    EXPECT_EQ(count(db, "select * from 会议信息"), 0);      // reopened on the restored file
    EXPECT_EQ(count(other, "select * from 会议信息"), 0);
    recordMoveFirst(before);
    EXPECT_TEXT_EQ("备份后", readField(before, "会议名称").text());   // read sets stay readable
    closeRecordSet(before);
    closeDatabase(db);
    EXPECT_EQ(querySql(db, "select * from 会议信息"), 0);  // closed on purpose stays closed
}

TEST_F(DatabaseTest, AReplacedDatabaseLosesTheJournalsOfItsOldContent)
{
    ASSERT_TRUE(copyFile(dir + "\\meeting.mdb", dir + "\\data\\meeting.mdb"));
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        QFile stale(directory.file("meeting.mdb") + suffix);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray(4096, '\x5a'));
    }
    ASSERT_TRUE(copyFile(dir + "\\data\\meeting.mdb", dir + "\\meeting.mdb"));
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        EXPECT_FALSE(QFile::exists(directory.file("meeting.mdb") + suffix)) << suffix;
    ASSERT_TRUE(openDatabase(db, connection()));
    EXPECT_EQ(count(db, "select * from 密码信息"), 1);
}

TEST_F(DatabaseTest, AFileReplacedByAnotherProgramIsFollowedAndNeverWrittenInto)
{
    ASSERT_TRUE(copyFile(dir + "\\meeting.mdb", dir + "\\data\\incoming.mdb"));
    {
        ExternalDatabase other{window, "other"};
        ASSERT_TRUE(openDatabase(other, connection("data\\incoming.mdb")));
        ASSERT_TRUE(execSql(other, "insert  into 会议信息 (会议名称) values ('恢复的')"));
    }
    ASSERT_TRUE(openDatabase(db, connection()));
    ASSERT_TRUE(execSql(db, "insert  into 会议信息 (会议名称) values ('旧')"));
    {
        Transaction unit(db);
        ASSERT_TRUE(execSql(db, "insert  into 会议信息 (会议名称) values ('半途')"));
        directory.replaceDatabaseBehindTheProgram(directory.file("data/incoming.mdb"));
        EXPECT_FALSE(unit.commit());   // it went into the file that was replaced
    }
    EXPECT_TRUE(execSql(db, "insert  into 会议信息 (会议名称) values ('新')"));
    ExternalDatabase fresh{window, "fresh"};
    ASSERT_TRUE(openDatabase(fresh, connection()));
    for (ExternalDatabase* seen : {&db, &fresh}) {
        EXPECT_EQ(count(*seen, "select * from 会议信息"), 2);
        EXPECT_EQ(count(*seen, "select * from 会议信息 where 会议名称 in ('恢复的','新')"), 2);
    }
    closeDatabase(fresh);

    // Replaced by something that is no database: nothing runs any more.
    writeFile(dir + "\\data\\empty.mdb", "");
    directory.replaceDatabaseBehindTheProgram(directory.file("data/empty.mdb"));
    EXPECT_FALSE(execSql(db, "insert  into 会议信息 (会议名称) values ('丢失')"));
    EXPECT_EQ(querySql(db, "select * from 会议信息"), 0);
    EXPECT_TRUE(readFile(dir + "\\meeting.mdb").empty());
}

TEST_F(DatabaseTest, ADatabaseThatCannotBeWrittenIsToldApart)
{
    ASSERT_TRUE(openDatabase(db, connection()));   // the file now runs with its log
    closeDatabase(db);
    WriteProtection readOnly(directory.file("meeting.mdb"));
    if (!readOnly.active())
        GTEST_SKIP() << "no write protection on this file system";
    ASSERT_TRUE(openDatabase(db, connection()));
    EXPECT_EQ(count(db, "select * from 密码信息"), 1);
    EXPECT_FALSE(databaseIsWritable(db));
    EXPECT_FALSE(execSql(db, "insert  into 会议信息 (会议名称) values ('写不进')"));
}

// What another program on the same database reads: the first value of its
// statement, or "failed".
Text peerReads(const QString& database, const Text& sql)
{
    QProcess peer;
    peer.start(QELVANA_DATABASE_PEER, {database, QString::fromStdString(gbkToUtf8(sql))});
    if (!peer.waitForFinished(20000) || peer.exitStatus() != QProcess::NormalExit || peer.exitCode() != 0)
        return "failed";
    return peer.readAllStandardOutput().toStdString();
}

TEST_F(DatabaseTest, TwoProgramsOnOneDatabaseKeepEachOthersWrites)
{
    // As a desk starts: the login window's connection has read, the main
    // window opens a connection of its own, the login window closes; then
    // another program on the same database comes and goes.
    ExternalDatabase login{window, "login"};
    ASSERT_TRUE(openDatabase(login, connection()));
    EXPECT_EQ(count(login, "select * from 密码信息"), 1);
    ASSERT_TRUE(openDatabase(db, connection()));
    closeDatabase(login);
    ASSERT_TRUE(execSql(db, "insert  into 会议信息 (会议名称) values ('甲')"));
    const QString file = directory.file("meeting.mdb");
    EXPECT_TEXT_EQ("1", peerReads(file, "select count(*) from 会议信息"));
    // Its end must not take the log from under this program's connection.
    EXPECT_TRUE(QFileInfo::exists(file + "-wal"));
    ASSERT_TRUE(execSql(db, "insert  into 会议信息 (会议名称) values ('乙')"));
    EXPECT_TEXT_EQ("2", peerReads(file, "select count(*) from 会议信息"));
    // A copy of the file read here leaves the connection its locks too.
    ASSERT_TRUE(copyFile(dir + "\\meeting.mdb", dir + "\\data\\copy.mdb"));
    EXPECT_EQ(count(db, "select * from 会议信息"), 2);
    EXPECT_TEXT_EQ("2", peerReads(file, "select count(*) from 会议信息"));
    EXPECT_TRUE(QFileInfo::exists(file + "-wal"));
    EXPECT_TEXT_EQ("1", peerReads(file, "insert into 会议信息 (会议名称) values ('丙') returning 1"));
    EXPECT_EQ(count(db, "select * from 会议信息"), 3);
}

TEST_F(DatabaseTest, ACommittedChangeSurvivesTheProgramBeingKilled)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    auto commitAndDie = [this] {
        ExternalDatabase victim{window, "victim"};
        if (openDatabase(victim, connection())
            && execSql(victim, "insert  into 会议信息 (会议名称) values ('幸存')"))
            std::raise(SIGKILL);
        std::_Exit(3);
    };
    EXPECT_EXIT(commitAndDie(), testing::KilledBySignal(SIGKILL), "");
    ASSERT_TRUE(openDatabase(db, connection()));
    EXPECT_EQ(count(db, "select * from 会议信息 where 会议名称='幸存'"), 1);
}

} // namespace
