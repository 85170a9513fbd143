// The program killed (kill -9) in the middle of an automatic room run: the
// database it leaves holds the whole run or nothing of it, and its counts
// are those of the delegates.
#include "tests/desk/desk_fixture.h"

#include <QElapsedTimer>
#include <QFile>

#include <chrono>
#include <csignal>
#include <random>
#include <thread>

#include <unistd.h>

namespace {

constexpr int kDelegates = 600;

class InterruptedRunTest : public DeskTest {
protected:
    InterruptedRunTest()
    {
        Transaction seed(db);
        for (int i = 0; i < kDelegates; ++i)
            addDelegate("单位" + toText(i / 20), "代表" + toText(i), i % 3 == 0 ? "女" : "男", toText(10000 + i));
        for (int i = 0; i < kDelegates / 2; ++i)
            exec("insert  into 房间信息 (宾馆名称,房间编号,房间类别,房间人数,已住人数,性别,会议编号) values ('宾馆','"
                 + toText(1000 + i) + "','标准',2,0,'无',1)");
        EXPECT_TRUE(seed.commit());
    }
    QString file(const char* name) const { return directory.file(name); }
    // The database as seeded, with no connection of this process open on
    // it: a forked child must not share one.
    void putBackSeededDatabase()
    {
        closeDatabase(db);
        closeDatabase(window->外部数据库1);
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(file("meeting.mdb") + suffix);
        ASSERT_TRUE(QFile::copy(file("seeded.mdb"), file("meeting.mdb")));
    }
    // In the child, on the window the parent built (a forked child cannot
    // start the threads Qt draws pictures with): the run, timed into
    // `timeFile`, or killed after `killAfter`.
    [[noreturn]] void runInChild(std::chrono::microseconds killAfter, const QString& timeFile = {})
    {
        MainWindow& w = *window;
        if (!openDatabase(w.外部数据库1, connectionText()))
            std::_Exit(2);
        chooseMenuItem(w.客房分配);
        click(w.手动分配);
        person.answerEveryMessage(AnswerOk);
        if (timeFile.isEmpty())
            std::thread([killAfter] {
                std::this_thread::sleep_for(killAfter);
                kill(getpid(), SIGKILL);
            }).detach();
        QElapsedTimer timer;
        timer.start();
        click(w.自动分配);
        if (timeFile.isEmpty())
            for (;;)
                pause();
        QFile out(timeFile);
        if (out.open(QIODevice::WriteOnly))
            out.write(QByteArray::number(timer.nsecsElapsed() / 1000));
        out.close();
        std::_Exit(0);
    }
    int lodged() { return static_cast<int>(rows("select * from 代表信息 where 会议编号=1 and 房间编号<>'0'", {"代表id"}).size()); }
};

TEST_F(InterruptedRunTest, AKilledRunLeavesAllOfItOrNothing)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    openUnlocked();
    closeDatabase(window->外部数据库1);
    closeDatabase(db);
    ASSERT_TRUE(QFile::copy(file("meeting.mdb"), file("seeded.mdb")));

    // One whole run, for its length and what it places.
    EXPECT_EXIT(runInChild({}, file("run.time")), testing::ExitedWithCode(0), "");
    QFile timeFile(file("run.time"));
    ASSERT_TRUE(timeFile.open(QIODevice::ReadOnly));
    const long long length = timeFile.readAll().toLongLong();
    ASSERT_TRUE(openDatabase(db, connectionText()));
    const int placed = lodged();
    ASSERT_GT(placed, kDelegates / 2);
    ASSERT_EQ(countFaults(), TextList{});

    // Kills spread over the run's length.
    std::mt19937 random(7);
    for (int trial = 0; trial < 6; ++trial) {
        SCOPED_TRACE(trial);
        putBackSeededDatabase();
        const auto killAfter = std::chrono::microseconds(
            std::uniform_int_distribution<long long>(length * trial / 6, length * (trial + 1) / 6)(random));
        EXPECT_EXIT(runInChild(killAfter), testing::KilledBySignal(SIGKILL), "");
        ASSERT_TRUE(openDatabase(db, connectionText()));
        EXPECT_EQ(countFaults(), TextList{});
        const int found = lodged();
        EXPECT_TRUE(found == 0 || found == placed) << found << " of " << placed << " placed";
    }
}

} // namespace
