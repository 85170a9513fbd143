// Files with "\" paths and Chinese names reach the real file system; writes
// and copies replace; searches nest; stored values read back and a damaged
// value file is refused.
#include "common/files/files.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/gbk_print.h"
#include "tests/support/scoped_env.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>

namespace fs = std::filesystem;

namespace {

// "淺" is 9C 5C: its trail byte is the byte of "\".
const Text kQian = "淺";

class FilesTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tempDir.isValid());
        rootUtf8 = tempDir.path().toStdString();
        root = rootUtf8;
        std::replace(root.begin(), root.end(), '/', '\\');
    }
    void TearDown() override { closeAllFiles(); }

    QTemporaryDir tempDir{QStringLiteral("/tmp/qelvana-files-XXXXXX")};

    // A program path below the temporary root; `relative` uses "\".
    Text path(const Text& relative) const { return root + "\\" + relative; }
    // The same file as the file system names it (UTF-8, "/").
    fs::path disk(const Text& relative) const
    {
        std::string name = gbkToUtf8(relative);
        std::replace(name.begin(), name.end(), '\\', '/');
        return fs::path(rootUtf8) / name;
    }
    void put(const Text& relative, const std::string& content) const
    {
        fs::create_directories(disk(relative).parent_path());
        std::ofstream(disk(relative), std::ios::binary) << content;
    }
    std::string get(const Text& relative) const
    {
        std::ifstream in(disk(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string rootUtf8;
    Text root;
};

TEST_F(FilesTest, ChineseNamesAreCreatedFoundCopiedAndDeleted)
{
    const Text photo = "数据\\照片" + kQian + ".PIC";
    const Text copy = "数据\\副本" + kQian + ".PIC";
    ASSERT_TRUE(createDirectory(path("数据")));
    EXPECT_FALSE(createDirectory(path("数据")));
    EXPECT_TRUE(fs::is_directory(disk("数据")));

    ASSERT_TRUE(writeFile(path(photo), Bytes("\0\xFF photo", 8)));
    EXPECT_TRUE(fs::exists(disk(photo)));
    EXPECT_TRUE(fileExists(path(photo)));
    EXPECT_FALSE(fileExists(path("数据")));
    EXPECT_EQ(Bytes("\0\xFF photo", 8), readFile(path(photo)));
    EXPECT_TEXT_EQ("照片" + kQian + ".PIC", findFile(path("数据\\*.PIC")));
    endFileSearch();

    put(copy, "an older and longer copy");
    ASSERT_TRUE(copyFile(path(photo), path(copy)));
    EXPECT_EQ(std::string("\0\xFF photo", 8), get(copy));

    EXPECT_TRUE(deleteFile(path(photo)));
    EXPECT_FALSE(fs::exists(disk(photo)));
    EXPECT_FALSE(fileExists(path(photo)));
    EXPECT_FALSE(deleteFile(path(photo)));
    EXPECT_FALSE(deleteFile(path("数据")));
    EXPECT_TRUE(fs::is_directory(disk("数据")));
    EXPECT_EQ(Bytes(), readFile(path(photo)));
}

TEST_F(FilesTest, FailedWritesAndCopiesLeaveTargetsAlone)
{
    put("target.txt", "keep me");
    put("dir\\inside.txt", "x");
    EXPECT_FALSE(copyFile(path("missing.txt"), path("target.txt")));
    EXPECT_FALSE(copyFile(path("dir"), path("target.txt")));
    EXPECT_EQ("keep me", get("target.txt"));
    EXPECT_FALSE(copyFile(path("target.txt"), path("nowhere\\copy.txt")));
    EXPECT_FALSE(writeFile(path("nowhere\\new.txt"), "x"));
    EXPECT_FALSE(writeFile(path("dir"), "x"));
    EXPECT_TRUE(fs::is_directory(disk("dir")));
    EXPECT_EQ(Bytes(), readFile(path("dir")));

    ASSERT_TRUE(writeFile(path("target.txt"), "new"));
    EXPECT_EQ("new", get("target.txt"));
    ASSERT_TRUE(writeFile(path("target.txt"), ""));
    EXPECT_EQ("", get("target.txt"));
    // nothing but the target is left in the directory
    EXPECT_EQ(2, std::distance(fs::directory_iterator(rootUtf8), fs::directory_iterator()));
}

TEST_F(FilesTest, NamesResolveIgnoringCaseAndBareNamesAgainstTheCurrentDirectory)
{
    put("data\\5会1.PIC", "photo");
    EXPECT_EQ("photo", readFile(path("DATA\\5会1.pic")));
    EXPECT_TRUE(fileExists(path("Data\\5会1.PIC")));
    ASSERT_TRUE(writeFile(path("DATA\\5会2.PIC"), "second"));
    EXPECT_EQ("second", get("data\\5会2.PIC"));
    EXPECT_FALSE(fs::exists(disk("DATA")));

    char saved[4096];
    ASSERT_NE(nullptr, getcwd(saved, sizeof saved));
    ASSERT_EQ(0, chdir(rootUtf8.c_str()));
    bool written = writeFile("台签.grd", "card");
    Bytes back = readFile("台签.grd");
    bool exists = fileExists("data\\5会1.PIC");
    ASSERT_EQ(0, chdir(saved));
    EXPECT_TRUE(written);
    EXPECT_EQ("card", get("台签.grd"));
    EXPECT_EQ("card", back);
    EXPECT_TRUE(exists);
}

TEST_F(FilesTest, FindFileGivesFilesOrDirectoriesAndSingleTests)
{
    put("d\\f1.txt", "");
    put("d\\F2.TXT", "");
    put("d\\noext", "");
    put("d\\.dot", "");
    fs::create_directories(disk("d\\sub"));
    auto all = [](Text first) {
        std::set<Text> names;
        for (; !first.empty(); first = findNextFile())
            names.insert(first);
        endFileSearch();
        return names;
    };
    EXPECT_EQ((std::set<Text>{"f1.txt", "F2.TXT", "noext", ".dot"}), all(findFile(path("d\\*.*"))));
    EXPECT_EQ((std::set<Text>{".", "..", "sub"}), all(findFile(path("d\\*.*"), AttributeDirectory)));
    EXPECT_EQ((std::set<Text>{"f1.txt", "F2.TXT"}), all(findFile(path("d\\*.txt"))));
    EXPECT_EQ((std::set<Text>{"f1.txt"}), all(findFile(path("d\\?1.TXT"))));
    EXPECT_EQ(std::set<Text>{}, all(findFile(path("missing\\*.*"))));

    EXPECT_TEXT_EQ("sub", findFile(path("d\\sub"), AttributeDirectory));
    EXPECT_TEXT_EQ("sub", findFile(path("d\\SUB"), AttributeDirectory));
    EXPECT_TEXT_EQ("", findFile(path("d\\sub")));
    EXPECT_TEXT_EQ("", findFile(path("d\\f1.txt"), AttributeDirectory));
    EXPECT_TEXT_EQ("f1.txt", findFile(path("d\\f1.txt")));
    EXPECT_TEXT_EQ("", findFile(path("d\\gone"), AttributeDirectory));

    EXPECT_TRUE(directoryExists(path("d")));
    EXPECT_TRUE(directoryExists(path("d\\sub\\")));
    EXPECT_FALSE(directoryExists(path("d\\f1.txt")));
    EXPECT_FALSE(directoryExists(path("d\\gone")));
}

// The backup walk exactly as the packing does it: each directory's files,
// then its subdirectories between two "next" calls, then endFileSearch.
void collectFilesRecursive(Text directory, TextList& found)
{
    if (findTextReverse(directory, "\\") != textLength(directory))
        directory += "\\";
    for (Text name = findFile(directory + "*.*"); !name.empty(); name = findNextFile())
        found.push_back(directory + name);
    for (Text name = findFile(directory + "*.*", AttributeDirectory); !name.empty();
         name = findNextFile()) {
        if (name[0] == '.')
            continue;
        // an existence test between two "next" calls must not disturb them
        EXPECT_TEXT_EQ(name, findFile(directory + name, AttributeDirectory));
        collectFilesRecursive(directory + name, found);
    }
    endFileSearch();
}

TEST_F(FilesTest, NestedSearchesWalkTheWholeTree)
{
    const TextList files = {"data\\a.PIC", "data\\会1.PIC", "data\\子1\\x.txt",
                            "data\\子1\\孙\\y", "data\\子1\\孙\\曾\\deep", "data\\子2\\z",
                            "data\\子2\\.hidden", "data\\" + kQian + "\\q", "data\\后\\last"};
    for (const Text& f : files)
        put(f, "x");
    put("data\\.skip\\w", "x");
    fs::create_directories(disk("data\\空"));

    TextList found;
    collectFilesRecursive(path("data"), found);
    std::set<std::string> expected, walked;
    for (const Text& f : files)
        expected.insert(gbkToUtf8(path(f)));
    for (const Text& f : found)
        walked.insert(gbkToUtf8(f));
    EXPECT_EQ(expected, walked);
    EXPECT_EQ(files.size(), found.size());
    EXPECT_TEXT_EQ("", findNextFile());   // every search was released
}

TEST_F(FilesTest, EndingAnInnerSearchEarlyResumesTheOuterOne)
{
    put("o\\1", "");
    put("o\\2", "");
    put("o\\3", "");
    put("i\\a", "");
    put("i\\b", "");
    TextList outer{findFile(path("o\\*"))};
    EXPECT_TEXT_EQ("a", findFile(path("i\\*")));
    endFileSearch();
    for (Text name = findNextFile(); !name.empty(); name = findNextFile())
        outer.push_back(name);
    endFileSearch();
    EXPECT_EQ((TextList{"1", "2", "3"}), outer);
}

TEST_F(FilesTest, FilesDeletedDuringTheirSearchAreAllFound)
{
    for (const Text f : {"5会1.PIC", "5会2.pic", "5会x.PIC", "6会1.PIC", "5会3.txt", "15会1.PIC"})
        put("data\\" + f, "");
    for (Text name = findFile(path("data\\5会*.PIC")); !name.empty(); name = findNextFile())
        EXPECT_TRUE(deleteFile(path("data\\" + name))) << gbkToUtf8(name);
    endFileSearch();
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(disk("data")))
        left.insert(entry.path().filename().string());
    EXPECT_EQ((std::set<std::string>{gbkToUtf8("6会1.PIC"), gbkToUtf8("5会3.txt"), gbkToUtf8("15会1.PIC")}),
              left);
}

TEST_F(FilesTest, ArchiveAttributeMakesAReadOnlyFileWritable)
{
    put("ro.txt", "old");
    fs::permissions(disk("ro.txt"), fs::perms::owner_read | fs::perms::group_read);
    ASSERT_TRUE(setFileAttributes(path("ro.txt"), AttributeArchive));
    EXPECT_NE(fs::perms::none, fs::status(disk("ro.txt")).permissions() & fs::perms::owner_write);
    ASSERT_TRUE(setFileAttributes(path("ro.txt"), AttributeReadOnly));
    EXPECT_EQ(fs::perms::none, fs::status(disk("ro.txt")).permissions() & fs::perms::owner_write);
    EXPECT_FALSE(setFileAttributes(path("missing.txt"), AttributeArchive));
}

TEST_F(FilesTest, OpenFilesAreNumberedAndZeroIsHarmless)
{
    put("long.txt", "a much longer old content");
    EXPECT_EQ(0, openFile(path("missing.txt"), FileRead));
    EXPECT_EQ(0, openFile(path("nowhere\\x.txt"), FileWrite));
    EXPECT_EQ(0, openFile(path(""), FileRead));
    EXPECT_EQ(0, openFile(path("long.txt"), 0));

    int a = openFile(path("long.txt"), FileWrite);
    int b = openFile(path("会议标签.rtf"), FileWrite);
    ASSERT_NE(0, a);
    ASSERT_NE(0, b);
    EXPECT_NE(a, b);
    EXPECT_TRUE(writeBytesToFile(a, "new"));
    EXPECT_TRUE(writeBytesToFile(b, "{\\rtf1 会议}"));
    EXPECT_EQ("", readTextFromFile(a));   // written, not read
    closeFile(a);
    EXPECT_EQ("new", get("long.txt"));
    EXPECT_FALSE(writeBytesToFile(a, "more"));

    int r = openFile(path("long.txt"), FileRead);
    ASSERT_NE(0, r);
    EXPECT_FALSE(writeBytesToFile(r, "x"));
    EXPECT_EQ("new", readTextFromFile(r));
    closeAllFiles();
    EXPECT_EQ("{\\rtf1 会议}", get("会议标签.rtf"));
    EXPECT_FALSE(writeBytesToFile(b, "x"));
    EXPECT_EQ("", readTextFromFile(r));

    Text text = "unchanged";
    BytesList list(1, "unchanged");
    EXPECT_EQ("", readTextFromFile(0));
    EXPECT_FALSE(writeBytesToFile(0, "x"));
    EXPECT_FALSE(writeValues(0, "1", {"a"}, {"b"}));
    EXPECT_FALSE(readValues(0, text));
    EXPECT_FALSE(readValues(0, list, list));
    EXPECT_EQ("unchanged", text);
    closeFile(0);
    closeAllFiles();
}

// A value file as the backup writes it: the count, then two lists.
const BytesList kNames = {"data\\a.PIC", "", Bytes("\0\xFF\x87\x5C", 4)};
const BytesList kContents = {Bytes(300, '\xAB'), "x", Bytes("\0", 1)};

TEST_F(FilesTest, ValuesReadBackOneCallAfterAnother)
{
    int out = openFile(path("backup.JQV"), FileWrite);
    ASSERT_NE(0, out);
    ASSERT_TRUE(writeValues(out, "3", kNames, kContents));
    ASSERT_TRUE(writeValues(out, "0", {}, {}));
    closeFile(out);

    int in = openFile(path("backup.JQV"), FileRead);
    ASSERT_NE(0, in);
    Text count;
    ASSERT_TRUE(readValues(in, count));
    EXPECT_EQ("3", count);
    BytesList names(3), contents(3);
    ASSERT_TRUE(readValues(in, names, contents));
    EXPECT_EQ(kNames, names);
    EXPECT_EQ(kContents, contents);
    ASSERT_TRUE(readValues(in, count));
    EXPECT_EQ("0", count);
    BytesList none, alsoNone;
    EXPECT_TRUE(readValues(in, none, alsoNone));
    EXPECT_FALSE(readValues(in, count));   // nothing more is stored
}

TEST_F(FilesTest, ListsOfAnotherSizeThanStoredAreRefusedAndLeftAlone)
{
    int out = openFile(path("v"), FileWrite);
    ASSERT_TRUE(writeValues(out, "5", kNames, kContents));   // the count lies
    closeFile(out);
    int in = openFile(path("v"), FileRead);
    Text count;
    ASSERT_TRUE(readValues(in, count));
    BytesList names(5, "keep"), contents(5, "keep");
    EXPECT_FALSE(readValues(in, names, contents));
    EXPECT_EQ(BytesList(5, "keep"), names);
    EXPECT_EQ(BytesList(5, "keep"), contents);
    BytesList two(2);
    EXPECT_FALSE(readValues(in, two, two));
    // a refused call consumed nothing: the right sizes still read
    BytesList n3(3), c3(3);
    EXPECT_TRUE(readValues(in, n3, c3));
    EXPECT_EQ(kContents, c3);
}

TEST_F(FilesTest, DamagedValueFilesAreRefusedWithoutReadingPastTheirEnd)
{
    int out = openFile(path("good"), FileWrite);
    ASSERT_TRUE(writeValues(out, "3", kNames, kContents));
    closeFile(out);
    const std::string good = get("good");

    auto readsBack = [&](const std::string& bytes) {
        put("damaged", bytes);
        int in = openFile(path("damaged"), FileRead);
        Text count;
        BytesList names(3), contents(3);
        bool ok = in != 0 && readValues(in, count) && readValues(in, names, contents);
        closeFile(in);
        return ok;
    };
    ASSERT_TRUE(readsBack(good));
    for (size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(readsBack(good.substr(0, cut))) << "cut at " << cut;
    // every byte replaced by values that make huge or odd lengths and tags
    for (size_t i = 0; i < good.size(); ++i)
        for (char c : {'\xFF', '\x7F', '\x00', '\x01'}) {
            std::string bad = good;
            bad[i] = c;
            readsBack(bad);   // must neither crash nor read outside the file
        }
}

// A replacing write leaves the old file whole until it is committed, and
// leaves nothing beside it either way.
TEST_F(FilesTest, AReplacingWriteTakesThePlaceOnlyWhenCommitted)
{
    put("备份.JQV", "old");
    int file = openFile(path("备份.JQV"), FileReplace);
    ASSERT_NE(0, file);
    EXPECT_TRUE(writeBytesToFile(file, "new, half"));
    EXPECT_EQ("old", get("备份.JQV"));
    closeFile(file);
    EXPECT_EQ("old", get("备份.JQV"));
    file = openFile(path("备份.JQV"), FileReplace);
    EXPECT_TRUE(writeBytesToFile(file, "new"));
    EXPECT_TRUE(commitFile(file));
    EXPECT_EQ("new", get("备份.JQV"));
    EXPECT_EQ(std::distance(fs::directory_iterator(rootUtf8), fs::directory_iterator()), 1);
    EXPECT_FALSE(commitFile(file));
    EXPECT_EQ(0, openFile(path("nowhere\\x"), FileReplace));
}

// A disk that fills up halfway through: every way of replacing a file
// says so and leaves the old file whole, with nothing beside it.
TEST_F(FilesTest, AWriteCutShortByAFullDiskFailsAndKeepsTheOldFile)
{
    const Bytes content(4096, 'n');
    put("copy from.txt", content);
    struct Case {
        const char* what;
        std::function<bool()> write;
    } cases[] = {
        {"writeFile", [&] { return writeFile(path("old.txt"), content); }},
        {"copyFile", [&] { return copyFile(path("copy from.txt"), path("old.txt")); }},
        {"a replacing file",
         [&] {
             const int file = openFile(path("old.txt"), FileReplace);
             return writeBytesToFile(file, content) && commitFile(file);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        put("old.txt", "old");
        bool written = true;
        {
            FileSizeLimit full(1000);
            written = c.write();
        }
        EXPECT_FALSE(written);
        EXPECT_EQ("old", get("old.txt"));
        EXPECT_EQ(std::distance(fs::directory_iterator(rootUtf8), fs::directory_iterator()), 2);
    }
}

// The piecewise list calls write what writeValues writes, and read it back
// entry by entry, skipping or refusing entries longer than asked for.
TEST_F(FilesTest, ListsWrittenAndReadAPieceAtATimeKeepTheLayout)
{
    int whole = openFile(path("whole"), FileWrite);
    ASSERT_TRUE(writeValues(whole, "3", kNames, kContents));
    closeFile(whole);
    int pieces = openFile(path("pieces"), FileWrite);
    ASSERT_TRUE(writeText(pieces, "3"));
    for (const BytesList* list : {&kNames, &kContents}) {
        ASSERT_TRUE(writeListStart(pieces, list->size()));
        for (const Bytes& value : *list)
            ASSERT_TRUE(writeListEntry(pieces, value));
    }
    closeFile(pieces);
    EXPECT_EQ(get("whole"), get("pieces"));

    int in = openFile(path("pieces"), FileRead);
    Text count;
    size_t stored = 0;
    Bytes value;
    ASSERT_TRUE(readValues(in, count));
    ASSERT_TRUE(readListStart(in, stored));
    EXPECT_EQ(stored, 3u);
    EXPECT_TRUE(skipListEntry(in));
    EXPECT_TRUE(readListEntry(in, value, 0));   // the empty name
    EXPECT_EQ("", value);
    const long long third = filePosition(in);
    EXPECT_FALSE(readListEntry(in, value, 3));
    ASSERT_TRUE(setFilePosition(in, third));
    ASSERT_TRUE(readListEntry(in, value, 4));
    EXPECT_EQ(kNames[2], value);
    ASSERT_TRUE(readListStart(in, stored));
    ASSERT_TRUE(readListEntry(in, value, 300));
    EXPECT_EQ(kContents[0], value);
    EXPECT_EQ(fileLength(in), static_cast<long long>(get("pieces").size()));
    closeFile(in);
    put("cut", get("pieces").substr(0, get("pieces").size() - 2));
    in = openFile(path("cut"), FileRead);
    ASSERT_TRUE(setFilePosition(in, third));
    EXPECT_TRUE(skipListEntry(in));
    ASSERT_TRUE(readListStart(in, stored));
    EXPECT_TRUE(skipListEntry(in));
    EXPECT_TRUE(skipListEntry(in));
    EXPECT_FALSE(skipListEntry(in));   // the last entry is cut short
}

// Places as the file system resolves them: links, "..", another case.
TEST_F(FilesTest, PlacesAreComparedAsTheFileSystemResolvesThem)
{
    put("prog\\meeting.mdb", "db");
    put("prog\\data\\a.PIC", "a");
    fs::create_symlink(disk("prog\\meeting.mdb"), disk("link.mdb"));
    fs::create_directory_symlink(disk("prog\\data"), disk("datalink"));
    fs::create_symlink(disk("prog\\data\\gone"), disk("prog\\data\\dangling"));
    const struct {
        const char* path;
        const char* place;
        bool within;
    } cases[] = {
        {"prog\\meeting.mdb", "prog\\meeting.mdb", true},
        {"prog\\MEETING.mdb", "prog\\meeting.mdb", true},
        {"link.mdb", "prog\\meeting.mdb", true},
        {"prog\\data\\..\\meeting.mdb", "prog\\meeting.mdb", true},
        {"datalink\\new\\x.JQV", "prog\\data", true},
        {"prog\\data\\dangling", "prog\\data", true},
        {"prog\\data", "prog\\data", true},
        {"prog\\data2\\x.JQV", "prog\\data", false},
        {"prog\\meeting.mdb-wal", "prog\\meeting.mdb", false},
        {"prog\\x.JQV", "prog\\data", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pathIsWithin(path(c.path), path(c.place)), c.within) << c.path << " in " << c.place;
    EXPECT_TRUE(isLink(path("prog\\data\\dangling")));
    EXPECT_FALSE(isLink(path("prog\\data")));
    EXPECT_GT(freeDiskSpace(path("prog")), 0);
}

TEST_F(FilesTest, MovesReplaceInOneStepAndTreesGoWithoutFollowingLinks)
{
    put("scratch\\新.PIC", "new");
    put("data\\新.PIC", "old");
    put("keep\\k.txt", "keep");
    ASSERT_TRUE(moveFile(path("scratch\\新.PIC"), path("data\\新.PIC")));
    EXPECT_EQ("new", get("data\\新.PIC"));
    EXPECT_FALSE(fs::exists(disk("scratch\\新.PIC")));
    EXPECT_FALSE(moveFile(path("scratch\\新.PIC"), path("data\\新.PIC")));
    fs::create_directories(disk("data\\dir"));
    put("scratch\\f", "f");
    EXPECT_FALSE(moveFile(path("scratch\\f"), path("data\\dir")));
    EXPECT_EQ("f", get("scratch\\f"));

    fs::create_directories(disk("scratch\\sub"));
    fs::create_directory_symlink(disk("keep"), disk("scratch\\sub\\link"));
    EXPECT_TRUE(deleteDirectoryTree(path("scratch")));
    EXPECT_FALSE(fs::exists(disk("scratch")));
    EXPECT_EQ("keep", get("keep\\k.txt"));
    EXPECT_TRUE(deleteDirectoryTree(path("scratch")));
    EXPECT_FALSE(deleteDirectoryTree(path("keep\\k.txt")));
}

TEST_F(FilesTest, CreateDirectoryPathMakesEveryMissingLevel)
{
    EXPECT_TRUE(createDirectoryPath(path("一\\二\\三\\")));
    EXPECT_TRUE(fs::is_directory(disk("一\\二\\三")));
    EXPECT_TRUE(createDirectoryPath(path("一\\二")));
    EXPECT_TRUE(createDirectoryPath(path("一\\" + kQian + "\\")));
    EXPECT_TRUE(fs::is_directory(disk("一\\" + kQian)));
    put("文件", "");
    EXPECT_FALSE(createDirectoryPath(path("文件\\下")));
}

class ProgramDirectoryTest : public testing::Test {
protected:
    ScopedEnv home{"QELVANA_HOME"};
};

TEST_F(ProgramDirectoryTest, HomeVariableNamesTheDirectoryWithoutTrailingSeparator)
{
    setenv("QELVANA_HOME", gbkToUtf8("/tmp/程序" + kQian + "/").c_str(), 1);
    EXPECT_TEXT_EQ("\\tmp\\程序" + kQian, programDirectory());
    setenv("QELVANA_HOME", "/", 1);
    EXPECT_TEXT_EQ("", programDirectory());
}

TEST_F(ProgramDirectoryTest, WithoutHomeItIsTheExecutablesDirectory)
{
    unsetenv("QELVANA_HOME");
    fs::path exe = fs::read_symlink("/proc/self/exe");
    Text expected = utf8ToGbk(exe.parent_path().string());
    std::replace(expected.begin(), expected.end(), '/', '\\');
    EXPECT_TEXT_EQ(expected, programDirectory());
    EXPECT_TEXT_EQ(utf8ToGbk(exe.filename().string()), programFileName());
    TextList args = commandLineArgs();
    ASSERT_FALSE(args.empty());
    EXPECT_TEXT_EQ(programFileName(), rightText(args[0], textLength(programFileName())));
}

} // namespace
