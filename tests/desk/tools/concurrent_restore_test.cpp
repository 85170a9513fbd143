// A second desk starting while a restore runs, two restores at once on one
// program directory, and a backup beside a restore or another backup: the
// start-up leaves a running restore alone, a second restore or a backup is
// refused while one runs, and in the end the photos and the database belong
// together, a backup holds both of one moment, and the message shown says
// which.
#include "backup/restore_run.h"
#include "tests/desk/tools/restore_child_fixture.h"

#include <csignal>

namespace {

using namespace backup_test;

const Text kBusy = "另一个数据恢复正在进行，请稍后再试！";
const Text kBackingUp = "另一个数据备份正在进行，请稍后再试！";
const Text kBackedUp = "数据备份成功！";

// Moments of a restore that another desk meets: where the child stops.
const struct Moment {
    const char* moment;
    int pauseAtMove;   // 0: once it copies the database
} kMoments[] = {
    {"right after the journal", 1},
    {"during the photo moves", kPhotos + 1},
    {"during the database step", 0},
};

class ConcurrentRestoreTest : public RestoreChildTest {
protected:
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
    // A backup through the window succeeds and holds these photos and a
    // database in this state.
    void expectABackupOf(const std::map<std::string, Bytes>& photos, const Text& databaseState)
    {
        const Text target = prog + "\\之后.JQV";
        backUpTo(target);
        EXPECT_EQ(shownMessages().back(), kBackedUp + "|恭喜！|64");
        EXPECT_TRUE(backupHolds(target, photos, databaseState));
        fs::remove(disk(target));
    }
};

TEST_F(ConcurrentRestoreTest, ADeskStartingDuringARestoreLeavesItToFinish)
{
    for (const Moment& m : kMoments) {
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

// Another desk's backup while a restore runs is refused before it makes
// anything (no copy of the database in data, no backup file), and the
// window is as before the press; the restore finishes, and the next backup
// holds its photos and its database.
TEST_F(ConcurrentRestoreTest, ABackupWhileARestoreRunsIsRefused)
{
    const Text during = prog + "\\其间.JQV";
    for (const Moment& m : kMoments) {
        SCOPED_TRACE(m.moment);
        putBackTheDataBefore();
        Child child;
        ASSERT_NO_FATAL_FAILURE(startStopped(child, m.pauseAtMove));
        backUpTo(during);
        EXPECT_EQ(shownMessages().back(), kBusy + "|注意|48");
        EXPECT_EQ(desk.states.back(), "0|0|false");
        EXPECT_FALSE(fs::exists(disk(during)));
        EXPECT_FALSE(fs::exists(disk(prog + "\\data\\meeting.mdb")));
        signal(child, SIGCONT);
        EXPECT_TEXT_EQ(kRestored, finish(child));
        EXPECT_TRUE(photosAndDatabaseRestored());
        expectABackupOf(restored, stateRestored);
    }
}

// A backup holds the same lock from its copy of the database to the end of
// its packing: a restore and a second backup meanwhile are refused and
// change nothing, and the backup holds the photos and the database as they
// were. A backup killed in its walk blocks neither; the copy it left in
// data goes with the next restore.
TEST_F(ConcurrentRestoreTest, ARestoreOrABackupWhileABackupRunsIsRefused)
{
    const Text first = prog + "\\第一.JQV", second = prog + "\\第二.JQV";
    putBackTheDataBefore();
    {
        Child backup;
        ASSERT_NO_FATAL_FAILURE(startBackupChild(backup, first, true));
        ASSERT_NO_FATAL_FAILURE(awaitSaying(backup, "paused\n"));
        ASSERT_NO_FATAL_FAILURE(awaitStopped(backup));
        restoreFrom(file);
        EXPECT_EQ(shownMessages().back(), kBackingUp + "|注意|48");
        backUpTo(second);
        EXPECT_EQ(shownMessages().back(), kBackingUp + "|注意|48");
        EXPECT_FALSE(fs::exists(disk(second)));
        signal(backup, SIGCONT);
        EXPECT_TEXT_EQ(kBackedUp, finish(backup));
    }
    EXPECT_TRUE(photosAndDatabaseBefore());
    EXPECT_TRUE(backupHolds(first, before, stateBefore));

    {
        Child backup;
        ASSERT_NO_FATAL_FAILURE(startBackupChild(backup, second, true));
        ASSERT_NO_FATAL_FAILURE(awaitSaying(backup, "paused\n"));
        ASSERT_NO_FATAL_FAILURE(killChild(backup));
    }
    EXPECT_FALSE(fs::exists(disk(second)));
    restoreFrom(file);
    EXPECT_EQ(shownMessages().back(), kRestored + "|恭喜！|64");
    EXPECT_TRUE(photosAndDatabaseRestored());
    EXPECT_FALSE(fs::exists(disk(prog + "\\data\\meeting.mdb")));
}

// A restore killed while another desk works on: that desk's backup first
// undoes it as the next start would, and holds the photos and the database
// as they were.
TEST_F(ConcurrentRestoreTest, ABackupAfterARestoreWasKilledUndoesItFirst)
{
    for (const Moment& m : kMoments) {
        SCOPED_TRACE(m.moment);
        putBackTheDataBefore();
        {
            Child child;
            ASSERT_NO_FATAL_FAILURE(startStopped(child, m.pauseAtMove));
            ASSERT_NO_FATAL_FAILURE(killChild(child));
        }
        expectABackupOf(before, stateBefore);
        EXPECT_TRUE(photosAndDatabaseBefore());
        EXPECT_FALSE(fs::exists(disk(prog + "\\.qelvana-restore")));
    }
}

} // namespace
