// An automatic room run on 2,000 delegates: two single-row updates per
// delegate, each its own commit, as the program issues them. The run with
// the database's own settings beside the same run with a disk flush per
// commit shows what the journal settings save; compare the two in one run.
#include "common/database.h"
#include "common/files.h"
#include "common/program.h"
#include "common/window.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr int kDelegates = 2000;

void automaticRun(benchmark::State& state, bool flushEachCommit)
{
    ensureRuntime();
    QTemporaryDir dir;
    QFile::copy(QELVANA_DELIVERED_DATABASE, dir.filePath("meeting.mdb"));
    QFile::setPermissions(dir.filePath("meeting.mdb"), QFile::ReadOwner | QFile::WriteOwner);
    QFile dsn(dir.filePath("Meeting.dsn"));
    dsn.open(QIODevice::WriteOnly);
    dsn.write("[ODBC]\nENGINE=QSQLITE\n");
    dsn.close();
    const Text d = dir.path().toStdString();   // an ASCII temporary path
    Window window{"bench", {0, 0, 10, 10}, ""};
    ExternalDatabase db{window, "db"};
    if (!openDatabase(db, "DBQ=" + d + "/meeting.mdb;FILEDSN=" + d + "/Meeting.dsn;")) {
        state.SkipWithError("cannot open the database");
        return;
    }
    if (flushEachCommit)
        execSql(db, "PRAGMA synchronous=FULL");
    execSql(db, "insert  into  房间信息 (宾馆名称,房间编号,房间类别,房间人数,已住人数,性别,会议编号)  values  ('宾馆','1','标准',99999,0,'无',1)");
    for (int i = 0; i < kDelegates; ++i)
        execSql(db, "insert  into 代表信息 (姓名,单位,性别,代表编号,会议编号) values ('代表','单位','男','" + toText(i) + "',1)");
    for (auto _ : state) {
        for (int i = 1; i <= kDelegates; ++i) {
            execSql(db, "update 代表信息 set 宾馆名称='宾馆',房间编号='1' where 代表id=" + toText(i));
            execSql(db, "update 房间信息 set 已住人数=已住人数+1,性别='男' where 房间id=1");
        }
    }
    state.counters["statements"] = 2 * kDelegates;
}

void BM_AutomaticRun(benchmark::State& state) { automaticRun(state, false); }
void BM_AutomaticRunFlushingEachCommit(benchmark::State& state) { automaticRun(state, true); }

BENCHMARK(BM_AutomaticRun)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AutomaticRunFlushingEachCommit)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
