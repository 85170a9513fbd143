// MB/s of Lumtra in modes 1 and 5 over a 64 MiB GBK text, and of glibc
// iconv converting the same text from GBK to BIG5, in the same run.
#include "encoding/lumtra_abi.h"

#include <benchmark/benchmark.h>

#include <iconv.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>

namespace {

constexpr size_t kTextBytes = 64u << 20;

// Mostly GB2312 hanzi, with some punctuation, ASCII and line breaks, like
// the cells of a report; fixed seed, so every run converts the same text.
const std::string& gbkText()
{
    static const std::string text = [] {
        std::string t;
        t.reserve(kTextBytes + 4);
        std::mt19937 random(20000101);
        std::uniform_int_distribution<int> kind(0, 99), lead(0xB0, 0xF7), trail(0xA1, 0xFE);
        while (t.size() < kTextBytes - 2) {
            const int k = kind(random);
            if (k < 85) {
                t += static_cast<char>(lead(random));
                t += static_cast<char>(trail(random));
            } else if (k < 92) {
                t += "\xA3\xAC";   // full-width comma
            } else if (k < 99) {
                t += static_cast<char>('a' + k % 26);
            } else {
                t += "\r\n";
            }
        }
        t.resize(kTextBytes - 1, ' ');
        return t;
    }();
    return text;
}

// MB/s of each benchmark's last run, for the summary after the run.
std::map<std::string, double>& rates()
{
    static std::map<std::string, double> all;
    return all;
}

class Timer {
public:
    explicit Timer(benchmark::State& state) : state_(state) {}
    void start() { start_ = std::chrono::steady_clock::now(); }
    void stop()
    {
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        state_.SetIterationTime(s);
        total_ += s;
    }
    void report(const std::string& name)
    {
        state_.SetBytesProcessed(static_cast<int64_t>(state_.iterations()) * kTextBytes);
        rates()[name] = static_cast<double>(state_.iterations()) * kTextBytes / 1e6 / total_;
    }

private:
    benchmark::State& state_;
    std::chrono::steady_clock::time_point start_;
    double total_ = 0;
};

// Only the conversion is timed; restoring the text before each run is not.
void lumtraMode(benchmark::State& state)
{
    const std::string& text = gbkText();
    std::string work(text.size(), '\0');
    Timer timer(state);
    for (auto _ : state) {
        std::memcpy(work.data(), text.c_str(), text.size() + 1);
        timer.start();
        benchmark::DoNotOptimize(Lumtra(work.data(), static_cast<int32_t>(state.range(0))));
        benchmark::ClobberMemory();
        timer.stop();
    }
    timer.report("Lumtra mode " + std::to_string(state.range(0)));
}

// iconv stops at each character BIG5 lacks; with range 0 such a character
// becomes the ideographic space A1 40, as in the library, and the conversion
// is restarted after it; with range 1 iconv drops it itself ("//IGNORE"),
// which shows iconv's speed without the restarts.
void iconvGbkToBig5(benchmark::State& state)
{
    const bool ignore = state.range(0) == 1;
    const std::string& text = gbkText();
    std::string out(text.size() + 16, '\0');
    iconv_t cd = iconv_open(ignore ? "BIG5//IGNORE" : "BIG5", "GBK");
    size_t stops = 0;
    Timer timer(state);
    for (auto _ : state) {
        timer.start();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(text.data());
        size_t srcLeft = text.size();
        char* dst = out.data();
        size_t dstLeft = out.size();
        stops = 0;
        while (srcLeft > 0 && iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) {
            if (errno != EILSEQ || srcLeft < 2 || dstLeft < 2)
                break;
            ++stops;
            if (ignore)
                continue;
            std::memcpy(dst, "\xA1\x40", 2);
            src += 2, srcLeft -= 2, dst += 2, dstLeft -= 2;
        }
        benchmark::DoNotOptimize(dst);
        timer.stop();
        if (srcLeft != 0)
            state.SkipWithError("iconv did not convert the whole text");
    }
    iconv_close(cd);
    state.counters["stops"] = static_cast<double>(stops);
    timer.report(ignore ? "iconv //IGNORE" : "iconv GBK->BIG5");
}

} // namespace

BENCHMARK(lumtraMode)->Arg(ModeGbkToBig5)->Arg(ModeBig5ToGbkSimp)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(iconvGbkToBig5)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double substituting = rates().count("iconv GBK->BIG5") ? rates()["iconv GBK->BIG5"] : 0;
    const double ignoring = rates().count("iconv //IGNORE") ? rates()["iconv //IGNORE"] : 0;
    std::printf("\nThroughput over %zu MiB of GBK text:\n", kTextBytes >> 20);
    for (const auto& [name, rate] : rates()) {
        std::printf("  %-16s %8.1f MB/s", name.c_str(), rate);
        if (name.rfind("Lumtra", 0) == 0 && substituting > 0 && ignoring > 0)
            std::printf("  %6.1f x iconv GBK->BIG5, %5.1f x iconv //IGNORE",
                        rate / substituting, rate / ignoring);
        std::printf("\n");
    }
    return 0;
}
