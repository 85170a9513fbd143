// The backup file: a directory tree packed and recreated exactly, the stored
// values as the format gives them, and damaged, truncated or crafted files
// refused as a whole before anything on disk changes.
#include "backup/backup_file.h"
#include "state/globals.h"
#include "tests/backup/backup_fixture.h"
#include "tests/backup/failing_reads.h"

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

// Photos larger than the pieces the packing reads, with runs across the
// pieces' borders, come back exactly.
TEST_F(BackupFileTest, LargeFilesStreamThroughExactly)
{
    Bytes large;
    for (unsigned i = 0; large.size() < (3u << 20) + 77; ++i)
        large += i % 3 == 0 ? Bytes(1000 + i % 300, static_cast<char>(i)) : Bytes(700, static_cast<char>(i * 7919 >> 3));
    put(source + "\\large.PIC", large);
    put(source + "\\small.PIC", "s");
    ASSERT_TEXT_EQ("", packDirectoryToFile(source, backup));
    EXPECT_EQ(readBackup(backup).contents, (BytesList{large, "s"}));
    ASSERT_TEXT_EQ("", unpackFileToDirectory(backup, target));
    EXPECT_EQ(tree(target + "\\data"), tree(source));
}

// A photo that fails to read part-way (a failing disk) fails the backup: it
// is never stored short, and an older backup of that name stays whole.
TEST_F(BackupFileTest, AReadErrorFailsTheBackupAndKeepsTheOlderFile)
{
    put(source + "\\a.PIC", "a");
    put(source + "\\" + kPhoto, Bytes(300 << 10, 'p'));
    put(backup, "older backup");
    {
        FailingReads failing(disk(source + "\\" + kPhoto).string(), 128 << 10);
        EXPECT_TEXT_EQ("写出文件" + backup + "失败！", packDirectoryToFile(source, backup));
    }
    EXPECT_EQ(get(backup), "older backup");
    EXPECT_EQ(tree(root + "\\备份").size(), 1u);   // no temporary file left beside it
    EXPECT_TEXT_EQ("", packDirectoryToFile(source, backup));
}

// Links inside the tree are neither followed nor packed; a name that no
// restore would take fails the backup instead of making one that cannot
// be restored.
TEST_F(BackupFileTest, LinksAreNotFollowedAndUnrestorableNamesFailTheBackup)
{
    put(source + "\\a.PIC", "a");
    put(root + "\\outside\\secret.txt", "not data");
    fs::create_directory_symlink(".", disk(source + "\\loop"));
    fs::create_directory_symlink(disk(root + "\\outside"), disk(source + "\\away"));
    fs::create_symlink(disk(root + "\\outside\\secret.txt"), disk(source + "\\secret.PIC"));
    ASSERT_TEXT_EQ("", packDirectoryToFile(source, backup));
    EXPECT_EQ(readBackup(backup).names, TextList{"data\\a.PIC"});

    put(source + "\\c:x.PIC", "colon");
    EXPECT_TEXT_EQ("读取文件" + source + "\\c:x.PIC失败！", packDirectoryToFile(source, backup));
    EXPECT_EQ(readBackup(backup).names, TextList{"data\\a.PIC"});
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
    EXPECT_TEXT_EQ("创建文件" + root + "\\out\\dir.JQV失败！", packDirectoryToFile(source, root + "\\out\\dir.JQV"));
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
        "data\\c:x.PIC", "c:\\data\\x.PIC", "data\\x.PIC:stream", "data\\.svn\\x.PIC",
        "data\\meeting.mdb\\x", "DATA\\MEETING.MDB\\sub\\x",
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

// A name may neither turn an existing file into a folder (the database
// included) nor a folder into a file, nor lead through a link out of the
// tree: the whole file is refused, nothing written.
TEST_F(DamagedBackupTest, NamesThatChangeAFileIntoAFolderOrBackAreRefusedWhole)
{
    fs::create_directories(disk(target + "\\data\\dir.PIC"));
    put(target + "\\data\\meeting.mdb", "copy");
    put(root + "\\outside\\keep.txt", "outside");
    fs::create_directory_symlink(disk(root + "\\outside"), disk(target + "\\data\\away"));
    before = tree(target);
    const struct {
        Text name, error;
    } cases[] = {
        {"data\\dir.PIC", "写出文件" + target + "\\data\\dir.PIC失败！"},
        {"data\\" + kPhoto + "\\under.PIC", "创建文件夹" + target + "\\失败！"},
        {"data\\away\\keep.txt", "创建文件夹" + target + "\\失败！"},
    };
    for (const auto& c : cases) {
        writeBackup(backup, "2", packedEach({"data\\" + kPhoto, c.name}), packedEach({"first", "x"}));
        EXPECT_TEXT_EQ(c.error, unpackFileToDirectory(backup, target)) << gbkToUtf8(c.name);
        EXPECT_EQ(tree(target), before) << gbkToUtf8(c.name);
        EXPECT_EQ(get(root + "\\outside\\keep.txt"), "outside");
    }
    // Within one file: a name below another entry's file.
    writeBackup(backup, "2", packedEach({"data\\n.PIC", "data\\n.PIC\\x"}), packedEach({"a", "b"}));
    EXPECT_TEXT_EQ("创建文件夹" + target + "\\失败！", unpackFileToDirectory(backup, target));
    EXPECT_EQ(tree(target), before);
    EXPECT_TEXT_EQ("读取文件" + root + "\\missing.JQV失败！",
                   unpackFileToDirectory(root + "\\missing.JQV", target));
}

// What a file states it unpacks to is weighed against the free disk space
// before anything is unpacked: a sparse file stating far more is refused at
// once, without reading its contents.
TEST_F(DamagedBackupTest, SizesBeyondTheFreeDiskSpaceAreRefusedBeforeUnpacking)
{
    const unsigned long long free = static_cast<unsigned long long>(freeDiskSpace(root));
    const unsigned long long stated = 2 * free + (1ull << 30);
    // A body of zero bytes is valid: each pair stands for one byte. Each
    // entry's length must hold its stated length, a 65th of it at least.
    const unsigned long long perEntry = 3ull << 30, entries = stated / 65 / perEntry + 1;
    const int file = openFile(backup, FileWrite);
    ASSERT_TRUE(writeText(file, toText(static_cast<long long>(entries))));
    ASSERT_TRUE(writeListStart(file, entries));
    for (unsigned long long i = 0; i < entries; ++i)
        ASSERT_TRUE(writeListEntry(file, packBytes("data\\" + toText(static_cast<long long>(i)) + ".PIC")));
    ASSERT_TRUE(writeListStart(file, entries));
    closeFile(file);
    std::fstream out(disk(backup), std::ios::binary | std::ios::in | std::ios::out | std::ios::ate);
    for (unsigned long long i = 0; i < entries; ++i) {
        Bytes header = packBytes("");
        for (int b = 0; b < 8; ++b)
            header[4 + b] = static_cast<char>((perEntry * 65 / 2 >> (8 * b)) & 0xFF);
        const unsigned long long length = kPackedSizeAtLeast + perEntry;
        for (int b = 0; b < 4; ++b)
            out.put(static_cast<char>((length >> (8 * b)) & 0xFF));
        out << header;
        out.seekp(static_cast<std::streamoff>(perEntry), std::ios::cur);
    }
    const std::streamoff end = out.tellp();
    out.close();
    fs::resize_file(disk(backup), static_cast<uintmax_t>(end));
    // Unpacked, the zeros would stand for half the stated length: a read error.
    EXPECT_TEXT_EQ("写出文件" + target + "\\失败！", unpackFileToDirectory(backup, target));
    EXPECT_EQ(tree(target), before);
}

} // namespace
