// Loading support libraries from the program directory and converting text
// through the conversion library built beside the tests.
#include "common/program/library.h"
#include "encoding/lumtra_abi.h"
#include "tests/support/gbk_print.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Points QELVANA_HOME somewhere for one test and restores it afterwards.
class HomeDirectory {
public:
    explicit HomeDirectory(const fs::path& dir)
    {
        if (const char* old = std::getenv("QELVANA_HOME"))
            old_ = old;
        setenv("QELVANA_HOME", dir.c_str(), 1);
    }
    ~HomeDirectory()
    {
        if (old_)
            setenv("QELVANA_HOME", old_->c_str(), 1);
        else
            unsetenv("QELVANA_HOME");
    }
    HomeDirectory(const HomeDirectory&) = delete;
    HomeDirectory& operator=(const HomeDirectory&) = delete;

private:
    std::optional<std::string> old_;
};

fs::path programDir()
{
    const char* dir = std::getenv("QELVANA_PROGRAM_DIR");
    return dir != nullptr ? fs::path(dir) : fs::path();
}

class SupportLibraryTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(programDir().empty()) << "QELVANA_PROGRAM_DIR is not set";
        ASSERT_TRUE(fs::exists(programDir() / "liblumtra.so")) << "build the lumtra target first";
    }
    HomeDirectory home{programDir()};
};

TEST_F(SupportLibraryTest, ConvertsThroughTheLibraryInEveryMode)
{
    struct Case {
        Text text;
        int mode;
        Text expected;
    };
    const Case cases[] = {
        {"中国abc", ModeGbkToBig5, "\xA4\xA4\xB0\xEA" "abc"},
        {"\xA4\xA4\xB0\xEA", ModeBig5ToGbk, "中\x87\xF8"},
        {"\x87\xF8\x9D\x68", ModeGbkTradToSimp, "国汉"},
        {"国汉体", ModeGbkSimpToTrad, "\x87\xF8\x9D\x68\xF3\x77"},
        {"\xA4\xA4\xB0\xEA", ModeBig5ToGbkSimp, "中国"},
        {"中国", 0, "中国"},
        {"中国", 6, "中国"},
        {"abc", ModeGbkToBig5, "abc"},
        {"", ModeGbkToBig5, ""},
    };
    for (const Case& c : cases)
        EXPECT_TEXT_EQ(c.expected, convertTextCode(c.text, c.mode)) << "mode " << c.mode;
}

TEST_F(SupportLibraryTest, LoadsOnceAndChecksTheIdentifier)
{
    const LibraryRecord* record = loadSupportLibrary(LumtraFileName, LumtraIdentifier);
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(record, loadSupportLibrary(LumtraFileName, LumtraIdentifier));
    EXPECT_EQ(nullptr, loadSupportLibrary(LumtraFileName, "00000000000000000000000000000000"));
    EXPECT_EQ(nullptr, loadSupportLibrary("nosuchlibrary", LumtraIdentifier));
}

// The library is looked for in the program directory, not on the loader's
// search path, and a file that is no support library is refused.
TEST_F(SupportLibraryTest, LooksInTheProgramDirectoryOnly)
{
    const fs::path dir = fs::temp_directory_path() / ("qelvana-library-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::copy_file(programDir() / "liblumtra.so", dir / "liblumtracopy.so",
                  fs::copy_options::overwrite_existing);
    std::ofstream(dir / "libbroken.so") << "not a library";
    {
        HomeDirectory elsewhere(dir);
        EXPECT_NE(nullptr, loadSupportLibrary("lumtracopy", LumtraIdentifier));
        EXPECT_EQ(nullptr, loadSupportLibrary("broken", LumtraIdentifier));
    }
    fs::remove_all(dir);
}

TEST(SupportLibraryBlocks, FreeingNullIsHarmless)
{
    freeBlock(nullptr);
    void* block = allocateBlock(16);
    EXPECT_NE(nullptr, block);
    freeBlock(block);
}

} // namespace
