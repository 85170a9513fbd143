// Lumtra in modes 1 and 5 beside glibc iconv converting GBK to BIG5 with
// "//IGNORE" (characters BIG5 lacks are dropped, so iconv runs through the
// text in one call), in one run of this program, over 64 MiB of mixed text
// like a real document's: runs of ASCII words, digits and punctuation
// between runs of Chinese characters, with 38 % of the bytes at 0x80 or
// above, from a fixed seed. Mode 1 converts the GBK text; mode 5 converts
// that text in its BIG5 form. Prints each rate and its ratio to iconv.
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
constexpr double kHighShare = 0.38;

// Alternating runs: an ASCII run (words of letters or digits with spaces
// and punctuation, 1 to 24 bytes) when the share of high bytes so far is at
// or above the target, else a Chinese run (1 to 12 GB2312 characters, now
// and then full-width punctuation).
const std::string& gbkText()
{
    static const std::string text = [] {
        std::string t;
        t.reserve(kTextBytes + 64);
        size_t high = 0;
        std::mt19937 random(20000101);
        std::uniform_int_distribution<int> asciiRun(1, 24), chineseRun(1, 12), lead(0xB0, 0xF7),
            trail(0xA1, 0xFE), letter(0, 25), percent(0, 99);
        while (t.size() < kTextBytes - 32) {
            if (static_cast<double>(high) >= kHighShare * static_cast<double>(t.size())) {
                for (int n = asciiRun(random); n > 0; --n) {
                    const int k = percent(random);
                    t += k < 70 ? static_cast<char>('a' + letter(random))
                       : k < 85 ? static_cast<char>('0' + letter(random) % 10)
                       : k < 95 ? ' '
                                : ",.;:()-\n"[letter(random) % 8];
                }
            } else {
                for (int n = chineseRun(random); n > 0; --n) {
                    if (percent(random) < 8) {
                        t += percent(random) < 50 ? "\xA3\xAC" : "\xA1\xA3";   // full-width comma, full stop
                    } else {
                        t += static_cast<char>(lead(random));
                        t += static_cast<char>(trail(random));
                    }
                    high += 2;
                }
            }
        }
        t.resize(kTextBytes - 1, ' ');
        return t;
    }();
    return text;
}

// The same text as mode 1 gives it: the input of mode 5.
const std::string& big5Text()
{
    static const std::string text = [] {
        std::string t = gbkText();
        Lumtra(t.data(), ModeGbkToBig5);
        return t;
    }();
    return text;
}

double highShare(const std::string& text)
{
    size_t high = 0;
    for (unsigned char c : text)
        high += c >= 0x80;
    return static_cast<double>(high) / static_cast<double>(text.size());
}

// MB/s of each benchmark, for the summary after the run.
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
    const int mode = static_cast<int>(state.range(0));
    const std::string& text = mode == ModeBig5ToGbkSimp ? big5Text() : gbkText();
    std::string work(text.size(), '\0');
    Timer timer(state);
    for (auto _ : state) {
        std::memcpy(work.data(), text.c_str(), text.size() + 1);
        timer.start();
        benchmark::DoNotOptimize(Lumtra(work.data(), mode));
        benchmark::ClobberMemory();
        timer.stop();
    }
    timer.report("Lumtra mode " + std::to_string(mode));
}

void iconvIgnore(benchmark::State& state)
{
    const std::string& text = gbkText();
    std::string out(text.size() + 16, '\0');
    iconv_t cd = iconv_open("BIG5//IGNORE", "GBK");
    Timer timer(state);
    for (auto _ : state) {
        timer.start();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(text.data());
        size_t srcLeft = text.size();
        char* dst = out.data();
        size_t dstLeft = out.size();
        // With //IGNORE iconv converts everything it can and then reports
        // the characters it dropped; it is called again only if it stopped.
        while (srcLeft > 0 && iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)
               && errno == EILSEQ && srcLeft > 0) {
        }
        benchmark::DoNotOptimize(dst);
        timer.stop();
        if (srcLeft != 0)
            state.SkipWithError("iconv did not convert the whole text");
    }
    iconv_close(cd);
    timer.report("iconv //IGNORE");
}

} // namespace

BENCHMARK(lumtraMode)->Arg(ModeGbkToBig5)->Arg(ModeBig5ToGbkSimp)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(iconvIgnore)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double peer = rates().count("iconv //IGNORE") ? rates()["iconv //IGNORE"] : 0;
    std::printf("\n%zu MiB of mixed text, %.1f %% of its bytes at 0x80 or above (seeded):\n", kTextBytes >> 20,
                100 * highShare(gbkText()));
    for (const auto& [name, rate] : rates()) {
        std::printf("  %-16s %8.1f MB/s", name.c_str(), rate);
        if (name.rfind("Lumtra", 0) == 0 && peer > 0)
            std::printf("  %5.1f x iconv //IGNORE", rate / peer);
        std::printf("\n");
    }
    return 0;
}
