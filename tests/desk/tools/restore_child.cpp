// The child processes of the restore tests (restore_child_fixture.h), and
// the fixture that starts them: one restores a backup file through the
// window and says, on its standard output, when it pressed the start
// button, when the bar first stood inside the database step, when (in
// microseconds after the press) it first and last stood there, and the
// message it showed last; the other backs up through the window and says
// when it pressed the start button and the message it showed last.
#include "tests/desk/tools/restore_child_fixture.h"
#include "backup/backup_file.h"
#include "common/internal/qt_objects.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <unistd.h>

namespace {

using RenameFunction = int (*)(const char*, const char*);

// A move of a photo into or out of the restore place.
bool isRestoreMove(const char* from, const char* to)
{
    return std::strstr(from, "/.qelvana-restore/new/") || std::strstr(to, "/.qelvana-restore/old/");
}

} // namespace

// Takes the place of the C library's rename for the whole test program (the
// shared libraries' calls reach it too); it only counts and passes on,
// unless the child was told where to stop.
extern "C" int rename(const char* from, const char* to)
{
    static const auto real = reinterpret_cast<RenameFunction>(dlsym(RTLD_NEXT, "rename"));
    static const char* pause = std::getenv(backup_test::kPauseAtMove);
    static int moves = 0;
    if (pause && isRestoreMove(from, to) && ++moves == std::atoi(pause)) {
        std::printf("paused\n");
        std::fflush(stdout);
        std::raise(SIGSTOP);
    }
    return real(from, to);
}

namespace backup_test {

RestoreChildTest::RestoreChildTest()
{
    std::mt19937 random(11);
    for (int i = 0; i < kPhotos; ++i)
        put(photo(i), randomBytes(random, 64 << 10));
    exec("insert into 自制模板 (模板名称,模板) values ('大模板', randomblob(" + toText(kTemplateBytes) + "))");
    backUpTo(file);
    restored = tree(prog + "\\data");
    exec("update 会议信息 set 会议名称='现在的会'");
    exec("delete from 自制模板");
    for (int i = 0; i < kPhotos; ++i)
        put(photo(i), "changed after the backup");
    put(prog + "\\data\\新照片.PIC", "added after the backup");
    before = tree(prog + "\\data");
    restored[gbkToUtf8("新照片.PIC")] = "added after the backup";
    closeDatabase(db);
    releaseDataHandlesA();
    EXPECT_FALSE(fs::exists(disk(prog + "\\meeting.mdb-wal")));   // every change in the file
    database = get(prog + "\\meeting.mdb");
}

void RestoreChildTest::putBackTheDataBefore()
{
    closeDatabase(db);
    fs::remove_all(disk(prog + "\\data"));
    fs::remove_all(disk(prog + "\\.qelvana-restore"));
    for (const char* suffix : {"", "-wal", "-shm"})
        fs::remove(disk(prog + "\\meeting.mdb" + suffix));
    put(prog + "\\meeting.mdb", database);
    for (const auto& [name, content] : before)
        put(prog + "\\data\\" + utf8ToGbk(name), content);
}

Text RestoreChildTest::state(const Text& connection)
{
    EXPECT_TRUE(openDatabase(db, connection));
    const TextList rows = this->rows("select 会议名称, (select sum(length(模板)) from 自制模板) as 大小 from 会议信息",
                                     {"会议名称", "大小"});
    closeDatabase(db);
    return rows.empty() ? Text() : rows.front();
}

bool RestoreChildTest::backupHolds(const Text& backupFile, const std::map<std::string, Bytes>& photos,
                                   const Text& databaseState)
{
    const Text unpacked = prog + "\\展开";
    fs::remove_all(disk(unpacked));
    if (!unpackFileToDirectory(backupFile, unpacked).empty())
        return false;
    std::map<std::string, Bytes> held = tree(unpacked + "\\data");
    const bool withDatabase = held.erase("meeting.mdb") == 1;
    const Text heldState = state("DBQ=" + unpacked + "\\data\\meeting.mdb;FILEDSN=" + prog + "\\Meeting.dsn");
    fs::remove_all(disk(unpacked));
    return withDatabase && held == photos && heldState == databaseState;
}

void RestoreChildTest::start(Child& child, const char* entry, const QProcessEnvironment& environment)
{
    child.process.setProcessEnvironment(environment);
    child.process.start(QCoreApplication::applicationFilePath(),
                        {QString("--gtest_filter=") + entry, "--gtest_also_run_disabled_tests"});
    ASSERT_NO_FATAL_FAILURE(awaitSaying(child, "pressed\n"));
}

void RestoreChildTest::startChild(Child& child, int pauseAtMove)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QELVANA_RESTORE_FILE", QString::fromStdString(disk(file).string()));
    if (pauseAtMove > 0)
        environment.insert(kPauseAtMove, QString::number(pauseAtMove));
    start(child, kRestoreChild, environment);
}

void RestoreChildTest::startBackupChild(Child& child, const Text& backupFile, bool pause)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QELVANA_BACKUP_FILE", QString::fromStdString(disk(backupFile).string()));
    if (pause)
        environment.insert(kPauseAtMove, "1");
    start(child, kBackupChild, environment);
}

void RestoreChildTest::awaitSaying(Child& child, const QByteArray& words)
{
    while (!child.said.contains(words) && child.process.waitForReadyRead(30000))
        child.said += child.process.readAllStandardOutput();
    ASSERT_TRUE(child.said.contains(words)) << child.said.toStdString();
}

void RestoreChildTest::awaitStopped(Child& child)
{
    const std::string stat = "/proc/" + std::to_string(child.process.processId()) + "/stat";
    for (int i = 0; i < 30000; ++i) {
        std::ifstream in(stat);
        const std::string line((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const size_t end = line.rfind(')');
        if (end != std::string::npos && line.compare(end, 3, ") T") == 0)
            return;
        QThread::msleep(1);
    }
    FAIL() << "the child did not stop";
}

void RestoreChildTest::signal(Child& child, int number)
{
    ::kill(static_cast<pid_t>(child.process.processId()), number);
}

void RestoreChildTest::killChild(Child& child)
{
    signal(child, SIGKILL);
    ASSERT_TRUE(child.process.waitForFinished(60000));
}

Text RestoreChildTest::finish(Child& child)
{
    EXPECT_TRUE(child.process.waitForFinished(60000));
    child.said += child.process.readAllStandardOutput();
    EXPECT_EQ(child.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.process.exitCode(), 0) << child.said.toStdString();
    const qsizetype shown = child.said.lastIndexOf("shown ");
    if (shown < 0)
        return "";
    QByteArray line = child.said.mid(shown + 6);
    line = line.left(line.indexOf('\n')).replace("\\r", "\r").replace("\\n", "\n");
    return utf8ToGbk(line.toStdString());
}

} // namespace backup_test

namespace {

// The message a child showed last, on one line, its line breaks written as "\n".
void sayShown(ScriptedInteraction& person)
{
    ASSERT_FALSE(person.messages().empty());
    QByteArray shown = QByteArray::fromStdString(gbkToUtf8(person.messages().back().text));
    shown.replace("\r", "\\r").replace("\n", "\\n");
    std::printf("shown %s\n", shown.constData());
    std::fflush(stdout);
}

// Not a test of its own: the child process of the restore tests, which
// start it with the backup file to restore. It restores through the window
// in the program directory it is given (QELVANA_HOME) and leaves the window
// when it stays open.
TEST(InterruptedRestoreChild, DISABLED_RestoresThroughTheWindow)
{
    const Text file = backup_test::fromDisk(qgetenv("QELVANA_RESTORE_FILE").toStdString());
    ASSERT_FALSE(file.empty());
    ScriptedInteraction person;
    person.answerFile(true, file).answerMessage(AnswerYes).answerMessage(AnswerOk);
    QElapsedTimer timer;
    long long firstCopy = -1, lastCopy = -1;
    QTimer watch;
    person.inModalWindow([&](Window& window) {
        auto& w = dynamic_cast<RestoreWindow&>(window);
        auto* bar = qobject_cast<QProgressBar*>(QtObjects::widget(w.进度条1));
        QObject::connect(&watch, &QTimer::timeout, [&, bar] {
            if (bar->value() <= 10 || bar->value() >= 20)
                return;
            lastCopy = timer.nsecsElapsed() / 1000;
            if (firstCopy < 0) {
                firstCopy = lastCopy;
                std::printf("copying\n");
                std::fflush(stdout);
            }
        });
        click(w.选择目录);
        watch.start(0);
        std::printf("pressed\n");
        std::fflush(stdout);
        timer.start();
        click(w.恢复);
        watch.stop();
        if (w.isOpen())
            click(w.退出备份);
    });
    loadWindow<RestoreWindow>(nullptr, true);
    std::printf("copied %lld %lld\n", firstCopy, lastCopy);
    sayShown(person);
}

// Not a test of its own: the child process of the tests of a backup beside
// a restore, which start it with the backup file to write. It backs up
// through the window in the program directory it is given, and, told to,
// stops itself once in its walk of the data directory, where the copy of
// the database lies in data.
TEST(InterruptedRestoreChild, DISABLED_BacksUpThroughTheWindow)
{
    const Text file = backup_test::fromDisk(qgetenv("QELVANA_BACKUP_FILE").toStdString());
    ASSERT_FALSE(file.empty());
    ScriptedInteraction person;
    person.answerMessage(AnswerOk);
    QTimer walk;
    QObject::connect(&walk, &QTimer::timeout, [&] {
        if (!fileExists(programDirectory() + "\\data\\meeting.mdb"))
            return;
        walk.stop();
        std::printf("paused\n");
        std::fflush(stdout);
        std::raise(SIGSTOP);
    });
    person.inModalWindow([&](Window& window) {
        auto& w = dynamic_cast<BackupWindow&>(window);
        w.编辑框1.setContent(file);
        if (qEnvironmentVariableIsSet(backup_test::kPauseAtMove))
            walk.start(0);
        std::printf("pressed\n");
        std::fflush(stdout);
        click(w.备份);
        walk.stop();
        click(w.退出备份);
    });
    loadWindow<BackupWindow>(nullptr, true);
    sayShown(person);
}

} // namespace
