// The desk's automatic runs through their real handlers on the real
// database file: the room run of 2,000 delegates of 40 organisations into
// 1,000 rooms, and the table run of 2,000 delegates at 200 tables. Each
// iteration times the run as the program makes it, one transaction per run,
// beside the same run with every statement its own commit flushed to disk;
// the counters give both times and their ratio. The table run of 2,000
// delegates at 1,000 tables, which keeps the free tables in memory, is
// timed beside the same placements reading the free tables again for every
// delegate.
#include "state/globals.h"
#include "common/database/database.h"
#include "common/files/files.h"
#include "common/dialogs/interaction.h"
#include "common/database/measurement.h"
#include "common/program/program.h"
#include "desk/main_window.h"
#include "benchmarks/scratch_directory.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>

namespace {

constexpr int kDelegates = 2000;

// The person at the desk answers every question with OK.
class Agreeing : public Interaction {
public:
    int messageBox(const Text&, int, const Text&) override { return AnswerOk; }
    bool inputBox(const Text&, const Text&, Text&) override { return false; }
    bool fileDialog(FileDialogRequest&) override { return false; }
    bool fontDialog(FontChoice&) override { return false; }
    bool colourDialog(int&) override { return false; }
    bool runProgram(const Text&, int) override { return false; }
    bool printerAvailable() override { return false; }
    bool printText(const PrintJob&) override { return false; }
    PreviewOutcome printPreview(const GridPrintout&) override { return PreviewClosed; }
    bool printGridDocument(const GridPrintout&, int, int) override { return false; }
    bool pageSetupDialog(PageSetup&) override { return false; }
    void popupMenu(Menu&) override {}
};

// A program directory of its own with the delivered database, seeded with
// the meeting's delegates and `places` (statements run in one unit).
class Desk {
public:
    explicit Desk(const std::function<void(ExternalDatabase&)>& places)
    {
        copyWritable(QELVANA_DELIVERED_DATABASE, dir_.filePath("meeting.mdb"));
        std::ofstream(dir_.filePath("Meeting.dsn"), std::ios::binary) << "[ODBC]\nENGINE=QSQLITE\n";
        setenv("QELVANA_HOME", dir_.path().c_str(), 1);
        Window seedWindow{"seed", {0, 0, 10, 10}, ""};
        ExternalDatabase seed{seedWindow, "seed"};
        const Text d = dir_.path();   // an ASCII temporary path
        openDatabase(seed, "DBQ=" + d + "/meeting.mdb;FILEDSN=" + d + "/Meeting.dsn;");
        Transaction unit(seed);
        for (int i = 0; i < kDelegates; ++i)
            execSql(seed, "insert  into 代表信息 (姓名,单位,性别,代表编号,会议编号) values ('代表','单位" + toText(i / 50)
                              + "','" + (i % 3 == 0 ? "女" : "男") + "','" + toText(10000 + i) + "',1)");
        places(seed);
        unit.commit();
        resetGlobals();
        currentMeetingId = 1;
        window_ = loadWindow<MainWindow>(nullptr, false);
    }
    ~Desk()
    {
        closeWindow(*window_);
        processEvents();
        setTransactionsOff(false);
    }
    MainWindow& window() { return *window_; }
    // Every statement its own commit, each flushed to disk.
    void flushEachStatement()
    {
        setTransactionsOff(true);
        execSql(window_->外部数据库1, "PRAGMA synchronous=FULL");
    }

private:
    ScratchDirectory dir_;
    MainWindow* window_ = nullptr;
};

void rooms(ExternalDatabase& db)
{
    for (int i = 0; i < kDelegates / 2; ++i)
        execSql(db, "insert  into 房间信息 (宾馆名称,房间编号,房间类别,房间人数,已住人数,性别,会议编号) values ('宾馆','"
                        + toText(1000 + i) + "','标准',2,0,'无',1)");
}

void tables(ExternalDatabase& db, int count)
{
    for (int i = 1; i <= count; ++i)
        execSql(db, "insert  into 餐桌信息 (餐厅名称,餐桌编号,可坐人数,已坐人数,会议编号) values ('大厅','" + toText(i)
                        + "号桌',10,0,1)");
}

// Milliseconds of `run` on a fresh desk, prepared by `prepare`.
double timed(const std::function<void(ExternalDatabase&)>& places, bool flushEach,
             const std::function<void(MainWindow&)>& prepare, const std::function<void(MainWindow&)>& run)
{
    Desk desk(places);
    prepare(desk.window());
    if (flushEach)
        desk.flushEachStatement();
    const auto start = std::chrono::steady_clock::now();
    run(desk.window());
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// `run` beside `other` (with a flushed commit per statement when
// `otherFlushes`), each on a fresh desk; the counters give both times in
// milliseconds and other / run.
void compare(benchmark::State& state, const std::function<void(ExternalDatabase&)>& places,
             const std::function<void(MainWindow&)>& prepare, const std::function<void(MainWindow&)>& run,
             const std::function<void(MainWindow&)>& other, bool otherFlushes, const char* runName,
             const char* otherName)
{
    Agreeing person;
    setInteraction(&person);
    double runTime = 0, otherTime = 0;
    for (auto _ : state) {
        runTime = timed(places, false, prepare, run);
        otherTime = timed(places, otherFlushes, prepare, other);
        state.SetIterationTime(runTime / 1000);
    }
    setInteraction(nullptr);
    state.counters[runName] = runTime;
    state.counters[otherName] = otherTime;
    state.counters["ratio"] = otherTime / runTime;
}

void compareFlushing(benchmark::State& state, const std::function<void(ExternalDatabase&)>& places,
                     const std::function<void(MainWindow&)>& prepare, const std::function<void(MainWindow&)>& run)
{
    compare(state, places, prepare, run, run, true, "one_unit_ms", "flush_each_ms");
}

// The same placements and statements as the table run, the free tables read
// again for every delegate: the first with a seat left takes him.
void rereadingTableRun(MainWindow& w)
{
    ExternalDatabase& db = w.外部数据库1;
    int delegates = querySql(db, "select * from 代表信息 where 会议编号=1 and 餐桌编号='0'  order  by 代表编号 ");
    Transaction unit(db);
    for (recordMoveFirst(delegates); !recordSetAtEnd(delegates); recordMoveNext(delegates)) {
        int table = querySql(db, "select * from 餐桌信息 where 已坐人数<可坐人数  and  会议编号=1");
        recordMoveFirst(table);
        if (recordSetAtEnd(table)) {
            closeRecordSet(table);
            break;
        }
        execSql(db, "update 餐桌信息 set 已坐人数 =" + toText(readField(table, "已坐人数").number() + 1)
                        + "  where  餐桌id=" + toText(readField(table, "餐桌id").number()));
        execSql(db, "update 代表信息 set 餐厅名称 ='" + readField(table, "餐厅名称").text() + "',餐桌编号='"
                        + readField(table, "餐桌编号").text() + "'  where  代表id="
                        + toText(readField(delegates, "代表id").number()));
        closeRecordSet(table);
    }
    unit.commit();
    closeRecordSet(delegates);
}

void BM_AutomaticRoomRun(benchmark::State& state)
{
    compareFlushing(state, rooms, [](MainWindow& w) { w.onRefreshUnassignedClick(); },
                    [](MainWindow& w) { w.autoAssignRooms(); });
}

void BM_AutomaticTableRun(benchmark::State& state)
{
    compareFlushing(state, [](ExternalDatabase& db) { tables(db, 200); }, [](MainWindow&) {},
                    [](MainWindow& w) { w.autoAssignTables(); });
}

void BM_TableRunAtThousandTables(benchmark::State& state)
{
    compare(state, [](ExternalDatabase& db) { tables(db, 1000); }, [](MainWindow&) {},
            [](MainWindow& w) { w.autoAssignTables(); }, rereadingTableRun, false, "in_memory_ms", "rereading_ms");
}

BENCHMARK(BM_AutomaticRoomRun)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(BM_AutomaticTableRun)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(BM_TableRunAtThousandTables)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    ensureRuntime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
