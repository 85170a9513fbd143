// The conversion routine through the exported Lumtra: the telling rows of
// each table, the byte ranges a pass may index with, termination, and
// whole-table invariants checked against glibc iconv as an independent chart.
#include "tests/encoding/lumtra_loader.h"
#include "tests/support/gbk_print.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cstring>
#include <optional>
#include <random>
#include <vector>

namespace {

// glibc's charts, used as the reference the tables must agree with.
class Chart {
public:
    explicit Chart(const char* charset)
        : decoder_(iconv_open("UTF-32LE", charset)), encoder_(iconv_open(charset, "UTF-32LE")) {}
    ~Chart() { iconv_close(decoder_); iconv_close(encoder_); }
    Chart(const Chart&) = delete;
    Chart& operator=(const Chart&) = delete;

    // The one character a two-byte position holds, if any.
    std::optional<char32_t> decode(const Bytes& pair) const
    {
        Bytes out = run(decoder_, pair);
        if (out.size() != 4)
            return std::nullopt;
        char32_t c;
        std::memcpy(&c, out.data(), 4);
        return c;
    }
    // The character's two-byte form, if it has one.
    std::optional<Bytes> encode(char32_t c) const
    {
        Bytes out = run(encoder_, Bytes(reinterpret_cast<const char*>(&c), 4));
        return out.size() == 2 ? std::optional<Bytes>(out) : std::nullopt;
    }

private:
    static Bytes run(iconv_t cd, const Bytes& in)
    {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char out[16];
        char* src = const_cast<char*>(in.data());
        char* dst = out;
        size_t srcLeft = in.size(), dstLeft = sizeof out;
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1) || srcLeft != 0)
            return {};
        return Bytes(out, sizeof out - dstLeft);
    }
    iconv_t decoder_;
    iconv_t encoder_;
};

const Chart& gbkChart() { static const Chart chart("GBK"); return chart; }
const Chart& big5Chart() { static const Chart chart("BIG5"); return chart; }

bool isPrivateUse(char32_t c) { return (c >= 0xE000 && c <= 0xF8FF) || c >= 0xF0000; }

struct Row {
    int mode;
    const char* input;
    const char* expected;
    const char* what;
};

void expectRows(const std::vector<Row>& rows)
{
    for (const Row& row : rows)
        EXPECT_EQ(row.expected, hexOf(convert(hexBytes(row.input), row.mode)))
            << "mode " << row.mode << ", " << row.input << " (" << row.what << ")";
}

TEST(LumtraConversion, TellingRowsOfAllFourTables)
{
    expectRows({
        {ModeGbkToBig5, "D6 D0", "A4 A4", "中"},
        {ModeGbkToBig5, "B9 FA", "B0 EA", "国 through 國, not B9 FA"},
        {ModeGbkToBig5, "87 F8", "B0 EA", "國 inside GBK"},
        {ModeGbkToBig5, "A1 A1", "A1 40", "ideographic space"},
        {ModeGbkToBig5, "A3 AC", "A1 41", "full-width comma"},
        {ModeGbkToBig5, "A3 C1", "A2 CF", "full-width A"},
        {ModeGbkToBig5, "81 40", "A1 40", "a character BIG5 lacks"},
        {ModeBig5ToGbk, "A4 A4", "D6 D0", "中"},
        {ModeBig5ToGbk, "B0 EA", "87 F8", "國 stays traditional"},
        {ModeBig5ToGbk, "A4 E5", "CE C4", "文"},
        {ModeBig5ToGbk, "A1 40", "A1 A1", "ideographic space"},
        {ModeBig5ToGbk, "A0 40", "A0 40", "row 0xA0 has no BIG5 character"},
        {ModeGbkSimpToTrad, "B9 FA", "87 F8", "国"},
        {ModeGbkSimpToTrad, "BA BA", "9D 68", "汉"},
        {ModeGbkSimpToTrad, "CC E5", "F3 77", "体"},
        {ModeGbkSimpToTrad, "D6 D0", "D6 D0", "中 is its own form"},
        {ModeGbkTradToSimp, "87 F8", "B9 FA", "國"},
        {ModeGbkTradToSimp, "9D 68", "BA BA", "漢"},
        {ModeGbkTradToSimp, "F3 77", "CC E5", "體"},
    });
}

TEST(LumtraConversion, FallbacksKeepEveryEntryTwoBytes)
{
    expectRows({
        {ModeBig5ToGbk, "A3 E1", "A1 A1", "euro sign is one byte in GBK"},
        {ModeBig5ToGbk, "A1 45", "A1 A1", "BIG5 character without a GBK form"},
        {ModeBig5ToGbk, "A1 C2", "A1 A1", "BIG5 character without a GBK form"},
        {ModeBig5ToGbk, "C6 A1", "C6 A1", "private use in BIG5: own bytes"},
        {ModeBig5ToGbk, "C8 FE", "C8 FE", "private use in BIG5: own bytes"},
        {ModeBig5ToGbk, "A3 E1 A4 A4", "A1 A1 D6 D0", "no shift after a fallback"},
    });
}

TEST(LumtraConversion, CharactersThatAreTheirOwnTraditionalFormStay)
{
    const Text text = "后面干台里只系中";
    EXPECT_TEXT_EQ(text, convert(text, ModeGbkSimpToTrad));
    EXPECT_TEXT_EQ(text, convert(text, ModeGbkTradToSimp));
    EXPECT_TEXT_EQ("機器天氣體", convert("机器天气体", ModeGbkSimpToTrad));
}

TEST(LumtraConversion, BytesOutsideThePassRangesStay)
{
    std::vector<Row> rows = {
        {ModeGbkToBig5, "80 40", "80 40", "lead 0x80"},
        {ModeGbkToBig5, "FF 40", "FF 40", "lead 0xFF"},
        {ModeBig5ToGbk, "80 A4", "80 A4", "lead 0x80"},
        {ModeBig5ToGbk, "9F 40", "9F 40", "lead below 0xA0"},
        {ModeBig5ToGbk, "FF A4", "FF A4", "lead 0xFF"},
        {ModeGbkToBig5, "D6 3F", "D6 3F", "trail 0x3F"},
        {ModeBig5ToGbk, "A4 3F", "A4 3F", "trail 0x3F"},
        {ModeGbkToBig5, "D6 7F", "D6 7F", "trail 0x7F"},
        {ModeBig5ToGbk, "A4 7F", "A4 7F", "trail 0x7F"},
        {ModeGbkToBig5, "D6 FF", "D6 FF", "trail 0xFF"},
        {ModeBig5ToGbk, "A4 FF", "A4 FF", "trail 0xFF"},
        {ModeGbkTradToSimp, "FE FF", "FE FF", "lead 0xFE, trail 0xFF"},
        {ModeGbkToBig5, "FE FE", "A1 40", "last GBK entry: no character"},
        {ModeGbkSimpToTrad, "FE FE", "FE FE", "last GBK entry"},
        {ModeBig5ToGbk, "FE FE", "FE FE", "last BIG5 entry"},
        {ModeBig5ToGbk, "B0 30", "B0 30", "\"0\" after a lead is swallowed"},
        {ModeGbkToBig5, "41 D6", "41 D6", "lone lead before the terminator"},
        {ModeBig5ToGbkSimp, "A4 A4 B0", "D6 D0 B0", "lone lead after a pair"},
    };
    std::vector<std::string> big5Gap;
    for (unsigned trail = 0x80; trail <= 0xA0; ++trail)
        big5Gap.push_back(hexOf(Bytes{'\xA4', static_cast<char>(trail)}));
    for (const std::string& pair : big5Gap)
        rows.push_back({ModeBig5ToGbk, pair.c_str(), pair.c_str(), "BIG5 trail 0x80 to 0xA0"});
    expectRows(rows);
}

TEST(LumtraConversion, ReturnValuesAndTextsWithoutWork)
{
    for (int mode : {0, 6, -1, 2024}) {
        char text[] = "\xD6\xD0\xB9\xFA";
        EXPECT_EQ(0, lumtraLibrary().lumtra(text, mode)) << mode;
        EXPECT_STREQ("\xD6\xD0\xB9\xFA", text) << mode;
    }
    for (int mode = 1; mode <= 5; ++mode) {
        EXPECT_EQ(1, lumtraLibrary().lumtra(nullptr, mode)) << mode;
        char empty[] = "";
        EXPECT_EQ(1, lumtraLibrary().lumtra(empty, mode)) << mode;
        EXPECT_STREQ("", empty);
        EXPECT_EQ("abc 123\r\n", convert("abc 123\r\n", mode)) << mode;
    }
}

TEST(LumtraConversion, ModeFiveIsModeTwoThenModeThree)
{
    Bytes mixed = "ab\x80" "c";   // a stray byte swallowing the "c"
    for (const Bytes& pair : big5Positions())
        mixed += pair + (pair[1] == '\x40' ? "x " : "");
    mixed += "\xD6";
    EXPECT_EQ(hexOf(convert(convert(mixed, ModeBig5ToGbk), ModeGbkTradToSimp)),
              hexOf(convert(mixed, ModeBig5ToGbkSimp)));
    EXPECT_EQ("D6 D0 B9 FA", hexOf(convert(hexBytes("A4 A4 B0 EA"), ModeBig5ToGbkSimp)));
}

// Long texts of every mix convert as their pairs do one at a time: runs of
// ASCII of every length and alignment, stray bytes of 0x80 or more that
// swallow the next byte, and a lone lead byte at the end.
TEST(LumtraConversion, LongMixedTextsConvertPairByPair)
{
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> runLength(0, 20), byte(1, 255), percent(0, 99);
    for (int text = 0; text < 200; ++text) {
        Bytes input;
        while (input.size() < 300) {
            for (int n = runLength(random); n > 0; --n)
                input += static_cast<char>(1 + percent(random));   // below 0x80
            for (int n = runLength(random) / 4; n > 0; --n)
                input += static_cast<char>(byte(random) | 0x80) + Bytes(1, static_cast<char>(byte(random)));
        }
        if (text % 2 == 0)
            input += '\xB0';
        for (int mode = 1; mode <= 5; ++mode) {
            Bytes expected;
            for (size_t p = 0; p < input.size();) {
                const bool pair = static_cast<unsigned char>(input[p]) >= 0x80 && p + 1 < input.size();
                expected += pair ? convert(input.substr(p, 2), mode) : input.substr(p, 1);
                p += pair ? 2 : 1;
            }
            ASSERT_EQ(hexOf(expected), hexOf(convert(input, mode))) << "text " << text << ", mode " << mode;
        }
    }
}

// Every entry is a whole double-byte character, so the text keeps its length
// and a later pass stays aligned.
TEST(LumtraConversion, EveryEntryIsADoubleByteCharacter)
{
    for (int mode = 1; mode <= 5; ++mode) {
        const auto& all = mode == ModeBig5ToGbk || mode == ModeBig5ToGbkSimp ? big5Positions()
                                                                            : gbkPositions();
        for (const Bytes& p : all) {
            const Bytes out = convert(p, mode);
            ASSERT_TRUE(static_cast<unsigned char>(out[0]) >= 0x81 && out[1] != 0)
                << "mode " << mode << ": " << hexOf(p) << " -> " << hexOf(out);
        }
    }
}

TEST(LumtraConversion, GbkToBig5AgreesWithTheCharts)
{
    for (const Bytes& p : gbkPositions()) {
        const Bytes out = convert(p, ModeGbkToBig5);
        const auto c = gbkChart().decode(p);
        if (!c) {
            EXPECT_EQ("A1 40", hexOf(out)) << hexOf(p) << " is no GBK character";
            continue;
        }
        ASSERT_TRUE(out == "\xA1\x40" || big5Chart().decode(out)) << hexOf(p) << " -> " << hexOf(out);
        // Mode 1 is the BIG5 form of mode 4's traditional character.
        const auto traditional = gbkChart().decode(convert(p, ModeGbkSimpToTrad));
        ASSERT_TRUE(traditional) << hexOf(p);
        if (auto big5 = big5Chart().encode(*traditional)) {
            EXPECT_EQ(hexOf(*big5), hexOf(out)) << hexOf(p);
        }
    }
}

TEST(LumtraConversion, Big5ToGbkAgreesWithTheCharts)
{
    for (const Bytes& p : big5Positions()) {
        const Bytes out = convert(p, ModeBig5ToGbk);
        const auto c = big5Chart().decode(p);
        if (!c || isPrivateUse(*c)) {
            EXPECT_EQ(hexOf(p), hexOf(out)) << "no BIG5 character";
            continue;
        }
        const auto gbk = gbkChart().encode(*c);
        EXPECT_EQ(gbk ? hexOf(*gbk) : "A1 A1", hexOf(out)) << hexOf(p);
    }
}

TEST(LumtraConversion, ScriptTablesStayInsideGbk)
{
    for (int mode : {ModeGbkTradToSimp, ModeGbkSimpToTrad}) {
        for (const Bytes& p : gbkPositions()) {
            const Bytes out = convert(p, mode);
            if (!gbkChart().decode(p)) {
                EXPECT_EQ(hexOf(p), hexOf(out)) << "mode " << mode << ": no GBK character";
            } else {
                EXPECT_TRUE(gbkChart().decode(out))
                    << "mode " << mode << ": " << hexOf(p) << " -> " << hexOf(out);
            }
        }
    }
}

} // namespace
