// Packing of byte strings: exact round trips, runs compressed, and every
// damaged form refused without touching the result.
#include "common/files/files.h"
#include "common/packing/packing.h"
#include "common/files/crc32.h"
#include "tests/common/crc_reference.h"
#include "tests/support/gbk_print.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include <random>

namespace {

Bytes randomBytes(size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes bytes(n, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

Bytes allByteValues()
{
    Bytes bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes;
}

// Runs of every length around the run and literal limits, between literals.
Bytes mixedRuns()
{
    Bytes bytes;
    for (size_t n = 1; n < 300; n += 7)
        bytes += Bytes(n, static_cast<char>(n)) + "ab" + randomBytes(n % 140, static_cast<unsigned>(n));
    return bytes;
}

TEST(Packing, RestoresExactlyWhatWasPacked)
{
    const std::vector<Bytes> originals = {
        "", "a", "aa", "aaa", Bytes(1, '\0'), Bytes(130, 'x'), Bytes(131, 'x'), Bytes(261, '\0'),
        randomBytes(128, 1), randomBytes(129, 2), randomBytes(100000, 3), allByteValues(),
        mixedRuns(), "会议代表照片\\淺.PIC", Bytes("\x80\x80\x80\x7F\x7F", 5),
    };
    for (const Bytes& original : originals) {
        Bytes restored = "before";
        ASSERT_TRUE(unpackBytes(packBytes(original), restored)) << original.size() << " bytes";
        EXPECT_EQ(restored, original) << original.size() << " bytes";
    }
}

// The body as stored files hold it: three or more equal bytes (up to 130)
// are a repeat, everything between literals of up to 128 bytes.
TEST(Packing, WritesRepeatsAndLiteralsAsTheFormatGivesThem)
{
    const Bytes distinct = allByteValues().substr(0, 129);
    const struct {
        Bytes original, body;
    } cases[] = {
        {"ab" + Bytes(5, 'c') + "d", Bytes("\x01" "ab" "\x82" "c" "\x00" "d", 7)},
        {"xxyy", "\x03xxyy"},
        {Bytes(3, '\0'), Bytes("\x80\0", 2)},
        {Bytes(131, 'y'), Bytes("\xFFy\x00y", 4)},
        {Bytes(133, 'y'), "\xFFy\x80y"},
        {distinct, "\x7F" + distinct.substr(0, 128) + '\x00' + distinct.substr(128)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(packBytes(c.original).substr(kPackedSizeAtLeast), c.body) << c.original.size() << " bytes";
}

// The checksum is the CRC-32 of IEEE 802.3 at every length and alignment
// around the pieces it is folded in, and when chained piece by piece.
TEST(Packing, ChecksumsAreTheStandardCrc32)
{
    EXPECT_EQ(crc32("123456789", 9), 0xCBF43926u);
    const Bytes data = randomBytes(70000, 6);
    for (size_t offset = 0; offset < 16; ++offset)
        for (size_t n = 0; n < 300; ++n)
            ASSERT_EQ(crc32(data.data() + offset, n), crc32Bitwise(data.substr(offset, n))) << offset << "+" << n;
    uint32_t chained = 0;
    for (size_t at = 0, n = 1; at < data.size(); at += n, n = n * 3 % 997 + 1)
        chained = crc32(data.data() + at, std::min(n, data.size() - at), chained);
    EXPECT_EQ(chained, crc32Bitwise(data));
}

TEST(Packing, CompressesRunsAndBarelyGrowsOtherData)
{
    const Bytes zeros(1 << 20, '\0');
    EXPECT_LT(packBytes(zeros).size(), zeros.size() / 60);
    const Bytes noise = randomBytes(1 << 16, 4);
    EXPECT_LE(packBytes(noise).size(), kPackedSizeAtLeast + noise.size() + noise.size() / 128 + 1);
    EXPECT_EQ(packBytes("").size(), kPackedSizeAtLeast);
}

// Sets the stored length (bytes 4..11) of a packed value.
Bytes withLength(Bytes packed, uint64_t length)
{
    for (int i = 0; i < 8; ++i)
        packed[4 + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
    return packed;
}

TEST(Packing, RefusesDamagedDataAndLeavesTheResultUnchanged)
{
    const Bytes original = "abc" + Bytes(200, 'z') + "xyz";
    const Bytes good = packBytes(original);
    const struct {
        const char* what;
        Bytes packed;
    } cases[] = {
        {"empty", ""},
        {"header cut", good.substr(0, kPackedSizeAtLeast - 1)},
        {"other magic", "X" + good.substr(1)},
        {"other version", good.substr(0, 3) + '\x02' + good.substr(4)},
        {"length one more", withLength(good, original.size() + 1)},
        {"length one less", withLength(good, original.size() - 1)},
        {"length far beyond the body", withLength(good, uint64_t(1) << 62)},
        {"largest length", withLength(good, UINT64_MAX)},
        {"body cut", good.substr(0, good.size() - 1)},
        {"byte appended", good + "z"},
        {"literal run past the end", good + '\x7F' + "ab"},
        {"repeat run without its byte", good + '\xFF'},
        {"checksum changed", good.substr(0, 12) + static_cast<char>(good[12] ^ 1) + good.substr(13)},
    };
    for (const auto& c : cases) {
        Bytes result = "kept";
        EXPECT_FALSE(unpackBytes(c.packed, result)) << c.what;
        EXPECT_EQ(result, "kept") << c.what;
    }
}

TEST(Packing, RefusesEveryChangedByteAndEveryTruncation)
{
    const Bytes original = "data\\" + Bytes(5, 'q') + "照片" + Bytes(3, '\0');
    const Bytes good = packBytes(original);
    Bytes result;
    for (size_t pos = 0; pos < good.size(); ++pos) {
        EXPECT_FALSE(unpackBytes(good.substr(0, pos), result)) << "cut at " << pos;
        for (int flip = 1; flip < 256; ++flip) {
            Bytes damaged = good;
            damaged[pos] = static_cast<char>(damaged[pos] ^ flip);
            EXPECT_FALSE(unpackBytes(damaged, result)) << "byte " << pos << " xor " << flip;
        }
    }
    EXPECT_TRUE(result.empty());
}


// Files packed into and out of list entries a piece at a time: what
// unpackBytes reads back exactly, sizes stated without reading the body,
// and a damaged entry that leaves no file behind.
class PackedFilesTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { closeAllFiles(); }
    // A program path ("\\") and the same file on disk.
    Text path(const char* name) const
    {
        Text p = disk(name);
        std::replace(p.begin(), p.end(), '/', '\\');
        return p;
    }
    std::string disk(const char* name) const { return dir.path().toStdString() + "/" + name; }
    void put(const char* name, const Bytes& content) const { std::ofstream(disk(name), std::ios::binary) << content; }
    Bytes get(const char* name) const
    {
        std::ifstream in(disk(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // The list file of the given entries, each packed from a file.
    void writeEntries(const std::vector<Bytes>& contents)
    {
        const int out = openFile(path("list"), FileWrite);
        ASSERT_TRUE(writeListStart(out, contents.size()));
        for (const Bytes& content : contents) {
            put("source", content);
            ASSERT_TRUE(writePackedFile(out, path("source")));
        }
        closeFile(out);
    }
    QTemporaryDir dir;
};

TEST_F(PackedFilesTest, FilesPackedInPiecesReadBackExactly)
{
    Bytes large = mixedRuns();
    while (large.size() < (2u << 20))
        large += Bytes(777, 'r') + randomBytes(5000, static_cast<unsigned>(large.size()));
    const std::vector<Bytes> contents = {large, "", Bytes(1 << 20, '\0')};
    writeEntries(contents);
    int in = openFile(path("list"), FileRead);
    size_t count = 0;
    ASSERT_TRUE(readListStart(in, count));
    for (const Bytes& content : contents) {
        Bytes packed, restored;
        ASSERT_TRUE(readListEntry(in, packed, packed.max_size()));
        ASSERT_TRUE(unpackBytes(packed, restored));
        EXPECT_TRUE(restored == content) << content.size() << " bytes";
    }
    ASSERT_TRUE(setFilePosition(in, 5));
    unsigned long long length = 0;
    ASSERT_TRUE(skipPackedFile(in, length));
    EXPECT_EQ(length, large.size());
    EXPECT_EQ(readPackedFile(in, path("empty")), PackedEntry::Unpacked);
    EXPECT_EQ(get("empty"), "");
    EXPECT_EQ(readPackedFile(in, path("zeros")), PackedEntry::Unpacked);
    EXPECT_TRUE(get("zeros") == contents[2]);
    EXPECT_FALSE(writePackedFile(in, path("source")));   // not open for writing
    EXPECT_FALSE(writePackedFile(openFile(path("other"), FileWrite), path("missing")));
}

TEST_F(PackedFilesTest, DamagedEntriesAndUnwritableTargetsLeaveNoFile)
{
    writeEntries({"abc" + Bytes(300, 'z'), "second"});
    const Bytes good = get("list");
    const struct {
        const char* what;
        Bytes list;
    } cases[] = {
        {"body cut", good.substr(0, 30)},
        {"length", good.substr(0, 13) + static_cast<char>(good[13] ^ 1) + good.substr(14)},
        {"checksum", good.substr(0, 22) + static_cast<char>(good[22] ^ 1) + good.substr(23)},
        {"run changed", good.substr(0, 25) + static_cast<char>(good[25] ^ 0x40) + good.substr(26)},
        {"no entry", good.substr(0, 5)},
    };
    for (const auto& c : cases) {
        put("damaged", c.list);
        int in = openFile(path("damaged"), FileRead);
        ASSERT_TRUE(setFilePosition(in, 5));
        EXPECT_EQ(readPackedFile(in, path("out")), PackedEntry::Damaged) << c.what;
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(disk("out")))) << c.what;
        closeFile(in);
    }
    int in = openFile(path("list"), FileRead);
    ASSERT_TRUE(setFilePosition(in, 5));
    EXPECT_EQ(readPackedFile(in, path("no dir/out")), PackedEntry::Unwritable);
}

} // namespace
