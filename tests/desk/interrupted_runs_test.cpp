// The program killed (kill -9) in the middle of an automatic room run: the
// database it leaves holds the whole run or nothing of it, and its counts
// are those of the delegates. Each kill writes down where the run stood, so
// the test cannot pass on kills that all land before or after the run.
#include "tests/desk/desk_fixture.h"

#include <QElapsedTimer>
#include <QFile>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <random>
#include <thread>

#include <unistd.h>

namespace {

constexpr int kDelegates = 600;

// Where the run in a child stands, for a kill from another thread of it.
std::atomic<int> runStage{0};

// The person in the child: OK to every box, and each box told to
// `atStage` with its number (the run's question is the first).
class RunWatch : public ScriptedInteraction {
public:
    explicit RunWatch(std::function<void(int)> atStage) : atStage_(std::move(atStage))
    {
        answerEveryMessage(AnswerOk);
    }
    int messageBox(const Text& text, int kind, const Text& caption) override
    {
        atStage_(++shown_);
        return ScriptedInteraction::messageBox(text, kind, caption);
    }

private:
    std::function<void(int)> atStage_;
    int shown_ = 0;
};

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
    // start the threads Qt draws pictures with): the run, with a person who
    // answers every box with OK and tells `atStage` where the run is (1 when
    // it asks whether to go on, 2 when it shows how it ended). Ends the
    // child after the run, or waits there for a kill.
    [[noreturn]] void runInChild(const std::function<void(int)>& atStage, bool waitForKill)
    {
        MainWindow& w = *window;
        if (!openDatabase(w.外部数据库1, connectionText()))
            std::_Exit(2);
        chooseMenuItem(w.客房分配);
        click(w.手动分配);
        RunWatch watch(atStage);
        click(w.自动分配);
        if (waitForKill) {
            // A kill that never comes fails the trial instead of hanging it.
            std::this_thread::sleep_for(std::chrono::seconds(30));
            std::_Exit(3);
        }
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

    // One whole run, for what it places and how long it runs from its
    // question to its end.
    const std::string windowFile = file("run.window").toStdString();
    EXPECT_EXIT(runInChild(
                    [&windowFile, timer = QElapsedTimer()](int stage) mutable {
                        if (stage == 1)
                            timer.start();
                        else if (std::FILE* out = std::fopen(windowFile.c_str(), "w"))
                            std::fprintf(out, "%lld", timer.nsecsElapsed() / 1000), std::fclose(out);
                    },
                    false),
                testing::ExitedWithCode(0), "");
    QFile windowIn(file("run.window"));
    ASSERT_TRUE(windowIn.open(QIODevice::ReadOnly));
    const long long length = windowIn.readAll().toLongLong();
    ASSERT_GT(length, 0);
    ASSERT_TRUE(openDatabase(db, connectionText()));
    const int placed = lodged();
    ASSERT_GT(placed, kDelegates / 2);
    ASSERT_EQ(countFaults(), TextList{});

    // Killed as it shows its end, after its commit: all of it stays.
    putBackSeededDatabase();
    EXPECT_EXIT(runInChild([](int stage) { if (stage == 2) kill(getpid(), SIGKILL); }, true),
                testing::KilledBySignal(SIGKILL), "");
    ASSERT_TRUE(openDatabase(db, connectionText()));
    EXPECT_EQ(lodged(), placed);
    EXPECT_EQ(countFaults(), TextList{});

    // Killed at moments spread over the run, each kill writing down where
    // the run was when it landed.
    const std::string stageFile = file("kill.stage").toStdString();
    std::mt19937 random(7);
    int insideLeftNothing = 0;
    for (int trial = 0; trial < 8; ++trial) {
        SCOPED_TRACE(trial);
        putBackSeededDatabase();
        QFile::remove(file("kill.stage"));
        const auto killAfter = std::chrono::microseconds(
            std::uniform_int_distribution<long long>(length * trial / 8, length * (trial + 1) / 8)(random));
        EXPECT_EXIT(runInChild(
                        [killAfter, &stageFile](int stage) {
                            runStage = stage;
                            if (stage == 1)
                                std::thread([killAfter, &stageFile] {
                                    std::this_thread::sleep_for(killAfter);
                                    if (std::FILE* out = std::fopen(stageFile.c_str(), "w"))
                                        std::fprintf(out, "%d", runStage.load()), std::fclose(out);
                                    kill(getpid(), SIGKILL);
                                }).detach();
                        },
                        true),
                    testing::KilledBySignal(SIGKILL), "");
        ASSERT_TRUE(openDatabase(db, connectionText()));
        EXPECT_EQ(countFaults(), TextList{});
        const int found = lodged();
        EXPECT_TRUE(found == 0 || found == placed) << found << " of " << placed << " placed";
        QFile stageIn(file("kill.stage"));
        ASSERT_TRUE(stageIn.open(QIODevice::ReadOnly));
        if (stageIn.readAll() == "1" && found == 0)
            ++insideLeftNothing;
    }
    EXPECT_GT(insideLeftNothing, 0) << "no kill landed inside the run";
}

} // namespace
