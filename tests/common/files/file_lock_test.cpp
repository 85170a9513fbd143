// The file lock: one holder at a time within one process and between
// processes, whatever their marks, which the others learn; its file gone
// with it, nothing left by a killed holder, and a holder's forked child
// that lives on does not keep it.
#include "common/files/file_lock.h"
#include "tests/support/gbk_print.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>

#include <sys/wait.h>
#include <unistd.h>

namespace {

class FileLockTest : public testing::Test {
protected:
    // A child process that takes the lock, says whether it holds it, and
    // waits to be killed.
    pid_t holdInChild(bool& held, int mark = 0)
    {
        int pipeEnds[2];
        EXPECT_EQ(pipe(pipeEnds), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            FileLock lock(path, mark);
            const char said = lock.state() == FileLock::Held ? 'h' : '-';
            if (write(pipeEnds[1], &said, 1) != 1)
                _exit(1);
            pause();
            _exit(0);
        }
        char said = 0;
        EXPECT_EQ(read(pipeEnds[0], &said, 1), 1);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        held = said == 'h';
        return pid;
    }
    static void end(pid_t pid)
    {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }

    QTemporaryDir dir;
    const Text path = utf8ToGbk(dir.filePath("锁.lock").toStdString());
};

TEST_F(FileLockTest, OneHolderAtATimeAndItsFileGoesWithIt)
{
    {
        FileLock first(path);
        ASSERT_EQ(first.state(), FileLock::Held);
        EXPECT_TRUE(QFileInfo::exists(dir.filePath("锁.lock")));
        EXPECT_EQ(FileLock(path).state(), FileLock::Taken);
        EXPECT_EQ(first.state(), FileLock::Held);
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("锁.lock")));
    EXPECT_EQ(FileLock(path).state(), FileLock::Held);
    EXPECT_EQ(FileLock(utf8ToGbk(dir.filePath("没有/x.lock").toStdString())).state(), FileLock::Failed);
}

TEST_F(FileLockTest, OneHolderWhateverTheMarksAndTheOthersLearnItsMark)
{
    for (int mark : {0, 1, 7}) {
        FileLock first(path, mark);
        ASSERT_EQ(first.state(), FileLock::Held);
        for (int other : {0, 1, 9}) {
            FileLock second(path, other);
            EXPECT_EQ(second.state(), FileLock::Taken) << mark << " " << other;
            EXPECT_EQ(second.holderMark(), mark) << mark << " " << other;
        }
    }
}

TEST_F(FileLockTest, AnotherProcessHoldsItUntilItEndsHoweverItEnds)
{
    bool held = false;
    const pid_t holder = holdInChild(held, 3);
    ASSERT_TRUE(held);
    const FileLock taken(path, 1);
    EXPECT_EQ(taken.state(), FileLock::Taken);
    EXPECT_EQ(taken.holderMark(), 3);
    end(holder);
    // Its file is left; the lock is free.
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("锁.lock")));
    EXPECT_EQ(FileLock(path).state(), FileLock::Held);

    // Held here, it is not another process's while held, and a child forked
    // from the holder does not keep it once the holder gives it up.
    auto lock = std::make_unique<FileLock>(path);
    ASSERT_EQ(lock->state(), FileLock::Held);
    const pid_t other = holdInChild(held);
    EXPECT_FALSE(held);
    lock.reset();
    EXPECT_EQ(FileLock(path).state(), FileLock::Held);
    end(other);
}

} // namespace
