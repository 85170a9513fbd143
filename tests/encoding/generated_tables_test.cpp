// The committed encoding/lumtra_tables.cpp is what the generator makes of
// its inputs, byte for byte: the generator writes into a scratch file, and
// the two are compared. Where the inputs are not installed the test skips
// and names them (tools/deps.sh installs them).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The generator's status when an input is missing; it names them on stderr.
constexpr int kMissingInputs = 3;

struct GeneratorRun {
    int status = -1;       // exit status, -1 when it did not exit
    std::string output;    // stdout and stderr
};

std::string quoted(const std::string& s) { return "'" + s + "'"; }

GeneratorRun runGenerator(const fs::path& output)
{
    // The test main's Chinese locale need not be installed; the generator
    // needs none.
    const std::string command = "env LC_ALL=C.UTF-8 " + quoted(QELVANA_PYTHON3) + " "
                                + quoted(QELVANA_ENCODING_DIR "/tools/generate_tables.py") + " --output "
                                + quoted(output.string()) + " 2>&1";
    GeneratorRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char chunk[4096];
    for (size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        run.output.append(chunk, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string fileBytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::vector<std::string> linesOf(const std::string& bytes)
{
    std::istringstream text(bytes);
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

// Where the two files part, for the failure message.
std::string firstDifference(const std::string& committed, const std::string& generated)
{
    const auto a = linesOf(committed), b = linesOf(generated);
    size_t differing = 0, first = 0;
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const bool same = i < a.size() && i < b.size() && a[i] == b[i];
        if (!same && differing++ == 0)
            first = i;
    }
    if (differing == 0)
        return "the lines agree, so the line ends or the end of the file differ";
    auto at = [first](const std::vector<std::string>& lines) {
        return first < lines.size() ? "\"" + lines[first] + "\"" : std::string("(no such line)");
    };
    return std::to_string(differing) + " lines differ, the first at line " + std::to_string(first + 1)
           + ":\n  committed: " + at(a) + "\n  generated: " + at(b);
}

TEST(LumtraGeneratedTables, CommittedFileIsTheGeneratorsOutput)
{
    const fs::path scratch = fs::temp_directory_path() / ("lumtra_tables-" + std::to_string(getpid()) + ".cpp");
    const GeneratorRun run = runGenerator(scratch);
    const std::string generated = fileBytes(scratch);
    fs::remove(scratch);
    if (run.status == kMissingInputs)
        GTEST_SKIP() << "the committed tables are not checked against the generator:\n" << run.output;
    ASSERT_EQ(0, run.status) << "the generator failed:\n" << run.output;

    const std::string committed = fileBytes(QELVANA_ENCODING_DIR "/lumtra_tables.cpp");
    EXPECT_TRUE(committed == generated)
        << "encoding/lumtra_tables.cpp is not what encoding/tools/generate_tables.py makes of the inputs "
           "installed here; "
        << firstDifference(committed, generated)
        << "\nThe file is not edited by hand: when the generator or its inputs changed, regenerate it with "
           "python3 encoding/tools/generate_tables.py and commit it.";
}

} // namespace
