// Files of a restore put in place, then the restore settled as the next
// start does: decided by the database's number where it had a database
// step, the replaced files back or dropped, nothing of the restore left.
#include "backup/backup_file.h"
#include "backup/restore_journal.h"
#include "common/database/database_copy.h"
#include "tests/backup/backup_fixture.h"
#include "tests/backup/other_file_system.h"
#include "tests/support/program_directory.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace backup_test;

constexpr int kStamp = 41;

// A backup of a photo and one in a new directory, then the photo changed
// and another added; the backup's files placed, not yet final.
class RestoreJournalTest : public testing::Test {
protected:
    void SetUp() override
    {
        put(prog + "data\\a.PIC", "backed up");
        put(prog + "data\\新\\层\\b.PIC", "backed up too");
        ASSERT_TEXT_EQ("", packDirectoryToFile(prog + "data", prog + "x.JQV"));
        fs::remove_all(disk(prog + "data\\新"));
        put(prog + "data\\a.PIC", "today's");
        put(prog + "data\\keep.PIC", "not in the backup");
        before = tree(prog + "data");
        TextList names;
        ASSERT_TEXT_EQ("", unpackToRestorePlace(prog + "x.JQV", prog, names));
        ASSERT_TEXT_EQ("", placeRestoredFiles(prog, names, kStamp));
        placed = tree(prog + "data");
        ASSERT_EQ(placed.size(), 3u);
        ASSERT_EQ(placed["a.PIC"], "backed up");
    }
    void TearDown() override { closeAllFiles(); }

    TestProgramDirectory directory;
    const Text prog = directory.programPath() + "\\";
    std::map<std::string, Bytes> before, placed;
};

TEST_F(RestoreJournalTest, TheDatabasesNumberDecidesWhetherTheFilesStay)
{
    // The database step did not commit: the files as they were, the new
    // directories gone.
    ASSERT_TRUE(writeDatabaseNumber(prog + "meeting.mdb", kStamp - 1));
    ASSERT_TRUE(settleRestore(prog));
    EXPECT_EQ(tree(prog + "data"), before);
    EXPECT_FALSE(fs::exists(disk(prog + "data\\新")));
    EXPECT_FALSE(fs::exists(disk(prog + ".qelvana-restore")));

    // It committed, and nothing after it was written down.
    TextList names;
    ASSERT_TEXT_EQ("", unpackToRestorePlace(prog + "x.JQV", prog, names));
    ASSERT_TEXT_EQ("", placeRestoredFiles(prog, names, kStamp));
    ASSERT_TRUE(writeDatabaseNumber(prog + "meeting.mdb", kStamp));
    ASSERT_TRUE(settleRestore(prog));
    EXPECT_EQ(tree(prog + "data"), placed);
    EXPECT_FALSE(fs::exists(disk(prog + ".qelvana-restore")));
}

// Without the database nothing can be decided: everything stays for the
// next try, which settles once the database is back.
TEST_F(RestoreJournalTest, AnUndecidableRestoreIsLeftWholeForTheNextTry)
{
    fs::rename(disk(prog + "meeting.mdb"), disk(prog + "away.mdb"));
    EXPECT_FALSE(settleRestore(prog));
    EXPECT_EQ(tree(prog + "data"), placed);
    EXPECT_TRUE(fs::exists(disk(prog + ".qelvana-restore\\journal")));
    // Another restore does not start over it.
    TextList names;
    EXPECT_FALSE(unpackToRestorePlace(prog + "x.JQV", prog, names).empty());
    EXPECT_EQ(tree(prog + "data"), placed);
    fs::rename(disk(prog + "away.mdb"), disk(prog + "meeting.mdb"));
    ASSERT_TRUE(settleRestore(prog));
    EXPECT_EQ(tree(prog + "data"), before);
}

// The data directory a link to another file system: the files are copied
// and then deleted where a move cannot cross, and the restore still puts
// all of them in place or none. `filesystemBytes` 0: any size.
class DataOnAnotherDiskTest : public testing::Test {
protected:
    // Photos of `size` bytes in the backup and of `oldSize` in data, on
    // another file system of `bytes`.
    void lay(unsigned long long bytes, size_t size, size_t oldSize)
    {
        other = std::make_unique<OtherFileSystem>(bytes);
        if (!other->available())
            return;
        for (int i = 0; i < 4; ++i)
            put(photo(i), Bytes(size, static_cast<char>('a' + i)));
        ASSERT_TEXT_EQ("", packDirectoryToFile(prog + "data", prog + "x.JQV"));
        restored = tree(prog + "data");
        fs::remove_all(disk(prog + "data"));
        const fs::path data = fs::path(other->path().toStdString()) / "data";
        fs::create_directories(data);
        fs::create_directory_symlink(data, disk(prog + "data"));
        for (int i = 0; i < 4; ++i)
            put(photo(i), Bytes(oldSize, static_cast<char>('A' + i)));
        before = tree(prog + "data");
    }
    Text photo(int i) const { return prog + "data\\" + toText(i) + "\\照片.PIC"; }
    void TearDown() override { closeAllFiles(); }

    TestProgramDirectory directory;
    const Text prog = directory.programPath() + "\\";
    std::unique_ptr<OtherFileSystem> other;
    std::map<std::string, Bytes> before, restored;
};

TEST_F(DataOnAnotherDiskTest, FilesAreCopiedAcrossAndUndoneWhole)
{
    lay(0, 50000, 40000);
    if (!other->available())
        GTEST_SKIP() << "no other file system: " << other->reason();
    ASSERT_TEXT_EQ("", unpackFileToDirectory(prog + "x.JQV", prog));
    EXPECT_EQ(tree(prog + "data"), restored);
    EXPECT_FALSE(fs::exists(disk(prog + ".qelvana-restore")));
    EXPECT_TRUE(fs::is_symlink(disk(prog + "data")));

    for (int i = 0; i < 4; ++i)
        put(photo(i), Bytes(40000, static_cast<char>('A' + i)));
    TextList names;
    ASSERT_TEXT_EQ("", unpackToRestorePlace(prog + "x.JQV", prog, names));
    ASSERT_TEXT_EQ("", placeRestoredFiles(prog, names, kStamp));
    EXPECT_EQ(tree(prog + "data"), restored);
    ASSERT_TRUE(writeDatabaseNumber(prog + "meeting.mdb", kStamp - 1));
    ASSERT_TRUE(settleRestore(prog));
    EXPECT_EQ(tree(prog + "data"), before);
    EXPECT_FALSE(fs::exists(disk(prog + ".qelvana-restore")));
}

// With the restored photos in place and room left for no more than a
// photo's part, the undo still puts every old photo back: each goes
// before the one it replaced comes back.
TEST_F(DataOnAnotherDiskTest, AnUndoNeedsNoMoreRoomThanTheDataHad)
{
    lay(300 << 10, 40 << 10, 40 << 10);
    if (!other->available())
        GTEST_SKIP() << "no file system of a chosen size: " << other->reason();
    TextList names;
    ASSERT_TEXT_EQ("", unpackToRestorePlace(prog + "x.JQV", prog, names));
    ASSERT_TEXT_EQ("", placeRestoredFiles(prog, names, kStamp));
    ASSERT_EQ(tree(prog + "data"), restored);
    const long long free = freeDiskSpace(prog + "data");
    ASSERT_GT(free, 8 << 10);
    std::ofstream(fs::path(other->path().toStdString()) / "filler", std::ios::binary)
        << Bytes(static_cast<size_t>(free - (8 << 10)), '\0');
    ASSERT_LT(freeDiskSpace(prog + "data"), 20 << 10);
    ASSERT_TRUE(writeDatabaseNumber(prog + "meeting.mdb", kStamp - 1));
    EXPECT_TRUE(settleRestore(prog));
    EXPECT_EQ(tree(prog + "data"), before);
}

// Journals that name what no restore put in place: each is left as it is,
// and nothing outside the data directory and the restore place is moved,
// written or deleted. The program directory lies two levels below the
// test's root, so that every name that climbs out stays inside the root.
class CraftedJournalTest : public testing::Test {
protected:
    // The program directory beside files outside it, and links from data
    // and from the place to a directory outside.
    void lay()
    {
        for (const auto& entry : fs::directory_iterator(disk(rootPath)))
            fs::remove_all(entry.path());
        put(top + "victim", "outside the program directory");
        fs::create_directories(disk(top + "emptydir"));
        put(top + "outside\\x.PIC", "outside too");
        put(target + "meeting.mdb", "the live database");
        put(target + "会议标签.rtf", "the label file");
        put(target + "victim", "in the program directory");
        put(target + "data\\a.PIC", "a photo");
        fs::create_directories(disk(restorePlace(target) + "old\\data"));
        fs::create_directory_symlink(disk(top + "outside"), disk(target + "data\\link"));
        fs::create_directory_symlink(disk(top + "outside"), disk(restorePlace(target) + "old\\data\\via"));
    }
    void TearDown() override { closeAllFiles(); }

    // Every file, directory and link below the root, with the files' content.
    std::map<std::string, Bytes> everything() const
    {
        std::map<std::string, Bytes> found;
        for (const auto& entry : fs::recursive_directory_iterator(disk(rootPath)))
            found[fs::relative(entry.path(), disk(rootPath)).string()] =
                entry.is_symlink() ? "link" : entry.is_directory() ? "directory" : get(fromDisk(entry.path().string()));
        return found;
    }
    void writeJournal(const Text& stamp, const TextList& names, const TextList& replaced, const TextList& directories,
                      size_t statedNames)
    {
        const int file = openFile(restorePlace(target) + "journal", FileWrite);
        ASSERT_NE(file, 0);
        ASSERT_TRUE(writeText(file, stamp));
        ASSERT_TRUE(writeListStart(file, statedNames));
        for (const Text& name : names)
            ASSERT_TRUE(writeListEntry(file, name));
        for (const TextList* list : {&replaced, &directories}) {
            ASSERT_TRUE(writeListStart(file, list->size()));
            for (const Text& entry : *list)
                ASSERT_TRUE(writeListEntry(file, entry));
        }
        closeFile(file);
    }

    QTemporaryDir root;
    const Text rootPath = fromDisk(root.path().toStdString());
    const Text top = rootPath + "\\一\\", target = top + "二\\prog\\";
};

TEST_F(CraftedJournalTest, AJournalNamingWhatNoRestorePutInPlaceIsNotActedOn)
{
    ASSERT_TRUE(root.isValid());
    const struct {
        std::string what;
        TextList names, replaced, directories;
        size_t statedNames;
    } cases[] = {
        {"two levels above", {"..\\..\\victim"}, {"0"}, {}, 1},
        {"the live database", {"meeting.mdb"}, {"0"}, {}, 1},
        {"out of data", {"data\\..\\会议标签.rtf"}, {"0"}, {}, 1},
        {"replaced from out of the place", {"..\\..\\victim"}, {"1"}, {}, 1},
        {"an absolute path", {rootPath + "\\一\\victim"}, {"0"}, {}, 1},
        {"a drive", {"C:\\victim"}, {"0"}, {}, 1},
        {"a folder above", {"data\\a.PIC"}, {"0"}, {"..\\..\\emptydir"}, 1},
        {"a folder no name lies in", {"data\\a.PIC"}, {"0"}, {"data\\其他"}, 1},
        {"a name twice", {"data\\b.PIC", "DATA\\B.pic"}, {"0", "0"}, {}, 2},
        {"through a link in data", {"data\\link\\x.PIC"}, {"0"}, {}, 1},
        {"through a link in the place", {"data\\via\\x.PIC"}, {"1"}, {}, 1},
        {"a replaced mark of another kind", {"data\\a.PIC"}, {"2"}, {}, 1},
        {"a stamp that is no number", {"data\\a.PIC"}, {"0"}, {}, 1},
        {"more names than the journal holds", {}, {}, {}, 0xFFFFFFFF},
    };
    for (const auto& c : cases) {
        lay();
        const std::map<std::string, Bytes> before = everything();
        ASSERT_NO_FATAL_FAILURE(writeJournal(c.what == "a stamp that is no number" ? "x1" : "0", c.names, c.replaced,
                                             c.directories, c.statedNames));
        const std::map<std::string, Bytes> written = everything();
        EXPECT_FALSE(settleRestore(target)) << c.what;
        EXPECT_EQ(everything(), written) << c.what;
        fs::remove(disk(restorePlace(target) + "journal"));
        EXPECT_EQ(everything(), before) << c.what;
    }
}

} // namespace
