// Files of a restore put in place, then the restore settled as the next
// start does: decided by the database's number where it had a database
// step, the replaced files back or dropped, nothing of the restore left.
#include "backup/backup_file.h"
#include "backup/restore_journal.h"
#include "common/database/database_copy.h"
#include "tests/backup/backup_fixture.h"
#include "tests/support/program_directory.h"

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

} // namespace
