// Converting every cell of a 1,600 x 10 table (16,000 cells) in the template
// editor: the document kept in memory beside database mode, where the table
// file is written once the command is done. Compare the two in one run.
#include "common/files/files.h"
#include "common/program/program.h"
#include "editor/template_editor_window.h"
#include "benchmarks/scratch_directory.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 1600;
constexpr int kColumns = 10;

void fill(DataSource& table)
{
    setTableSize(table, kRows, kColumns);
    for (int row = 1; row <= kRows; ++row)
        for (int column = 1; column <= kColumns; ++column)
            setCellText(table, row, column, "会议代表");
}

void convertEveryCell(benchmark::State& state, bool databaseMode)
{
    ScratchDirectory config;
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    setenv("QELVANA_HOME", QELVANA_PROGRAM_DIR, 1);
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ensureRuntime();
    const Text file = config.filePath("table.zqd");   // an ASCII temporary path
    {
        Window scratch{"scratch", {0, 0, 10, 10}, ""};
        DataSource table{scratch, "table"};
        fill(table);
        saveGridFile(table, file);
    }
    TextList arguments{"qelvana"};
    if (databaseMode)
        arguments.push_back(file);
    auto* editor = loadWindow<TemplateEditorWindow>(nullptr, false, arguments);
    if (editor == nullptr || editor->databaseMode() != databaseMode) {
        state.SkipWithError("the editor did not open as asked");
        return;
    }
    if (!databaseMode)
        editor->loadTableFile(file);
    for (auto _ : state) {
        triggerMenuItem(editor->简体到繁体);
        triggerMenuItem(editor->繁体到简体);
    }
    state.counters["cells"] = 2 * kRows * kColumns;
    closeWindow(*editor);
    processEvents();
}

void BM_ConvertInMemory(benchmark::State& state) { convertEveryCell(state, false); }
void BM_ConvertInDatabaseMode(benchmark::State& state) { convertEveryCell(state, true); }

BENCHMARK(BM_ConvertInMemory)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ConvertInDatabaseMode)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
