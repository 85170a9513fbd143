// The report window's fills on a large meeting, each through the real
// window as the user opens it: the delegate list of 5,000 and of 20,000,
// the room list of 1,000 rooms with 5,000 delegates, the banquet-table list
// of 500 tables and the group report of 500 groups. Each runs on the
// delivered database and on the same data without the lookup indexes
// (same-named indexes on another column, which the opening leaves alone);
// compare the two in one run. The delegate list of 20,000 shows, as
// "growth", its time per fill over that of 5,000 in the same run: 4 is
// linear. A user expects each fill under 0.2 s.
#include "state/connection.h"
#include "state/globals.h"
#include "common/database/database.h"
#include "common/files/files.h"
#include "common/program/program.h"
#include "reports/report_window.h"
#include "benchmarks/scratch_directory.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <tuple>
#include <utility>

namespace {

constexpr int kDelegates = 5000, kManyDelegates = 20000, kRooms = 1000, kTables = 500, kGroups = 500;

// Delegate i sleeps in room i % 1000, dines at table i % 500 and sits in
// group i % 500 + 1; the rooms spread over ten hotels.
const char* const kPlaces[] = {
    "insert  into 会议信息 (会议编号,会议名称) values (1,'大会')",
    "insert into 房间信息 (会议编号,宾馆名称,房间编号,房间类别,房间人数,性别)"
    " with recursive n(i) as (select 0 union all select i+1 from n where i<999)"
    " select 1, '宾馆'||(i%10), ''||i, '标准间', 5, '男' from n",
    "insert into 餐桌信息 (会议编号,餐厅名称,餐桌编号,可坐人数)"
    " with recursive n(i) as (select 0 union all select i+1 from n where i<499)"
    " select 1, '餐厅'||(i%5), ''||i||'号桌', 10 from n",
    "insert into 会议分组 (会议编号,分组名称,分组时间,分组地点,召集人,联络员)"
    " with recursive n(i) as (select 1 union all select i+1 from n where i<500)"
    " select 1, '第'||i||'组', '上午', '会议室', '召集人', '联络员' from n",
};

Text delegatesSeed(int count)
{
    return "insert into 代表信息 (会议编号,代表编号,姓名,单位,性别,职务,手机号码,宾馆名称,房间编号,餐厅名称,餐桌编号,分组编号)"
           " with recursive n(i) as (select 0 union all select i+1 from n where i<"
           + toText(count - 1)
           + ")"
             " select 1, substr('0000'||i,-5), '代表'||i, '单位'||(i%50), '男', '职务', '139'||i,"
             " '宾馆'||(i%1000%10), ''||(i%1000), '餐厅'||(i%500%5), ''||(i%500)||'号桌', i%500+1 from n";
}

const char* const kWithoutLookupIndexes[] = {
    "drop index 代表信息_房间", "drop index 代表信息_餐桌", "drop index 代表信息_分组",
    "create index 代表信息_房间 on 代表信息 (照片)", "create index 代表信息_餐桌 on 代表信息 (职务)",
    "create index 代表信息_分组 on 代表信息 (办公电话)",
};

// A program directory with the delivered templates and a seeded database.
class Meeting {
public:
    Meeting(bool lookupIndexes, int delegates)
    {
        for (const auto& entry : std::filesystem::directory_iterator(QELVANA_PROGRAM_DIR)) {
            const std::filesystem::path& file = entry.path();
            if (entry.is_regular_file() && (file.extension() == ".grd" || file.filename() == "Meeting.dsn"))
                std::filesystem::copy_file(file, dir_.filePath(file.filename().string()));
        }
        copyWritable(QELVANA_DELIVERED_DATABASE, dir_.filePath("meeting.mdb"));
        use();
        Window window{"seed", {0, 0, 10, 10}, ""};
        ExternalDatabase db{window, "seed"};
        ok_ = openDatabase(db, connectionText());
        for (const char* sql : kPlaces)
            ok_ = ok_ && execSql(db, sql);
        ok_ = ok_ && execSql(db, delegatesSeed(delegates));
        if (!lookupIndexes)
            for (const char* sql : kWithoutLookupIndexes)
                ok_ = ok_ && execSql(db, sql);
    }
    bool ok() const { return ok_; }
    void use() const { setenv("QELVANA_HOME", dir_.path().c_str(), 1); }

private:
    ScratchDirectory dir_;
    bool ok_ = false;
};

// Seeded on first use; kept for the whole run.
const Meeting& meeting(bool lookupIndexes, int delegates)
{
    static std::map<std::pair<bool, int>, std::unique_ptr<Meeting>> meetings;
    auto& m = meetings[{lookupIndexes, delegates}];
    if (!m)
        m = std::make_unique<Meeting>(lookupIndexes, delegates);
    return *m;
}

// Seconds per fill of each kind, index setting and meeting size in this run.
std::map<std::tuple<Text, bool, int>, double>& secondsPerFill()
{
    static std::map<std::tuple<Text, bool, int>, double> seconds;
    return seconds;
}

// Opens the report window for `kind` and closes it again: the fill runs as
// the window is created.
void fill(benchmark::State& state, const Text& kind, int expectedRows, int delegates = kDelegates)
{
    const bool lookupIndexes = state.range(0) != 0;
    const Meeting& m = meeting(lookupIndexes, delegates);
    if (!m.ok()) {
        state.SkipWithError("cannot seed the database");
        return;
    }
    m.use();
    currentMeetingId = 1;
    currentMeetingName = "大会";
    reportKind = kind;
    int rows = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        ReportWindow* w = loadWindow<ReportWindow>(nullptr, false);
        rows = w ? tableRowCount(w->报表数据源) : 0;
        if (w)
            closeWindow(*w);
        processEvents();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (rows < expectedRows)
        state.SkipWithError("the report is not filled");
    state.counters["rows"] = rows;
    const double seconds = elapsed.count() / static_cast<double>(state.iterations());
    secondsPerFill()[{kind, lookupIndexes, delegates}] = seconds;
    if (delegates != kDelegates) {
        const auto base = secondsPerFill().find({kind, lookupIndexes, kDelegates});
        if (base != secondsPerFill().end())
            state.counters["growth"] = seconds / base->second;
    }
}

void BM_DelegateList(benchmark::State& state)
{
    const int delegates = static_cast<int>(state.range(1));
    fill(state, "代表一览表", delegates + 2, delegates);
}
void BM_RoomList(benchmark::State& state) { fill(state, "客房一览表", kRooms + 2); }
void BM_TableList(benchmark::State& state) { fill(state, "餐桌一览表", kTables + 2); }
// Per group: two heading rows, one member row (ten members), one empty row.
void BM_GroupReport(benchmark::State& state) { fill(state, "分组一览表", 4 * kGroups); }

// Argument: 1 with the lookup indexes, 0 without; the delegate list's
// second is the number of delegates, 5,000 first so that 20,000 shows its
// growth.
BENCHMARK(BM_DelegateList)
    ->ArgNames({"indexes", "delegates"})
    ->Args({1, kDelegates})
    ->Args({1, kManyDelegates})
    ->Args({0, kDelegates})
    ->Args({0, kManyDelegates})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_RoomList)->ArgName("indexes")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TableList)->ArgName("indexes")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GroupReport)->ArgName("indexes")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ensureRuntime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
