// The data directory a link to a small disk of its own, as the user may
// set it up: the restore weighs the photos against that disk's free space,
// and what it puts in place is all of the backup's or nothing, as the
// message says.
#include "tests/backup/other_file_system.h"
#include "tests/desk/tools/backup_windows_fixture.h"

namespace {

using namespace backup_test;

const Text kRefused = "数据恢复失败，请退出系统重试！|错误！|16";
const Text kRestored = "数据恢复成功，请退出系统重新登录！|恭喜！|64";
constexpr int kPhotos = 8;

// Photos backed up on the program's disk, then the data directory moved
// to a disk of 300 kB, linked, with photos of 25 kB each of the same names
// and the meeting renamed.
class RestoreToAnotherDiskTest : public BackupWindowsTest {
protected:
    void lay(size_t backedUpSize)
    {
        if (!disk300k.available())
            return;
        for (int i = 0; i < kPhotos; ++i)
            put(photo(i), Bytes(backedUpSize, static_cast<char>('a' + i)));
        backUpTo(file);
        restored = tree(prog + "\\data");
        exec("update 会议信息 set 会议名称='现在的会'");
        const fs::path data = fs::path(disk300k.path().toStdString()) / "data";
        fs::create_directories(data);
        fs::remove_all(disk(prog + "\\data\\照片"));
        fs::copy(disk(prog + "\\data"), data, fs::copy_options::recursive);
        fs::remove_all(disk(prog + "\\data"));
        fs::create_directory_symlink(data, disk(prog + "\\data"));
        for (int i = 0; i < kPhotos; ++i)
            put(photo(i), Bytes(25 << 10, static_cast<char>('A' + i)));
        before = tree(prog + "\\data");
    }
    Text photo(int i) const { return prog + "\\data\\照片\\" + toText(i) + ".PIC"; }

    OtherFileSystem disk300k{300 << 10};
    const Text file = prog + "\\好.JQV";
    std::map<std::string, Bytes> before, restored;
};

TEST_F(RestoreToAnotherDiskTest, PhotosThatFitAreRestoredWhole)
{
    lay((250 << 10) / kPhotos);
    if (!disk300k.available())
        GTEST_SKIP() << "no disk of a chosen size: " << disk300k.reason();
    restoreFrom(file);
    EXPECT_EQ(shownMessages().back(), kRestored);
    EXPECT_EQ(tree(prog + "\\data"), restored);
    EXPECT_EQ(meetings(), TextList{"备份前的会"});
    EXPECT_FALSE(fs::exists(disk(prog + "\\.qelvana-restore")));
}

// More than the data's disk holds, though the program's disk has room: the
// restore is refused before anything changes.
TEST_F(RestoreToAnotherDiskTest, PhotosBeyondTheDataDisksFreeSpaceAreRefusedWhole)
{
    lay((400 << 10) / kPhotos);
    if (!disk300k.available())
        GTEST_SKIP() << "no disk of a chosen size: " << disk300k.reason();
    restoreFrom(file);
    EXPECT_EQ(shownMessages().back(), kRefused);
    EXPECT_EQ(tree(prog + "\\data"), before);
    EXPECT_EQ(meetings(), TextList{"现在的会"});
    EXPECT_FALSE(fs::exists(disk(prog + "\\.qelvana-restore")));
}

} // namespace
