// The restore window's work killed (kill -9) at moments spread over it,
// then what the next start does: the photos and the database are both as
// they were or both the backup's, never a mix, and nothing of the restore
// is left beside them.
#include "backup/restore_run.h"
#include "common/internal/qt_objects.h"
#include "tests/desk/tools/backup_windows_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProgressBar>
#include <QTimer>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <random>
#include <thread>

#include <unistd.h>

namespace {

using namespace backup_test;

constexpr int kPhotos = 40;
constexpr int kTemplateBytes = 24 << 20;   // a database step long enough to land in

Bytes randomBytes(std::mt19937& random, size_t size)
{
    Bytes bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

// A backup of photos and a large database, then every photo changed, one
// added, the meeting renamed and the large template deleted.
class InterruptedRestoreTest : public BackupWindowsTest {
protected:
    InterruptedRestoreTest()
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
    Text photo(int i) const { return prog + "\\data\\" + toText(i / 10) + "\\1会" + toText(1000 + i) + ".PIC"; }

    // The program directory as it was before the restore, with no
    // connection of this process open on it: a forked child must not
    // share one.
    void putBackTheDataBefore()
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
    // The meeting's name and the template's size as the database holds them.
    Text state()
    {
        EXPECT_TRUE(openDatabase(db, connectionText()));
        const TextList rows = this->rows("select 会议名称, (select sum(length(模板)) from 自制模板) as 大小 from 会议信息",
                                         {"会议名称", "大小"});
        closeDatabase(db);
        return rows.empty() ? Text() : rows.front();
    }
    // A child process, the test program again, that restores the backup
    // file through the window; started, it has just pressed the start button.
    struct Child {
        QProcess process;
        QByteArray said;
    };
    void startChild(Child& child)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QELVANA_RESTORE_FILE", QString::fromStdString(disk(file).string()));
        child.process.setProcessEnvironment(environment);
        child.process.start(QCoreApplication::applicationFilePath(),
                            {"--gtest_filter=InterruptedRestoreChild.*", "--gtest_also_run_disabled_tests"});
        ASSERT_NO_FATAL_FAILURE(awaitSaying(child, "pressed\n"));
    }
    void awaitSaying(Child& child, const QByteArray& words)
    {
        while (!child.said.contains(words) && child.process.waitForReadyRead(30000))
            child.said += child.process.readAllStandardOutput();
        ASSERT_TRUE(child.said.contains(words)) << child.said.toStdString();
    }

    const Text file = prog + "\\好.JQV";
    Bytes database;
    std::map<std::string, Bytes> before, restored;
};

TEST_F(InterruptedRestoreTest, AKilledRestoreIsFinishedOrUndoneAtTheNextStart)
{
    const Text stateBefore = "现在的会|", stateRestored = "备份前的会|" + toText(kTemplateBytes);
    ASSERT_EQ(state(), stateBefore);

    // One whole restore, for its length and where its database step lies.
    long long length = 0, firstCopy = 0, lastCopy = 0;
    {
        Child child;
        QElapsedTimer timer;
        ASSERT_NO_FATAL_FAILURE(startChild(child));
        timer.start();
        ASSERT_TRUE(child.process.waitForFinished(60000));
        length = timer.nsecsElapsed() / 1000;
        child.said += child.process.readAllStandardOutput();
        const QByteArray line = child.said.mid(child.said.indexOf("copied "));
        const QList<QByteArray> copying = line.left(line.indexOf('\n')).split(' ');
        ASSERT_GE(copying.size(), 3) << child.said.toStdString();
        firstCopy = copying[1].toLongLong();
        lastCopy = copying[2].toLongLong();
        ASSERT_GT(lastCopy, firstCopy);
    }
    EXPECT_EQ(tree(prog + "\\data"), restored);
    EXPECT_EQ(state(), stateRestored);

    // Kills spread over the whole length after the press, then within the
    // database step's length once the child is copying the database.
    std::mt19937 random(7);
    struct Kill {
        bool onceCopying;
        long long after;
    };
    std::vector<Kill> kills;
    for (int i = 0; i < 8; ++i)
        kills.push_back({false, std::uniform_int_distribution<long long>(length * i / 8, length * (i + 1) / 8)(random)});
    for (int i = 0; i < 4; ++i)
        kills.push_back({true, std::uniform_int_distribution<long long>(0, lastCopy - firstCopy)(random)});
    int inDatabaseStep = 0, undone = 0, finished = 0;
    for (const Kill& k : kills) {
        SCOPED_TRACE("killed " + std::to_string(k.after) + " us after the " + (k.onceCopying ? "copy began" : "press"));
        putBackTheDataBefore();
        {
            Child child;
            ASSERT_NO_FATAL_FAILURE(startChild(child));
            if (k.onceCopying) {
                ASSERT_NO_FATAL_FAILURE(awaitSaying(child, "copying\n"));
            }
            std::this_thread::sleep_for(std::chrono::microseconds(k.after));
            kill(static_cast<pid_t>(child.process.processId()), SIGKILL);
            ASSERT_TRUE(child.process.waitForFinished(60000));
        }
        // The photos already the backup's, the database not yet.
        inDatabaseStep += tree(prog + "\\data") == restored && state() == stateBefore;

        ASSERT_TRUE(settleInterruptedRestore(prog));   // what the next start does first
        const std::map<std::string, Bytes> photos = tree(prog + "\\data");
        const Text now = state();
        EXPECT_TRUE((photos == before && now == stateBefore) || (photos == restored && now == stateRestored)) << now;
        undone += photos == before;
        finished += photos == restored;
        EXPECT_FALSE(fs::exists(disk(prog + "\\.qelvana-restore")));
    }
    EXPECT_GT(inDatabaseStep, 0);
    EXPECT_GT(undone, 0);
    EXPECT_GT(finished, 0);
}

// Not a test of its own: the child process of the test above, which starts
// it with the backup file to restore. It restores through the window in the
// program directory it is given, and says when it presses the start button,
// when the bar first stands inside the database step and, at the end, when
// (in microseconds after the press) it first and last stood there.
TEST(InterruptedRestoreChild, DISABLED_RestoresThroughTheWindow)
{
    const Text file = fromDisk(qgetenv("QELVANA_RESTORE_FILE").toStdString());
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
    });
    loadWindow<RestoreWindow>(nullptr, true);
    std::printf("copied %lld %lld\n", firstCopy, lastCopy);
    EXPECT_EQ(person.messages().back().text, "数据恢复成功，请退出系统重新登录！");
}

} // namespace
