// The restore window's work killed (kill -9) at moments spread over it,
// then what the next start does: the photos and the database are both as
// they were or both the backup's, never a mix, and nothing of the restore
// is left beside them.
#include "backup/restore_run.h"
#include "tests/desk/tools/restore_child_fixture.h"

#include <QElapsedTimer>

#include <chrono>
#include <thread>

namespace {

using namespace backup_test;

using InterruptedRestoreTest = RestoreChildTest;

TEST_F(InterruptedRestoreTest, AKilledRestoreIsFinishedOrUndoneAtTheNextStart)
{
    ASSERT_EQ(state(), stateBefore);

    // One whole restore, for its length and where its database step lies.
    long long length = 0, firstCopy = 0, lastCopy = 0;
    {
        Child child;
        QElapsedTimer timer;
        ASSERT_NO_FATAL_FAILURE(startChild(child));
        timer.start();
        EXPECT_TEXT_EQ(kRestored, finish(child));
        length = timer.nsecsElapsed() / 1000;
        const QByteArray line = child.said.mid(child.said.indexOf("copied "));
        const QList<QByteArray> copying = line.left(line.indexOf('\n')).split(' ');
        ASSERT_GE(copying.size(), 3) << child.said.toStdString();
        firstCopy = copying[1].toLongLong();
        lastCopy = copying[2].toLongLong();
        ASSERT_GT(lastCopy, firstCopy);
    }
    EXPECT_TRUE(photosAndDatabaseRestored());

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
            ASSERT_NO_FATAL_FAILURE(killChild(child));
        }
        // The photos already the backup's, the database not yet.
        inDatabaseStep += tree(prog + "\\data") == restored && state() == stateBefore;

        ASSERT_EQ(settleInterruptedRestore(prog), Settling::Settled);   // what the next start does first
        const bool wasUndone = photosAndDatabaseBefore(), wasFinished = photosAndDatabaseRestored();
        EXPECT_TRUE(wasUndone || wasFinished) << state();
        undone += wasUndone;
        finished += wasFinished;
        EXPECT_FALSE(fs::exists(disk(prog + "\\.qelvana-restore")));
    }
    EXPECT_GT(inDatabaseStep, 0);
    EXPECT_GT(undone, 0);
    EXPECT_GT(finished, 0);
}

} // namespace
