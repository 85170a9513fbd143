// Backup and restore of a data directory of 400 MiB (1,280 photos of
// random bytes, as compressed pictures are, in 10 folders, and the
// database) through the program's own routines, beside tar of the same
// tree in one run: uncompressed and synced to disk as the program's files
// are ("tar cf" and a sync of the archive, "tar xf" and a sync of what it
// wrote), each pair run in alternation, and once each compressed ("tar czf",
// "tar xzf"). The backup is the database's copy and the packing; the
// restore is the whole restore, the database step included, over the
// photos of the round before. Prints each way's median time and peak
// memory with their ratios: the routines' peak is the process's own
// high-water mark (reset before each), tar's that of its largest process.
#include "state/globals.h"
#include "common/database/database_copy.h"
#include "common/program/program.h"
#include "backup/backup_file.h"
#include "backup/restore_run.h"
#include "benchmarks/scratch_directory.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kFolders = 10, kPhotosPerFolder = 128;
constexpr size_t kPhotoBytes = 320u << 10;   // 1,280 x 320 KiB = 400 MiB
constexpr int kRounds = 5;

struct Result {
    double seconds = 0;
    double peakMiB = 0;
};
std::map<std::string, std::vector<Result>>& results()
{
    static std::map<std::string, std::vector<Result>> all;
    return all;
}

const ScratchDirectory& workDir()
{
    static ScratchDirectory dir;
    return dir;
}

std::string work(const std::string& name) { return workDir().filePath(name); }

// The program's form of a path below the work directory.
Text programPath(const std::string& name)
{
    std::string path = work(name);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

void copyDatabase(const std::string& programDirectory)
{
    copyWritable(QELVANA_DELIVERED_DATABASE, work(programDirectory + "/meeting.mdb"));
}

// The program directory that is backed up, and the one restored into.
void buildTrees()
{
    std::filesystem::create_directories(work("prog/data"));
    std::filesystem::create_directories(work("restored/data"));
    std::filesystem::create_directories(work("untarred"));
    copyDatabase("prog");
    copyDatabase("restored");
    std::mt19937_64 random(20000101);
    std::string photo(kPhotoBytes, '\0');
    for (int folder = 0; folder < kFolders; ++folder) {
        const std::string dir = work("prog/data/" + std::to_string(folder));
        std::filesystem::create_directories(dir);
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
    results()[name].push_back(result);
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

// What tar wrote, on disk: the archive alone, or every file of the file
// system it extracted into.
bool sync(const std::string& path, bool wholeFileSystem)
{
    const int fd = open(path.c_str(), O_RDONLY);
    const bool synced = fd >= 0 && (wholeFileSystem ? syncfs(fd) : fsync(fd)) == 0;
    if (fd >= 0)
        close(fd);
    return synced;
}

void tar(benchmark::State& state, const std::string& name, const char* mode, const std::string& archive,
         const std::string& directory, const std::string& synced = {}, bool wholeFileSystem = false)
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
        const bool done = WIFEXITED(status) && WEXITSTATUS(status) == 0
                       && (synced.empty() || sync(synced, wholeFileSystem));
        Result result{secondsSince(start), usage.ru_maxrss / 1024.0};
        if (!done)
            state.SkipWithError("tar failed");
        record(state, name, result);
    }
}

void backup(benchmark::State& state)
{
    routine(state, "backup", [] {
        return snapshotDatabase(programPath("prog\\meeting.mdb"), programPath("prog\\data\\meeting.mdb"))
            && packDirectoryToFile(programPath("prog\\data"), programPath("backup.JQV")).empty()
            && packedFilePaths.size() == kFolders * kPhotosPerFolder + 1;
    });
}

void restore(benchmark::State& state)
{
    routine(state, "restore", [] {
        return restoreBackupFile(programPath("backup.JQV"), programPath("restored")) == RestoreOutcome::Restored;
    });
}

void tarCreate(benchmark::State& state) { tar(state, "tar cf + sync", "cf", work("backup.tar"), work("prog"), work("backup.tar")); }
void tarExtract(benchmark::State& state)
{
    tar(state, "tar xf + sync", "xf", work("backup.tar"), work("untarred"), work("untarred"), true);
}
void tarCreateCompressed(benchmark::State& state) { tar(state, "tar czf", "czf", work("backup.tgz"), work("prog")); }
void tarExtractCompressed(benchmark::State& state) { tar(state, "tar xzf", "xzf", work("backup.tgz"), work("untarred")); }

void add(const char* name, void (*run)(benchmark::State&))
{
    benchmark::RegisterBenchmark(name, run)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
}

Result median(const std::string& name)
{
    std::vector<Result> all = results()[name];
    if (all.empty())
        return {};
    std::sort(all.begin(), all.end(), [](const Result& a, const Result& b) { return a.seconds < b.seconds; });
    return all[all.size() / 2];
}

void ratio(const char* ours, const char* peer)
{
    const Result a = median(ours), b = median(peer);
    std::printf("  %-8s %6.2f s  %7.1f MiB peak   %-14s %6.2f s  %7.1f MiB peak   time x%.2f, memory x%.1f\n", ours,
                a.seconds, a.peakMiB, peer, b.seconds, b.peakMiB, a.seconds / b.seconds, a.peakMiB / b.peakMiB);
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    ensureRuntime();
    buildTrees();
    // As in the program, which has the database open before any backup:
    // the engine's code is in memory before the idle figure is taken.
    snapshotDatabase(programPath("restored\\meeting.mdb"), programPath("warm.mdb"));
    // Each pair in alternation, so that a noisy moment of the machine falls
    // on both sides alike; the first restore and extraction write into an
    // empty tree, the later ones over the round before.
    for (int round = 0; round < kRounds; ++round) {
        add("backup", backup);
        add("tar cf + sync", tarCreate);
    }
    for (int round = 0; round < kRounds; ++round) {
        add("restore", restore);
        add("tar xf + sync", tarExtract);
    }
    add("tar czf", tarCreateCompressed);
    add("tar xzf", tarExtractCompressed);
    const long before = statusKiB("VmRSS:");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%d photos of %zu KiB and the database; resident before the runs: %.1f MiB; medians of %d rounds\n",
                kFolders * kPhotosPerFolder, kPhotoBytes >> 10, before / 1024.0, kRounds);
    ratio("backup", "tar cf + sync");
    ratio("restore", "tar xf + sync");
    ratio("backup", "tar czf");
    ratio("restore", "tar xzf");
    return 0;
}
