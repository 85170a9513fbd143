// Backup and restore of a data directory of 400 MiB (1,280 photos of
// random bytes, as compressed pictures are, in 10 folders, and the
// delivered database) through the program's own routines, beside
// "tar czf" and "tar xzf" of the same tree, in one run. Prints each way's
// time and peak memory with their ratios: the routines' peak is the
// process's own high-water mark (reset before each), tar's that of its
// largest process.
#include "app/state/globals.h"
#include "common/program.h"
#include "desk/tools/backup_file.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <fstream>
#include <map>
#include <random>
#include <string>

namespace {

constexpr int kFolders = 10, kPhotosPerFolder = 128;
constexpr size_t kPhotoBytes = 320u << 10;   // 1,280 x 320 KiB = 400 MiB

struct Result {
    double seconds = 0;
    double peakMiB = 0;
};
std::map<std::string, Result>& results()
{
    static std::map<std::string, Result> all;
    return all;
}

const QTemporaryDir& workDir()
{
    static QTemporaryDir dir;
    return dir;
}

std::string work(const std::string& name) { return workDir().path().toStdString() + "/" + name; }

// The program's form of a path below the work directory.
Text programPath(const std::string& name)
{
    std::string path = work(name);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

void buildTree()
{
    QDir().mkpath(QString::fromStdString(work("prog/data")));
    const QString database = QString::fromStdString(work("prog/data/meeting.mdb"));
    QFile::copy(QELVANA_DELIVERED_DATABASE, database);
    QFile::setPermissions(database, QFile::ReadOwner | QFile::WriteOwner);
    std::mt19937_64 random(20000101);
    std::string photo(kPhotoBytes, '\0');
    for (int folder = 0; folder < kFolders; ++folder) {
        const std::string dir = work("prog/data/" + std::to_string(folder));
        QDir().mkpath(QString::fromStdString(dir));
        for (int i = 0; i < kPhotosPerFolder; ++i) {
            for (size_t at = 0; at < photo.size(); at += 8) {
                const uint64_t bits = random();
                std::memcpy(&photo[at], &bits, 8);
            }
            std::ofstream(dir + "/1-" + std::to_string(folder * 1000 + i) + ".PIC", std::ios::binary) << photo;
        }
    }
}

long statusKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::strtol(line.c_str() + std::strlen(field), nullptr, 10);
    return 0;
}

// The process's high-water mark of resident memory starts again from now.
void resetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void record(benchmark::State& state, const std::string& name, Result result)
{
    state.SetIterationTime(result.seconds);
    state.counters["peak_MiB"] = result.peakMiB;
    results()[name] = result;
}

// `run` gives true when the routine did its work.
void routine(benchmark::State& state, const std::string& name, const std::function<bool()>& run)
{
    for (auto _ : state) {
        resetPeakMemory();
        const auto start = std::chrono::steady_clock::now();
        const bool done = run();
        Result result{secondsSince(start), statusKiB("VmHWM:") / 1024.0};
        if (!done)
            state.SkipWithError("the routine failed");
        record(state, name, result);
    }
}

void tar(benchmark::State& state, const std::string& name, const char* mode, const std::string& archive,
         const std::string& directory)
{
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            execlp("tar", "tar", mode, archive.c_str(), "-C", directory.c_str(), "data", nullptr);
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);   // tar with the gzip it waited for
        Result result{secondsSince(start), usage.ru_maxrss / 1024.0};
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            state.SkipWithError("tar failed");
        record(state, name, result);
    }
}

void backup(benchmark::State& state)
{
    routine(state, "backup", [] {
        return packDirectoryToFile(programPath("prog\\data"), programPath("backup.JQV")).empty()
            && packedFilePaths.size() == kFolders * kPhotosPerFolder + 1;
    });
}

void tarCreate(benchmark::State& state) { tar(state, "tar czf", "czf", work("backup.tgz"), work("prog")); }

void restore(benchmark::State& state)
{
    QDir(QString::fromStdString(work("restored"))).removeRecursively();
    routine(state, "restore", [] {
        return unpackFileToDirectory(programPath("backup.JQV"), programPath("restored")).empty();
    });
}

void tarExtract(benchmark::State& state)
{
    QDir().mkpath(QString::fromStdString(work("untarred")));
    tar(state, "tar xzf", "xzf", work("backup.tgz"), work("untarred"));
}

void ratio(const char* ours, const char* peer)
{
    const Result& a = results()[ours];
    const Result& b = results()[peer];
    std::printf("  %-8s %6.2f s  %7.1f MiB peak   %-8s %6.2f s  %7.1f MiB peak   time x%.2f, memory x%.1f\n", ours,
                a.seconds, a.peakMiB, peer, b.seconds, b.peakMiB, a.seconds / b.seconds, a.peakMiB / b.peakMiB);
}

} // namespace

BENCHMARK(backup)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(tarCreate)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(restore)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(tarExtract)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    ensureRuntime();
    buildTree();
    const long before = statusKiB("VmRSS:");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%d photos of %zu KiB and the database; resident before the runs: %.1f MiB\n",
                kFolders * kPhotosPerFolder, kPhotoBytes >> 10, before / 1024.0);
    ratio("backup", "tar czf");
    ratio("restore", "tar xzf");
    return 0;
}
