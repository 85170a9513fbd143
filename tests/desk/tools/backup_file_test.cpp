// The backup file: a directory tree packed and recreated exactly, the stored
// values as the format gives them, and damaged, truncated or crafted files
// refused as a whole before anything on disk changes.
#include "desk/tools/backup_file.h"
#include "app/state/globals.h"
#include "tests/desk/tools/backup_fixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace backup_test;

// "淺" is 9C 5C: its trail byte is the byte of "\".
const Text kPhoto = "1会20240101120000.PIC";
const Text kQianPhoto = "淺照片.PIC";

class BackupFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        std::string p = temp.path().toStdString();
        std::replace(p.begin(), p.end(), '/', '\\');
        root = utf8ToGbk(p);
        source = root + "\\src\\data";
        backup = root + "\\备份\\新目录\\Qelvana数据库备份.JQV";
        target = root + "\\恢复";
        resetGlobals();
    }
    void TearDown() override { closeAllFiles(); }

    // A data tree with Chinese names, nested directories, a dot file, an
    // empty file, binary content and a dot directory that is not packed.
    void fillSource()
    {
        put(source + "\\" + kPhoto, Bytes("\xFF\xD8 photo\0\0\0\0\0\0 end", 19));
        put(source + "\\" + kQianPhoto, Bytes(5000, '\0') + "淺");
        put(source + "\\.hidden", "dot file");
        put(source + "\\empty.txt", "");
        put(source + "\\分组\\二级\\深.PIC", "deep");
        put(source + "\\分组\\a.PIC", "shallow");
        put(source + "\\.svn\\entries", "not packed");
    }

    QTemporaryDir temp;
    Text root, source, backup, target;
};

TEST_F(BackupFileTest, ATreePacksAndUnpacksExactlyWithItsDirectoriesAndChineseNames)
{
    fillSource();
    ASSERT_TEXT_EQ("", packDirectoryToFile(source, backup));
    // A directory's own files come before its subdirectories; dot
    // directories are left out.
    ASSERT_EQ(packedFilePaths.size(), 6u);
    EXPECT_EQ(packedFileContents.size(), 6u);
    EXPECT_TEXT_EQ(source + "\\分组\\a.PIC", packedFilePaths[4]);
    EXPECT_TEXT_EQ(source + "\\分组\\二级\\深.PIC", packedFilePaths[5]);

    const StoredBackup stored = readBackup(backup);
    EXPECT_TEXT_EQ("6", stored.count);
    ASSERT_EQ(stored.names.size(), 6u);
    for (size_t i = 0; i < stored.names.size(); ++i) {
        EXPECT_TEXT_EQ("data\\" + packedFilePaths[i].substr(source.size() + 1), stored.names[i]);
        EXPECT_EQ(get(packedFilePaths[i]), stored.contents[i]);
    }

    put(target + "\\data\\kept.PIC", "not in the backup");
    put(target + "\\data\\" + kPhoto, "older photo");
    fs::permissions(disk(target + "\\data\\" + kPhoto), fs::perms::owner_read);
    ASSERT_TEXT_EQ("", unpackFileToDirectory(backup, target));

    std::map<std::string, Bytes> expected = tree(source);
    expected.erase(".svn/entries");
    expected["kept.PIC"] = "not in the backup";
    EXPECT_EQ(tree(target + "\\data"), expected);
    EXPECT_NE(fs::status(disk(target + "\\data\\" + kPhoto)).permissions() & fs::perms::owner_write,
              fs::perms::none);
}

TEST_F(BackupFileTest, AnEmptyTreeStoresCountZeroAndUnpacksToNothing)
{
    fs::create_directories(disk(source));
    ASSERT_TEXT_EQ("", packDirectoryToFile(source + "\\", backup));
    const StoredBackup stored = readBackup(backup);
    EXPECT_TEXT_EQ("0", stored.count);
    EXPECT_TRUE(stored.names.empty());
    EXPECT_TEXT_EQ("", unpackFileToDirectory(backup, target + "\\"));
    EXPECT_TRUE(tree(target).empty());
}

TEST_F(BackupFileTest, ATrailingSeparatorStillGivesNamesBelowData)
{
    put(source + "\\" + kPhoto, "p");
    ASSERT_TEXT_EQ("", packDirectoryToFile(source + "\\", backup));
    EXPECT_EQ(readBackup(backup).names, TextList{"data\\" + kPhoto});
}

TEST_F(BackupFileTest, ABackupInsideTheTreeHoldsTheOlderFileNeverItself)
{
    put(source + "\\a.PIC", "a");
    const Text inside = source + "\\自身.JQV";
    put(inside, "older backup");
    ASSERT_TEXT_EQ("", packDirectoryToFile(source, inside));
    const StoredBackup stored = readBackup(inside);
    EXPECT_EQ(stored.names, (TextList{"data\\a.PIC", "data\\自身.JQV"}));
    EXPECT_EQ(stored.contents[1], "older backup");
    EXPECT_EQ(tree(source).size(), 2u);   // no partial file left beside it
}

TEST_F(BackupFileTest, ATargetThatCannotBeWrittenFailsAndLeavesNoPartialFile)
{
    put(source + "\\a.PIC", "a");
    fs::create_directories(disk(root + "\\out\\dir.JQV"));
    EXPECT_TEXT_EQ("写出文件" + root + "\\out\\dir.JQV失败！", packDirectoryToFile(source, root + "\\out\\dir.JQV"));
    EXPECT_TRUE(tree(root + "\\out").empty());
    put(root + "\\plain", "a file");
    EXPECT_TEXT_EQ("创建文件夹" + root + "\\plain\\sub失败！",
                   packDirectoryToFile(source, root + "\\plain\\sub\\x.JQV"));
}

// A backup of one good file, and the target holding an older version.
class DamagedBackupTest : public BackupFileTest {
protected:
    void SetUp() override
    {
        BackupFileTest::SetUp();
        put(source + "\\" + kPhoto, "new photo");
        put(source + "\\b.PIC", "second");
        ASSERT_TEXT_EQ("", packDirectoryToFile(source, backup));
        good = get(backup);
        put(target + "\\data\\" + kPhoto, "old photo");
        put(target + "\\meeting.mdb", "live database");
        before = tree(target);
    }
    void expectRefused(const std::string& what)
    {
        EXPECT_TEXT_EQ("读取文件" + backup + "失败！", unpackFileToDirectory(backup, target)) << what;
        EXPECT_EQ(tree(target), before) << what;
        EXPECT_EQ(tree(root).size(), before.size() + 3) << what;   // nothing written elsewhere
    }
    Bytes good;
    std::map<std::string, Bytes> before;
};

TEST_F(DamagedBackupTest, EveryTruncationAndEveryChangedByteIsRefused)
{
    for (size_t cut = 0; cut < good.size(); ++cut) {
        put(backup, good.substr(0, cut));
        expectRefused("cut at " + std::to_string(cut));
    }
    for (size_t pos = 0; pos < good.size(); ++pos)
        for (int flip : {0x01, 0x80}) {
            Bytes damaged = good;
            damaged[pos] = static_cast<char>(damaged[pos] ^ flip);
            put(backup, damaged);
            expectRefused("byte " + std::to_string(pos) + " xor " + std::to_string(flip));
        }
    put(backup, good + "x");
    EXPECT_TEXT_EQ("", unpackFileToDirectory(backup, target));   // trailing bytes are not read
}

TEST_F(DamagedBackupTest, CountsTheFileCannotHoldAreRefusedBeforeAnyList)
{
    const BytesList one = packedEach({"data\\x.PIC"}), body = packedEach({"x"});
    for (const char* count : {"2", "0", "-1", " 1", "1.0", "", "abc", "18446744073709551615",
                              "4000000000", "999999999999"}) {
        writeBackup(backup, count, one, body);
        expectRefused(std::string("count \"") + count + "\"");
    }
}

TEST_F(DamagedBackupTest, NamesOutsideTheDataDirectoryRefuseTheWholeFile)
{
    const Text names[] = {
        "..\\escape.PIC", "data\\..\\meeting.mdb", "data\\..\\..\\escape.PIC", "\\abs.PIC",
        "meeting.mdb", "pictures\\banner.png", "data", "data\\", "data\\\\x.PIC", "data\\.\\x.PIC",
        "data/../meeting.mdb", "data\\sub/x.PIC", Text("data\\x\0.PIC", 12), "data\\..",
    };
    for (const Text& name : names) {
        // The good entry first: it must not be written either.
        writeBackup(backup, "2", packedEach({"data\\" + kPhoto, name}), packedEach({"new", "bad"}));
        expectRefused("name " + gbkToUtf8(name));
    }
    writeBackup(backup, "1", {"data\\x.PIC"}, packedEach({"not packed name"}));
    expectRefused("unpacked name");
    writeBackup(backup, "1", packedEach({"data\\x.PIC"}), {"not packed content"});
    expectRefused("unpacked content");
}

TEST_F(DamagedBackupTest, NamesInAnotherCaseAndNewDirectoriesAreAccepted)
{
    writeBackup(backup, "2", packedEach({"DATA\\" + kPhoto, "data\\新\\层\\c.PIC"}), packedEach({"upper", "c"}));
    EXPECT_TEXT_EQ("", unpackFileToDirectory(backup, target));
    EXPECT_EQ(get(target + "\\data\\" + kPhoto), "upper");
    EXPECT_EQ(get(target + "\\data\\新\\层\\c.PIC"), "c");
}

TEST_F(DamagedBackupTest, AWriteThatFailsReportsItsPathAndKeepsWhatWasWritten)
{
    fs::create_directories(disk(target + "\\data\\dir.PIC"));
    writeBackup(backup, "2", packedEach({"data\\" + kPhoto, "data\\dir.PIC"}), packedEach({"first", "x"}));
    EXPECT_TEXT_EQ("写出文件" + target + "\\data\\dir.PIC失败！", unpackFileToDirectory(backup, target));
    EXPECT_EQ(get(target + "\\data\\" + kPhoto), "first");

    writeBackup(backup, "1", packedEach({"data\\" + kPhoto + "\\under.PIC"}), packedEach({"x"}));
    EXPECT_TEXT_EQ("创建文件夹" + target + "\\失败！", unpackFileToDirectory(backup, target));
    EXPECT_TEXT_EQ("读取文件" + root + "\\missing.JQV失败！",
                   unpackFileToDirectory(root + "\\missing.JQV", target));
}

TEST_F(BackupFileTest, CreateDirectoryPathMakesEveryMissingLevel)
{
    EXPECT_TRUE(createDirectoryPath(root + "\\一\\二\\三\\"));
    EXPECT_TRUE(fs::is_directory(disk(root + "\\一\\二\\三")));
    EXPECT_TRUE(createDirectoryPath(root + "\\一\\二"));
    put(root + "\\文件", "");
    EXPECT_FALSE(createDirectoryPath(root + "\\文件\\下"));
}

} // namespace
