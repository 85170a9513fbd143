// The restore window with backup files it must refuse or cannot finish:
// the data directory and the database change together or not at all, a
// database of another program is refused, names that could not all be
// restored refuse the whole file, and the window shows its progress while
// the database is copied.
#include "tests/desk/tools/backup_windows_fixture.h"
#include "common/internal/qt_objects.h"
#include "common/text/text_collation.h"

#include <QImage>
#include <QPointer>
#include <QScreen>
#include <QProgressBar>
#include <QSqlDriver>
#include <QTimer>

namespace {

using namespace backup_test;

const Text kRefused = "数据恢复失败，请退出系统重试！|错误！|16";
const Text kDatabaseFailed = "恢复数据失败，请退出系统重试！|错误！|16";
const Text kForeign = "该文件不是本系统的数据备份，请重新选择备份文件！|错误！|16";
const Text kRestored = "数据恢复成功，请退出系统重新登录！|恭喜！|64";
const Text kPhoto = "data\\1会20240101120000.PIC";

void run(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery q(db);
    EXPECT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
}

// A backup made through the backup window, then the data changed after it:
// the meeting renamed, a photo changed and one added.
class RestoreFaultTest : public OtherDeskTest {
protected:
    RestoreFaultTest()
    {
        backUpTo(good);
        const StoredBackup stored = readBackup(good);
        for (size_t i = 0; i < stored.names.size(); ++i)
            if (stored.names[i] == "data\\meeting.mdb")
                database = stored.contents[i];
        exec("update 会议信息 set 会议名称='现在的会'");
        put(prog + "\\" + kPhoto, "today's photo");
        put(prog + "\\data\\新照片.PIC", "added today");
        before = tree(prog + "\\data");
    }
    // A backup file of the given names and contents.
    Text craft(const TextList& names, const BytesList& contents)
    {
        const Text file = prog + "\\做的" + toText(++crafted) + ".JQV";
        writeBackup(file, toText(static_cast<long long>(names.size())), packedEach(names), packedEach(contents));
        return file;
    }
    // The data directory file for file, the database and nothing left
    // beside them.
    void expectNothingChanged(const std::string& what)
    {
        EXPECT_EQ(tree(prog + "\\data"), before) << what;
        EXPECT_EQ(meetings(), TextList{"现在的会"}) << what;
        for (const auto& entry : fs::directory_iterator(disk(prog)))
            EXPECT_NE(entry.path().filename().string().front(), '.') << what << ": " << entry.path();
    }
    // A backup whose database is `content`, restored from the main window:
    // refused as another program's, with the main window still open and
    // nothing changed.
    void expectForeign(const Bytes& content, const std::string& what)
    {
        MainWindow& main = openMainWindow();
        restoreFrom(craft({kPhoto, "data\\meeting.mdb"}, {"from the backup", content}));
        EXPECT_EQ(shownMessages().back(), kForeign) << what;
        EXPECT_EQ(findWindow<MainWindow>(), &main) << what;
        expectNothingChanged(what);
        closeWindow(main);
    }
    // A database file made by `build` on a connection of its own, which
    // knows the program's collation.
    Bytes databaseFile(const std::function<void(QSqlDatabase&)>& build)
    {
        const Text path = prog + "\\外来" + toText(++crafted) + ".db";
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "maker");
            db.setDatabaseName(QString::fromStdString(disk(path).string()));
            EXPECT_TRUE(db.open());
            EXPECT_TRUE(registerGbkCollation(*static_cast<sqlite3**>(db.driver()->handle().data())));
            build(db);
            db.close();
        }
        QSqlDatabase::removeDatabase("maker");
        return get(path);
    }
    // The statements that made the backup's database, as the engine keeps
    // them: its tables, then its indexes.
    QStringList statementsOfTheBackup()
    {
        put(prog + "\\表.mdb", database);
        QStringList statements;
        {
            QSqlDatabase tables = QSqlDatabase::addDatabase("QSQLITE", "tables");
            tables.setDatabaseName(QString::fromStdString(disk(prog + "\\表.mdb").string()));
            EXPECT_TRUE(tables.open());
            QSqlQuery q(tables);
            EXPECT_TRUE(q.exec("select sql from sqlite_master where sql is not null and name not like 'sqlite%' "
                               "order by type = 'index', rowid"));
            while (q.next())
                statements << q.value(0).toString();
        }
        QSqlDatabase::removeDatabase("tables");
        return statements;
    }
    // A database made by `statements`, then `rows`.
    Bytes databaseOf(const QStringList& statements, const QStringList& rows = {})
    {
        return databaseFile([&](QSqlDatabase& db) {
            for (const QString& statement : statements + rows)
                run(db, statement);
        });
    }

    const Text good = prog + "\\好.JQV";
    Bytes database;
    std::map<std::string, Bytes> before;
    int crafted = 0;
};

// The database step cannot be done: no database in the file, a database
// that is no database, or another desk holding the write lock longer than
// the restore waits. The user is told, both windows close, and the photos
// and the database are as they were.
TEST_F(RestoreFaultTest, AFailedDatabaseStepLeavesPhotosAndDatabaseAsTheyWere)
{
    const struct {
        std::string what;
        Text file;
    } cases[] = {
        {"no database", craft({kPhoto, "data\\备份里的.PIC"}, {"from the backup", "only in the backup"})},
        {"a text file", craft({kPhoto, "data\\meeting.mdb"}, {"from the backup", "not a database"})},
        {"a damaged database", craft({kPhoto, "data\\meeting.mdb"},
                                     {"from the backup", database.substr(0, database.size() / 2)})},
        {"another desk writing", good},
    };
    for (const auto& c : cases) {
        const bool locked = c.file == good;
        if (locked) {
            other("begin immediate");
            other("insert into 会议分组 (分组名称,会议编号) values ('他处',1)");
        }
        openMainWindow();
        restoreFrom(c.file);
        if (locked)
            other("rollback");
        EXPECT_EQ(shownMessages().back(), kDatabaseFailed) << c.what;
        EXPECT_EQ(findWindow<MainWindow>(), nullptr) << c.what;
        expectNothingChanged(c.what);
    }
}

// A sound database of another program, or one that lacks a column the
// program reads, is refused before anything changes; the windows stay
// open for another choice. A database of an older version, whose columns
// do not name the program's collation, is the program's.
TEST_F(RestoreFaultTest, ADatabaseOfAnotherProgramIsRefusedAndAnOlderOneRestored)
{
    const Bytes foreign = databaseFile([](QSqlDatabase& db) { run(db, "create table x(a)"); });
    Bytes withoutColumn = database;
    put(prog + "\\缺列.mdb", database);
    {
        ExternalDatabase copy{seedWindow, "copy"};
        ASSERT_TRUE(openDatabase(copy, "DBQ=" + prog + "\\缺列.mdb;FILEDSN=" + prog + "\\Meeting.dsn"));
        ASSERT_TRUE(execSql(copy, "alter table 代表信息 drop column 照片"));
        closeDatabase(copy);
        withoutColumn = get(prog + "\\缺列.mdb");
    }
    expectForeign(foreign, "another program's");
    expectForeign(withoutColumn, "without a column");

    // The program's tables as an older version made them, with the meeting
    // of the backup, and its indexes without the lookup indexes that the
    // program adds when it opens it.
    QStringList statements;
    for (QString statement : statementsOfTheBackup())
        if (!statement.contains(QString::fromStdString(gbkToUtf8("代表信息_房间")))
            && !statement.contains(QString::fromStdString(gbkToUtf8("代表信息_餐桌")))
            && !statement.contains(QString::fromStdString(gbkToUtf8("代表信息_分组"))))
            statements << statement.remove(" COLLATE GBK");
    const Bytes older =
        databaseOf(statements, {QString::fromStdString(gbkToUtf8("insert into 会议信息 (会议名称) values ('旧版的会')"))});
    restoreFrom(craft({kPhoto, "data\\meeting.mdb"}, {"from the backup", older}));
    EXPECT_EQ(shownMessages().back(), kRestored);
    EXPECT_EQ(meetings(), TextList{"旧版的会"});
    EXPECT_EQ(get(prog + "\\" + kPhoto), "from the backup");
}

// A backup brings data, not code: a database of the program's tables that
// also holds a trigger, a view or an index of its own (or one of the
// program's indexes defined otherwise) is not the program's and changes
// nothing.
TEST_F(RestoreFaultTest, ADatabaseHoldingCodeOfItsOwnIsRefused)
{
    const struct {
        std::string what;
        TextList statements;
    } cases[] = {
        {"a trigger", {"create trigger 清除 after insert on 代表信息 begin delete from 代表信息 where 代表id<>new.代表id; end"}},
        {"a view", {"create view 全体 as select 姓名 from 代表信息"}},
        {"an index of its own", {"create index 姓名 on 代表信息 (姓名)"}},
        {"the program's index made unique",
         {"drop index 代表信息_会议", "create unique index 代表信息_会议 on 代表信息 (会议编号, 代表编号)"}},
        {"the program's index on other columns", {"drop index 房间信息_会议", "create index 房间信息_会议 on 房间信息 (性别)"}},
    };
    for (const auto& c : cases) {
        const Text path = prog + "\\代码" + toText(++crafted) + ".mdb";
        put(path, database);
        {
            ExternalDatabase copy{seedWindow, "copy"};
            ASSERT_TRUE(openDatabase(copy, "DBQ=" + path + ";FILEDSN=" + prog + "\\Meeting.dsn"));
            for (const Text& statement : c.statements)
                ASSERT_TRUE(execSql(copy, statement)) << c.what;
            closeDatabase(copy);
        }
        expectForeign(get(path), c.what);
    }
}

// The program's tables as the schema declares them: a backup's database
// whose table differs in one thing alone, a constraint, a column's type,
// default, NOT NULL, collation, key or generation, or a column of its own,
// is not the program's and changes nothing; the program's inserts rely on
// its defaults, and a constraint or a generated column is code.
TEST_F(RestoreFaultTest, ADatabaseWhoseTablesAreDeclaredOtherwiseIsRefused)
{
    const struct {
        std::string what;
        Text from, to;
    } cases[] = {
        {"a CHECK constraint", "房间人数 INTEGER DEFAULT 0", "房间人数 INTEGER DEFAULT 0 CHECK (房间人数 < 9)"},
        {"a generated column", "表格次序 INTEGER DEFAULT 0", "表格次序 INTEGER DEFAULT 0, 大小 INTEGER AS (length(模板))"},
        {"another default", "房间编号 TEXT COLLATE GBK DEFAULT '0'", "房间编号 TEXT COLLATE GBK DEFAULT '1'"},
        {"NOT NULL", "分组名称 TEXT COLLATE GBK", "分组名称 TEXT COLLATE GBK NOT NULL"},
        {"another type", "可坐人数 INTEGER", "可坐人数 TEXT"},
        {"another collation", "召集人   TEXT COLLATE GBK", "召集人   TEXT COLLATE NOCASE"},
        {"a unique column", "联络员   TEXT COLLATE GBK", "联络员   TEXT COLLATE GBK UNIQUE"},
        {"a key that replaces rows", "分组id   INTEGER PRIMARY KEY AUTOINCREMENT",
         "分组id   INTEGER PRIMARY KEY ON CONFLICT REPLACE AUTOINCREMENT"},
        {"a column of its own", "会议编号 INTEGER DEFAULT 0,", "会议编号 INTEGER DEFAULT 0, 备注 TEXT,"},
    };
    const QStringList statements = statementsOfTheBackup();
    for (const auto& c : cases) {
        const QString from = QString::fromStdString(gbkToUtf8(c.from)), to = QString::fromStdString(gbkToUtf8(c.to));
        QStringList changed = statements;
        // In the first statement that has it alone.
        const auto at = std::find_if(changed.begin(), changed.end(), [&](const QString& s) { return s.contains(from); });
        ASSERT_NE(at, changed.end()) << c.what;
        at->replace(from, to);
        expectForeign(databaseOf(changed), c.what);
    }
}

// What an earlier restore left that cannot be settled (its journal cut
// short) keeps every later restore from starting over it: the user is told
// that it did not finish and where its files lie, both windows close, and
// nothing changes. A backup is told the same and makes nothing. Moved away
// as the message says, the next restore runs.
TEST_F(RestoreFaultTest, ARestoreOverOneThatCannotBeSettledSaysWhy)
{
    const Text place = prog + "\\.qelvana-restore";
    put(place + "\\journal", "cut sh");
    put(place + "\\old\\data\\旧.PIC", "replaced by that restore");
    const std::map<std::string, Bytes> left = tree(place);
    openMainWindow();
    restoreFrom(good);
    // The user starts again, and the start tries to settle it once more.
    EXPECT_EQ(findWindow<MainWindow>(), nullptr);
    const auto shown = desk.messages().back();
    EXPECT_NE(shown.text.find("上次的数据恢复没有完成"), Text::npos) << gbkToUtf8(shown.text);
    EXPECT_NE(shown.text.find(shownPath(place)), Text::npos) << gbkToUtf8(shown.text);
    EXPECT_TEXT_EQ("错误！", shown.caption);
    EXPECT_EQ(tree(prog + "\\data"), before);
    EXPECT_EQ(meetings(), TextList{"现在的会"});
    EXPECT_EQ(tree(place), left);

    backUpTo(prog + "\\其间.JQV");
    EXPECT_EQ(desk.messages().back().text, shown.text);
    EXPECT_EQ(desk.states.back(), "0|0|false");
    EXPECT_FALSE(fileExists(prog + "\\其间.JQV"));
    EXPECT_FALSE(fileExists(prog + "\\data\\meeting.mdb"));
    EXPECT_EQ(tree(place), left);

    fs::rename(disk(place), disk(prog + "\\保存的恢复"));
    restoreFrom(good);
    EXPECT_EQ(shownMessages().back(), kRestored);
    EXPECT_EQ(meetings(), TextList{"备份前的会"});
}

// Names the data directory could not all hold as given: below the
// database's copy (whether a copy lies in data or not), or one file named
// twice (in any case). The whole file is refused before anything changes,
// and the next backup still runs.
TEST_F(RestoreFaultTest, NamesThatCannotAllBeRestoredRefuseTheWholeFile)
{
    const Bytes stale = "a copy a failed backup left";
    const struct {
        std::string what;
        TextList names;
        BytesList contents;
        bool staleCopy;
    } cases[] = {
        {"below the copy", {kPhoto, "data\\meeting.mdb\\x"}, {"new", "x"}, false},
        {"below a stale copy", {kPhoto, "DATA\\Meeting.MDB\\x"}, {"new", "x"}, true},
        {"twice", {kPhoto, "data\\meeting.mdb", kPhoto}, {"first", database, "second"}, false},
        {"twice in another case", {"data\\a.PIC", "data\\meeting.mdb", "DATA\\A.pic"}, {"first", database, "second"}, false},
    };
    for (const auto& c : cases) {
        if (c.staleCopy) {
            put(prog + "\\data\\meeting.mdb", stale);
            before = tree(prog + "\\data");
        }
        restoreFrom(craft(c.names, c.contents));
        EXPECT_EQ(shownMessages().back(), kRefused) << c.what;
        expectNothingChanged(c.what);
    }
    EXPECT_EQ(get(prog + "\\data\\meeting.mdb"), stale);
    backUpTo(prog + "\\之后.JQV");
    EXPECT_EQ(shownMessages().back(), "数据备份成功！|恭喜！|64");
}

// The database is copied a number of pages at a time, and between the
// steps the window handles its events: the bar moves from 10 to 20 on the
// screen while the buttons cannot start the work again or close the window.
TEST_F(RestoreFaultTest, TheBarMovesWhileTheDatabaseIsCopied)
{
    exec("insert into 自制模板 (模板名称,模板) values ('大模板', randomblob(12000000))");
    const Text file = prog + "\\大.JQV";
    backUpTo(file);
    // What the window shows each time it handles its events, while it is open.
    std::vector<int> shown;
    bool buttonsOpen = false;
    QImage screen;
    QPoint nearStart, nearEnd;
    QTimer watch;
    desk.inModalWindow([&](Window& window) {
        auto& w = dynamic_cast<RestoreWindow&>(window);
        QPointer<QProgressBar> bar = qobject_cast<QProgressBar*>(QtObjects::widget(w.进度条1));
        QPointer<QWidget> start = QtObjects::widget(w.恢复), leave = QtObjects::widget(w.退出备份);
        QObject::connect(&watch, &QTimer::timeout, [&, bar, start, leave] {
            if (!bar || !start || !leave || !bar->isVisible())
                return;
            shown.push_back(bar->value());
            buttonsOpen = buttonsOpen || start->isEnabled() || leave->isEnabled();
            if (bar->value() >= 15 && bar->value() < 20) {
                screen = bar->screen()->grabWindow(bar->window()->winId()).toImage();
                const int y = bar->height() / 2;
                nearStart = bar->mapTo(bar->window(), QPoint(bar->width() * 14 / 100, y));
                nearEnd = bar->mapTo(bar->window(), QPoint(bar->width() * 90 / 100, y));
            }
        });
        click(w.选择目录);
        watch.start(0);
        click(w.恢复);
    });
    desk.answerFile(true, file).answerMessage(AnswerYes).answerMessage(AnswerOk);
    chooseMenuItem(openMainWindow().数据恢复);
    watch.stop();
    EXPECT_EQ(shownMessages().back(), kRestored);
    EXPECT_GE(std::count_if(shown.begin(), shown.end(), [](int p) { return p > 10 && p < 20; }), 3);
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    EXPECT_FALSE(buttonsOpen);
    // On the screen the bar is filled near its start (left of the
    // percentage over its middle), and not near its end.
    ASSERT_FALSE(screen.isNull());
    EXPECT_NE(screen.pixelColor(nearStart), screen.pixelColor(nearEnd));
}

} // namespace
