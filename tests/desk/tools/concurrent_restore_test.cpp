// A second desk starting while a restore runs, and two restores at once on
// one program directory: the start-up leaves a running restore alone, a
// second restore is refused while one runs, and in the end the photos and
// the database belong together and the message shown says which.
#include "backup/restore_run.h"
#include "tests/desk/tools/restore_child_fixture.h"

#include <csignal>

namespace {

using namespace backup_test;

const Text kRestored = "数据恢复成功，请退出系统重新登录！";
const Text kBusy = "另一个数据恢复正在进行，请稍后再试！";

class ConcurrentRestoreTest : public RestoreChildTest {
protected:
    static void signal(Child& child, int number) { kill(static_cast<pid_t>(child.process.processId()), number); }
    // A child started and stopped at `pauseAtMove`, or once it copies the
    // database (0).
    void startStopped(Child& child, int pauseAtMove)
    {
        ASSERT_NO_FATAL_FAILURE(startChild(child, pauseAtMove));
        if (pauseAtMove > 0) {
            ASSERT_NO_FATAL_FAILURE(awaitSaying(child, "paused\n"));
        } else {
            ASSERT_NO_FATAL_FAILURE(awaitSaying(child, "copying\n"));
            signal(child, SIGSTOP);
        }
        ASSERT_NO_FATAL_FAILURE(awaitStopped(child));
    }
};

TEST_F(ConcurrentRestoreTest, ADeskStartingDuringARestoreLeavesItToFinish)
{
    const struct {
        const char* moment;
        int pauseAtMove;
    } moments[] = {
        {"right after the journal", 1},
        {"during the photo moves", kPhotos + 1},
        {"during the database step", 0},
    };
    for (const auto& m : moments) {
        SCOPED_TRACE(m.moment);
        putBackTheDataBefore();
        Child child;
        ASSERT_NO_FATAL_FAILURE(startStopped(child, m.pauseAtMove));
        // What the other desk's start does before its login.
        EXPECT_EQ(settleInterruptedRestore(prog), Settling::Running);
        signal(child, SIGCONT);
        EXPECT_TEXT_EQ(kRestored, finish(child));
        EXPECT_TRUE(photosAndDatabaseRestored());
        EXPECT_FALSE(fs::exists(disk(prog + "\\.qelvana-restore")));
    }
}

TEST_F(ConcurrentRestoreTest, ASecondRestoreWhileOneRunsIsRefused)
{
    {
        // The first between its journal and its first move.
        Child first, second;
        ASSERT_NO_FATAL_FAILURE(startStopped(first, 1));
        ASSERT_NO_FATAL_FAILURE(startChild(second));
        EXPECT_TEXT_EQ(kBusy, finish(second));
        EXPECT_TRUE(photosAndDatabaseBefore());
        signal(first, SIGCONT);
        EXPECT_TEXT_EQ(kRestored, finish(first));
        EXPECT_TRUE(photosAndDatabaseRestored());
    }
    // Both started at once: each is refused or restores, one after the other.
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("at once, run " + std::to_string(i));
        putBackTheDataBefore();
        Child first, second;
        ASSERT_NO_FATAL_FAILURE(startChild(first));
        ASSERT_NO_FATAL_FAILURE(startChild(second));
        const Text shownFirst = finish(first), shownSecond = finish(second);
        for (const Text& shown : {shownFirst, shownSecond})
            EXPECT_TRUE(shown == kRestored || shown == kBusy) << gbkToUtf8(shown);
        EXPECT_TRUE(shownFirst == kRestored || shownSecond == kRestored);
        EXPECT_TRUE(photosAndDatabaseRestored());
        EXPECT_FALSE(fs::exists(disk(prog + "\\.qelvana-restore")));
    }
}

} // namespace
