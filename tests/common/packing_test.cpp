// Packing of byte strings: exact round trips, runs compressed, and every
// damaged form refused without touching the result.
#include "common/packing.h"
#include "tests/support/gbk_print.h"

#include <gtest/gtest.h>

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

} // namespace
