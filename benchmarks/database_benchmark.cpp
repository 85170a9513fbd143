// The desk's automatic runs through their real handlers on the real
// database file. The room run (2,000 delegates of 40 organisations into
// 1,000 rooms, and 8,000 of 160 into 4,000) and the table run (2,000
// delegates at 200 tables) are each timed beside their bare statements: the
// statements the run issued, recorded from it and replayed through the
// engine's own interface on a copy of the database as the run found it, in
// one transaction. Both are timed by the processor time of the thread,
// which the other work of the machine disturbs less than the clock; the
// counters give the run's time over that of its statements and, for the
// rooms, how both grow from the smaller meeting to the larger. The room run
// and the table run at 200 tables are also timed beside the same run with
// every statement its own commit flushed to disk.
// The table run of 2,000 delegates at 1,000 tables, which keeps the free
// tables in memory, is timed beside the same placements reading the free
// tables again for every delegate.
#include "state/globals.h"
#include "common/database/database.h"
#include "common/database/database_copy.h"
#include "common/files/files.h"
#include "common/dialogs/interaction.h"
#include "common/database/measurement.h"
#include "common/program/program.h"
#include "common/text/gbk.h"
#include "desk/main_window.h"
#include "benchmarks/scratch_directory.h"

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

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
// the meeting's `delegates`, 50 to an organisation, and `places`
// (statements run in one unit).
class Desk {
public:
    explicit Desk(const std::function<void(ExternalDatabase&)>& places, int delegates = kDelegates)
    {
        copyWritable(QELVANA_DELIVERED_DATABASE, dir_.filePath("meeting.mdb"));
        std::ofstream(dir_.filePath("Meeting.dsn"), std::ios::binary) << "[ODBC]\nENGINE=QSQLITE\n";
        setenv("QELVANA_HOME", dir_.path().c_str(), 1);
        Window seedWindow{"seed", {0, 0, 10, 10}, ""};
        ExternalDatabase seed{seedWindow, "seed"};
        const Text d = dir_.path();   // an ASCII temporary path
        openDatabase(seed, "DBQ=" + d + "/meeting.mdb;FILEDSN=" + d + "/Meeting.dsn;");
        Transaction unit(seed);
        for (int i = 0; i < delegates; ++i)
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
    // A copy of the database as it stands, named `name` in the directory.
    std::string copy(const char* name)
    {
        const std::string copy = dir_.filePath(name);
        snapshotDatabase(dir_.filePath("meeting.mdb"), copy);
        return copy;
    }
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

void rooms(ExternalDatabase& db, int count)
{
    for (int i = 0; i < count; ++i)
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

// Milliseconds of processor time this thread has used.
double threadMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The median of `values`.
double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Processor milliseconds of `statements` through the engine's own
// interface on the database file `file`, set up as the program sets up its
// connections, in one transaction: each statement prepared, stepped through
// every row with each column read, and finalised.
double replayedMs(const std::string& file, const TextList& statements)
{
    std::vector<std::string> engineTexts;
    for (const Text& sql : statements)
        engineTexts.push_back(gbkToUtf8(sql));
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_enable_load_extension(db, 1);
    char* failure = nullptr;
    if (sqlite3_load_extension(db, QELVANA_PROGRAM_DIR "/gbk_collation", nullptr, &failure) != SQLITE_OK)
        std::fprintf(stderr, "gbk_collation: %s\n", failure ? failure : "not loaded");
    sqlite3_free(failure);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    long long read = 0;
    int failed = 0;
    const double start = threadMs();
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    for (const std::string& sql : engineTexts) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK) {
            ++failed;
            continue;
        }
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
            for (int i = 0; i < sqlite3_column_count(statement); ++i)
                read += sqlite3_column_type(statement, i) == SQLITE_TEXT ? sqlite3_column_bytes(statement, i)
                                                                         : sqlite3_column_int64(statement, i);
        failed += rc != SQLITE_DONE;
        sqlite3_finalize(statement);
    }
    failed += sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK;
    const double ms = threadMs() - start;
    benchmark::DoNotOptimize(read);
    sqlite3_close(db);
    if (failed != 0)
        std::fprintf(stderr, "%d of %zu replayed statements failed\n", failed, statements.size());
    return ms;
}

struct AgainstStatements {
    double runMs, statementsMs;
};

// The processor milliseconds of `run` on a fresh desk of `delegates`
// prepared by `prepare`, its statements recorded as it issues them, and
// those of the statements replayed on a copy of the database as the run
// found it.
AgainstStatements againstStatements(const std::function<void(ExternalDatabase&)>& places, int delegates,
                                    const std::function<void(MainWindow&)>& prepare,
                                    const std::function<void(MainWindow&)>& run)
{
    Desk desk(places, delegates);
    prepare(desk.window());
    const std::string copy = desk.copy("statements.mdb");
    TextList statements;
    traceStatements(desk.window().外部数据库1, [&statements](const Text& sql) { statements.push_back(sql); });
    const double start = threadMs();
    run(desk.window());
    const double runMs = threadMs() - start;
    traceStatements(desk.window().外部数据库1, {});
    return {runMs, replayedMs(copy, statements)};
}

// The room run of `delegates` into half as many rooms of two beds, after
// the refresh that lists them.
AgainstStatements roomRunAgainstStatements(int delegates)
{
    return againstStatements([delegates](ExternalDatabase& db) { rooms(db, delegates / 2); }, delegates,
                             [](MainWindow& w) { w.onRefreshUnassignedClick(); },
                             [](MainWindow& w) { w.autoAssignRooms(); });
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

// Each iteration times each run and, right after it, its statements; the
// counters are medians of what each iteration gives, so that a moment in
// which the machine runs faster or slower for all of them changes little.
void BM_RoomRunToItsStatements(benchmark::State& state)
{
    Agreeing person;
    setInteraction(&person);
    std::vector<double> smallRatio, largeRatio, growth, statementsGrowth;
    for (auto _ : state) {
        const AgainstStatements small = roomRunAgainstStatements(kDelegates);
        const AgainstStatements large = roomRunAgainstStatements(4 * kDelegates);
        smallRatio.push_back(small.runMs / small.statementsMs);
        largeRatio.push_back(large.runMs / large.statementsMs);
        growth.push_back(large.runMs / small.runMs);
        statementsGrowth.push_back(large.statementsMs / small.statementsMs);
        state.SetIterationTime((small.runMs + large.runMs) / 1000);
    }
    setInteraction(nullptr);
    state.counters["ratio_2000"] = median(smallRatio);
    state.counters["ratio_8000"] = median(largeRatio);
    state.counters["growth"] = median(growth);
    state.counters["statements_growth"] = median(statementsGrowth);
}

void BM_TableRunToItsStatements(benchmark::State& state)
{
    Agreeing person;
    setInteraction(&person);
    std::vector<double> ratio;
    for (auto _ : state) {
        const AgainstStatements run = againstStatements([](ExternalDatabase& db) { tables(db, 200); }, kDelegates,
                                                        [](MainWindow&) {}, [](MainWindow& w) { w.autoAssignTables(); });
        ratio.push_back(run.runMs / run.statementsMs);
        state.SetIterationTime(run.runMs / 1000);
    }
    setInteraction(nullptr);
    state.counters["ratio"] = median(ratio);
}

void BM_AutomaticRoomRun(benchmark::State& state)
{
    compareFlushing(state, [](ExternalDatabase& db) { rooms(db, kDelegates / 2); }, [](MainWindow& w) { w.onRefreshUnassignedClick(); },
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

BENCHMARK(BM_RoomRunToItsStatements)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(15);
BENCHMARK(BM_TableRunToItsStatements)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(15);
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
