// The backup and restore windows: their units and dialogs, the messages of
// every way through, the progress and timer as each message shows, a backup
// brought back by a restore that closes the main window, and failed or
// refused restores that leave the database and photos as they were.
#include "backup/backup_file.h"
#include "tests/desk/tools/backup_windows_fixture.h"

#include <QTest>

namespace {

using namespace backup_test;

TEST_F(BackupWindowsTest, BothWindowsShowTheirCaptionsAndDialogs)
{
    inWindow<BackupWindow>([&](BackupWindow& w) {
        EXPECT_TEXT_EQ("数据备份", w.caption());
        EXPECT_EQ(w.width(), 380);
        EXPECT_EQ(w.height(), 250);
        EXPECT_TEXT_EQ("请选择备份数据存放目录", w.分组框1.caption());
        EXPECT_TEXT_EQ("选择备份目录(&L)", w.选择目录.caption());
        EXPECT_TEXT_EQ("开始备份(&S)", w.备份.caption());
        EXPECT_TEXT_EQ("返　　回(&X)", w.退出备份.caption());
        EXPECT_TEXT_EQ("宋体", w.编辑框1.font().face);
        EXPECT_EQ(w.标签1.textColour(), 0xFFFFFF);
        EXPECT_EQ(w.时钟1.period(), 0);
        // Cancelled, the box still takes the dialog's file name.
        desk.answerFile(false).answerFile(true, prog + "\\备份\\甲");
        click(w.选择目录);
        EXPECT_TEXT_EQ("Qelvana数据库备份", w.编辑框1.content());
        const FileDialogRequest& r = desk.lastFileRequest();
        EXPECT_TRUE(r.save);
        EXPECT_TEXT_EQ("请选择备份文件存放的目录", r.title);
        EXPECT_TEXT_EQ("备份文件(*.JQV)", r.filter);
        EXPECT_TEXT_EQ("JQV", r.defaultExtension);
        click(w.选择目录);   // a chosen path shows as this platform writes it
        EXPECT_TEXT_EQ(slashed(prog) + "/备份/甲.JQV", w.编辑框1.content());
        click(w.退出备份);
    });
    inWindow<RestoreWindow>([&](RestoreWindow& w) {
        EXPECT_TEXT_EQ("数据恢复", w.caption());
        EXPECT_TEXT_EQ("请选择备份的数据文件", w.分组框1.caption());
        EXPECT_TEXT_EQ("选择数据目录(&L)", w.选择目录.caption());
        EXPECT_TEXT_EQ("开始恢复(&S)", w.恢复.caption());
        EXPECT_TEXT_EQ("返　　回(&X)", w.退出备份.caption());
        desk.answerFile(false);
        click(w.选择目录);
        EXPECT_TEXT_EQ("*.JQV", w.编辑框1.content());
        const FileDialogRequest& r = desk.lastFileRequest();
        EXPECT_FALSE(r.save);
        EXPECT_TEXT_EQ("请选择存放的备份文件", r.title);
        EXPECT_TEXT_EQ("备份文件(*.JQV)", r.filter);
        click(w.退出备份);
    });
}

TEST_F(BackupWindowsTest, EmptyPathsAreRefusedBeforeAnyWork)
{
    desk.answerMessage(AnswerOk).answerMessage(AnswerYes).answerMessage(AnswerOk).answerMessage(AnswerNo);
    inWindow<BackupWindow>([&](BackupWindow& w) {
        click(w.备份);
        EXPECT_FALSE(w.备份.disabled());
        EXPECT_FALSE(w.标签1.visible());
        click(w.退出备份);
    });
    inWindow<RestoreWindow>([&](RestoreWindow& w) {
        click(w.恢复);   // asked first, then refused
        w.编辑框1.setContent("whatever.JQV");
        click(w.恢复);   // not confirmed
        EXPECT_EQ(w.时钟1.period(), 0);
        click(w.退出备份);
    });
    EXPECT_EQ(shownMessages(),
              (TextList{"备份目录不能为空，请点击［选择备份目录］选择备份数据存放的目录！|错误！|16",
                        kQuestion + "|警告！|52", "请选择欲恢复的备份文件！|错误！|16", kQuestion + "|警告！|52"}));
    EXPECT_EQ(desk.states, TextList(4, "0|0|false"));
    EXPECT_FALSE(fileExists(prog + "\\data\\meeting.mdb"));
}

TEST_F(BackupWindowsTest, ABackupThenARestoreBringsBackTheDatabaseAndPhotosAndClosesTheMainWindow)
{
    const Text file = prog + "\\备份\\新\\Qelvana数据库备份.JQV";
    inWindow<BackupWindow>([&](BackupWindow& w) {
        desk.answerMessage(AnswerOk);
        w.编辑框1.setContent(file);
        click(w.备份);
        EXPECT_EQ(w.进度条1.position(), 100);
        EXPECT_EQ(w.时钟1.period(), 0);
        EXPECT_TRUE(w.备份.disabled());   // one backup per opening
        EXPECT_FALSE(w.退出备份.disabled());
        click(w.退出备份);
    });
    EXPECT_EQ(shownMessages(), TextList{"数据备份成功！|恭喜！|64"});
    EXPECT_EQ(desk.states, TextList{"100|1|true"});
    EXPECT_FALSE(fileExists(prog + "\\data\\meeting.mdb"));
    const std::map<std::string, Bytes> photos = tree(prog + "\\data");

    exec("update 会议信息 set 会议名称='备份后的会'");
    put(prog + "\\data\\1会20240101120000.PIC", "changed");
    put(prog + "\\data\\新照片.PIC", "after the backup");
    openMainWindow();
    restoreFrom(file);

    EXPECT_EQ(findWindow<MainWindow>(), nullptr);
    EXPECT_EQ(meetings(), TextList{"备份前的会"});
    std::map<std::string, Bytes> expected = photos;
    expected[gbkToUtf8("新照片.PIC")] = "after the backup";
    EXPECT_EQ(tree(prog + "\\data"), expected);
    EXPECT_EQ(shownMessages().back(), "数据恢复成功，请退出系统重新登录！|恭喜！|64");
    EXPECT_EQ(desk.states.back(), "100|0|true");
    // Another desk could back up or restore while the messages were open.
    EXPECT_FALSE(desk.lockedAtAMessage);
}

// A path typed with "/" works as one with "\\" does: the backup goes
// there, the restore comes from there, and the database typed so is refused.
TEST_F(BackupWindowsTest, APathTypedWithSlashesWorks)
{
    const Text file = slashed(prog) + "/斜线/备份.JQV";
    backUpTo(file);
    EXPECT_EQ(shownMessages(), TextList{"数据备份成功！|恭喜！|64"});
    EXPECT_TRUE(fileExists(prog + "\\斜线\\备份.JQV"));
    exec("update 会议信息 set 会议名称='备份后的会'");
    restoreFrom(file);
    EXPECT_EQ(shownMessages().back(), "数据恢复成功，请退出系统重新登录！|恭喜！|64");
    EXPECT_EQ(meetings(), TextList{"备份前的会"});
    backUpTo(slashed(prog) + "/meeting.mdb");
    EXPECT_EQ(shownMessages().back(), "备份文件不能是正在使用的数据库，也不能放在数据目录data中，请重新选择备份文件！|错误！|16");
}

TEST_F(BackupWindowsTest, AFailedPackingKeepsTheTimerRunningAndTheCopyInData)
{
    fs::create_directories(disk(prog + "\\目录.JQV"));   // a target that cannot be a file
    inWindow<BackupWindow>([&](BackupWindow& w) {
        desk.answerMessage(AnswerOk);
        w.编辑框1.setContent(prog + "\\目录.JQV");
        click(w.备份);
        EXPECT_TRUE(w.备份.disabled());
        EXPECT_FALSE(w.退出备份.disabled());
        // The timer ticks once events run.
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.标签1.caption() == "%10"; }));
        click(w.退出备份);
    });
    EXPECT_EQ(shownMessages(), TextList{"数据备份失败！请退出系统重试！|错误！|16"});
    EXPECT_EQ(desk.states, TextList{"10|1|true"});
    EXPECT_TRUE(fileExists(prog + "\\data\\meeting.mdb"));
}

TEST_F(BackupWindowsTest, RefusedBackupFilesLeaveDatabaseAndPhotosAndBothWindowsOpen)
{
    const Text file = prog + "\\好.JQV";
    backUpTo(file);
    const Bytes good = get(file);
    exec("update 会议信息 set 会议名称='现在的会'");
    put(prog + "\\data\\1会20240101120000.PIC", "now");
    const std::map<std::string, Bytes> before = tree(prog + "\\data");
    const Text damaged = prog + "\\坏.JQV";
    for (const Bytes& content : {good.substr(0, good.size() / 2), good.substr(0, good.size() - 1),
                                 Bytes("not a backup")}) {
        put(damaged, content);
        for (const Text& path : {damaged, Text("*.JQV")}) {
            restoreFrom(path);
        }
    }
    EXPECT_EQ(meetings(), TextList{"现在的会"});
    EXPECT_EQ(tree(prog + "\\data"), before);
    EXPECT_EQ(shownMessages().back(), "数据恢复失败，请退出系统重试！|错误！|16");
    EXPECT_EQ(desk.states.back(), "0|1|true");
}

TEST_F(BackupWindowsTest, ABackupWithoutADatabaseNeverPutsAStaleCopyInPlace)
{
    // A failed backup left its copy in data; this backup file has none.
    const Text file = prog + "\\无库.JQV";
    writeBackup(file, "1", packedEach({"data\\a.PIC"}), packedEach({"a"}));
    const Bytes stale = get(prog + "\\meeting.mdb");
    put(prog + "\\data\\meeting.mdb", stale);
    exec("update 会议信息 set 会议名称='现在的会'");
    openMainWindow();
    restoreFrom(file);
    EXPECT_EQ(shownMessages().back(), "恢复数据失败，请退出系统重试！|错误！|16");
    EXPECT_EQ(desk.states.back(), "10|1|true");
    EXPECT_EQ(findWindow<MainWindow>(), nullptr);
    EXPECT_EQ(meetings(), TextList{"现在的会"});
    EXPECT_FALSE(fileExists(prog + "\\data\\a.PIC"));
    EXPECT_EQ(get(prog + "\\data\\meeting.mdb"), stale);
}

TEST_F(BackupWindowsTest, ABackupWhoseDatabaseIsNoDatabaseNeverReplacesTheOne)
{
    const Text file = prog + "\\坏库.JQV";
    writeBackup(file, "1", packedEach({"data\\meeting.mdb"}), packedEach({"not a database"}));
    exec("update 会议信息 set 会议名称='现在的会'");
    openMainWindow();
    restoreFrom(file);
    EXPECT_EQ(shownMessages().back(), "恢复数据失败，请退出系统重试！|错误！|16");
    EXPECT_EQ(meetings(), TextList{"现在的会"});
}

TEST_F(BackupWindowsTest, TheTimerShowsThePercentageOfTheBar)
{
    inWindow<RestoreWindow>([&](RestoreWindow& w) {
        for (int position : {0, 10, 20, 100}) {
            w.进度条1.setPosition(position);
            w.onRestoreTimerTick();
            EXPECT_TEXT_EQ("%" + toText(position), w.标签1.caption());
        }
        click(w.退出备份);
    });
}

// Targets whose backup would destroy what it saves: the live database (by
// any name), its journals and anything in the data directory; or that the
// lock of backups and restores or a restore's place would take over.
TEST_F(BackupWindowsTest, TargetsThatAreTheDatabaseOrInsideDataAreRefusedBeforeAnyWork)
{
    fs::create_symlink(disk(prog + "\\meeting.mdb"), disk(prog + "\\库链接.JQV"));
    const Bytes database = get(prog + "\\meeting.mdb");
    const Text targets[] = {
        prog + "\\meeting.mdb", prog + "\\MEETING.MDB", prog + "\\data\\..\\meeting.mdb",
        prog + "\\库链接.JQV", prog + "\\meeting.mdb-wal", prog + "\\data\\meeting.mdb",
        prog + "\\DATA\\新\\备份.JQV", prog + "\\data", prog + "\\.qelvana-restore.lock",
        prog + "\\.qelvana-restore\\备份.JQV",
    };
    for (const Text& target : targets) {
        desk.answerMessage(AnswerOk);
        inWindow<BackupWindow>([&](BackupWindow& w) {
            w.编辑框1.setContent(target);
            click(w.备份);
            EXPECT_FALSE(w.备份.disabled()) << gbkToUtf8(target);
            click(w.退出备份);
        });
    }
    EXPECT_EQ(shownMessages(), TextList(std::size(targets),
                                        "备份文件不能是正在使用的数据库，也不能放在数据目录data中，请重新选择备份文件！|错误！|16"));
    EXPECT_EQ(desk.states, TextList(std::size(targets), "0|0|false"));
    EXPECT_EQ(get(prog + "\\meeting.mdb"), database);
    EXPECT_FALSE(fileExists(prog + "\\data\\meeting.mdb"));
    EXPECT_EQ(meetings(), TextList{"备份前的会"});
    backUpTo(prog + "\\data2\\x.JQV");   // a name that only begins like data's
    EXPECT_EQ(shownMessages().back(), "数据备份成功！|恭喜！|64");
}

// The backup takes one consistent state: what the other desk committed
// (still in its log, which its open read keeps from being folded into the
// file), never what it has not committed yet.
TEST_F(OtherDeskTest, TheBackupHoldsWhatOtherDesksCommittedAndNothingElse)
{
    other("insert into 会议信息 (会议编号,会议名称) values (2,'他处提交的会')");
    other("begin");
    other("select count(*) from 会议信息").next();
    ExternalDatabase writer{seedWindow, "writer"};
    ASSERT_TRUE(openDatabase(writer, connectionText()));
    ASSERT_TRUE(execSql(writer, "begin immediate"));
    ASSERT_TRUE(execSql(writer, "insert into 会议信息 (会议编号,会议名称) values (3,'未提交的会')"));

    backUpTo(prog + "\\一致.JQV");
    EXPECT_EQ(shownMessages(), TextList{"数据备份成功！|恭喜！|64"});
    execSql(writer, "rollback");
    other("commit");
    ASSERT_TEXT_EQ("", unpackFileToDirectory(prog + "\\一致.JQV", prog + "\\展开"));
    EXPECT_EQ(meetingsOf(prog + "\\展开\\data\\meeting.mdb"), (TextList{"备份前的会", "他处提交的会"}));
}

// The restore goes into the database every desk has open: the other desk
// reads the restored data at once, and what it writes afterwards stays.
TEST_F(OtherDeskTest, TheRestoreReachesEveryDeskAndTheirLaterWritesStay)
{
    const Text file = prog + "\\还原.JQV";
    backUpTo(file);
    other("update 会议信息 set 会议名称='备份后改的会'");
    openMainWindow();
    restoreFrom(file);
    EXPECT_EQ(shownMessages().back(), "数据恢复成功，请退出系统重新登录！|恭喜！|64");

    QSqlQuery q = other("select 会议名称 from 会议信息");
    ASSERT_TRUE(q.next());
    EXPECT_TEXT_EQ("备份前的会", utf8ToGbk(q.value(0).toString().toStdString()));
    q.finish();
    other("insert into 会议信息 (会议编号,会议名称) values (9,'恢复后录入的会')");
    EXPECT_EQ(meetings(), (TextList{"备份前的会", "恢复后录入的会"}));
}

// A failed database copy ends the program, but not over unsaved work: an
// open template editor asks its save question first, and one the user keeps
// open keeps the program running on its own.
TEST_F(BackupWindowsTest, AFailedCopyAsksTheOpenEditorBeforeTheProgramEnds)
{
    MainWindow& main = openMainWindowWithChangedEditor();
    desk.answerMessage(AnswerOk).answerMessage(AnswerCancel);
    backUpFrom(main);
    EXPECT_EQ(shownMessages(), (TextList{kCopyFailed, kSaveQuestion}));
    EXPECT_FALSE(desk.lockedAtAMessage);
    ASSERT_EQ(openWindows().size(), 1u);
    EXPECT_NE(findWindow<TemplateEditorWindow>(), nullptr);
    EXPECT_FALSE(fileExists(prog + "\\data\\meeting.mdb"));
    EXPECT_FALSE(fileExists(prog + "\\x.JQV"));
}

class BackupWindowsDeathTest : public BackupWindowsTest {};

TEST_F(BackupWindowsDeathTest, AFailedCopyEndsTheProgramOnceTheEditorLetsItGo)
{
    const std::string shown = "\\[" + gbkToUtf8(kCopyFailed) + "\\]\\[" + gbkToUtf8(kSaveQuestion) + "\\]$";
    EXPECT_EXIT(
        {
            MainWindow& main = openMainWindowWithChangedEditor();
            addExitHook([this] {
                for (const Text& m : shownMessages())
                    fprintf(stderr, "[%s]", gbkToUtf8(m).c_str());
            });
            desk.answerMessage(AnswerOk).answerMessage(AnswerNo);
            backUpFrom(main);
        },
        testing::ExitedWithCode(0), shown);
}

TEST_F(BackupWindowsDeathTest, ADatabaseThatCannotBeCopiedEndsTheProgramAfterItsMessage)
{
    const std::string shown = "\\[" + gbkToUtf8("系统遇到故障，备份无法进行，请退出系统重试！") + "\\|"
                              + gbkToUtf8("错误！") + "\\|16\\]$";
    EXPECT_EXIT(
        {
            fs::remove(disk(prog + "\\meeting.mdb"));
            addExitHook([this] {
                for (const Text& m : shownMessages())
                    fprintf(stderr, "[%s]", gbkToUtf8(m).c_str());
            });
            desk.answerMessage(AnswerOk);
            desk.inModalWindow([&](Window& w) {
                auto& backup = dynamic_cast<BackupWindow&>(w);
                backup.编辑框1.setContent(prog + "\\x.JQV");
                click(backup.备份);
                closeWindow(w);   // only reached when the program did not end
            });
            loadWindow<BackupWindow>(nullptr, true);
        },
        testing::ExitedWithCode(0), shown);
}

} // namespace
