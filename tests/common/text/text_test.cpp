// GBK text functions count bytes, search whole characters only, and convert
// values by the program's rules; the Qt boundary keeps every byte.
#include "common/internal/qtext.h"
#include "common/text/text.h"
#include "tests/support/gbk_print.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <random>

namespace {

// "嘰" is 87 5C and "淺" is 9C 5C: their trail byte is the byte of "\".
const Text kJi = "嘰";
const Text kQian = "淺";

TEST(TextTest, LengthsAndPiecesCountBytes)
{
    EXPECT_EQ(kJi, "\x87\x5C");
    EXPECT_EQ(4, textLength("代表"));
    EXPECT_EQ(0, textLength(""));

    struct Case { Text actual, expected; };
    const Case cases[] = {
        {leftText("代表团", 2), "代"},
        {leftText("ab", 5), "ab"},
        {leftText("ab", 0), ""},
        {leftText("ab", -1), ""},
        {rightText("代表团", 2), "团"},
        {rightText("ab", 5), "ab"},
        {rightText("ab", -3), ""},
        {midText("代表团", 3, 2), "表"},
        {midText("abc", 2, 10), "bc"},
        {midText("abc", 4, 1), ""},
        {midText("abc", 0, 2), ""},
        {midText("abc", -5, 2), ""},
        {midText("abc", 1, 0), ""},
        {midText("", 1, 1), ""},
    };
    for (const Case& c : cases)
        EXPECT_TEXT_EQ(c.expected, c.actual);
}

TEST(TextTest, FindTextMatchesWholeCharactersOnly)
{
    struct Case { Text text, sought; int from, expected; };
    const Case cases[] = {
        {"abcabc", "b", 1, 2},
        {"abcabc", "b", 3, 5},
        {"abcabc", "b", 6, -1},
        {"abcabc", "x", 1, -1},
        {"abc", "", 1, -1},
        {"abc", "c", 0, 3},
        {"abc", "c", -7, 3},
        {"abc", "c", 100, -1},
        {"", "a", 1, -1},
        {"会议标签", "标签", 1, 5},
        {kJi, "\\", 1, -1},
        {kJi + "\\", "\\", 1, 3},
        {"D:" + kQian + "\\x", "\\", 1, 5},
        {"D:" + kQian + kJi + "\\x", "\\", 4, 7},
        // a start inside a character moves on to the next character
        {kJi + "\\", "\\", 2, 3},
        // "\x5C" + "a" would start on the trail byte of "嘰"
        {kJi + "a", "\\a", 1, -1},
        // a match must not end inside a character: "a" + lead byte of "嘰"
        {"a" + kJi, "a\x87", 1, -1},
        // the lead byte of one character and the trail byte of the previous
        {"代表", "\xfa\xb1", 1, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, findText(c.text, c.sought, c.from))
            << gbkToUtf8(c.text) << " / " << gbkToUtf8(c.sought) << " from " << c.from;
}

TEST(TextTest, ReverseSearchFindsTheLastRealSeparator)
{
    struct Case { Text text, sought; int expected; };
    const Case cases[] = {
        {"C:\\data\\a.PIC", "\\", 8},
        {"C:\\data\\" + kJi, "\\", 8},
        {"C:\\" + kQian + kJi, "\\", 3},
        {kJi + kQian, "\\", -1},
        {"a.b.c", ".", 4},
        {"abc", "", -1},
        {"", "\\", -1},
        {"ababab", "ab", 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, findTextReverse(c.text, c.sought))
            << gbkToUtf8(c.text) << " / " << gbkToUtf8(c.sought);
}

TEST(TextTest, SplitTextKeepsDoubleByteCharactersWhole)
{
    struct Case { Text text, separator; TextList expected; };
    const Case cases[] = {
        {"C:\\" + kJi + "\\data", "\\", {"C:", kJi, "data"}},
        {"\\home\\" + kQian, "\\", {"", "home", kQian}},
        {"a\\b\\", "\\", {"a", "b", ""}},
        {kJi + kQian, "\\", {kJi + kQian}},
        {"", "\\", {""}},
        {"a,,b", ",", {"a", "", "b"}},
        {"a--b", "--", {"a", "b"}},
        {"abc", "", {"abc"}},
    };
    for (const Case& c : cases) {
        TextList parts = splitText(c.text, c.separator);
        ASSERT_EQ(c.expected.size(), parts.size()) << gbkToUtf8(c.text);
        for (size_t i = 0; i < parts.size(); ++i)
            EXPECT_TEXT_EQ(c.expected[i], parts[i]);
    }
}

TEST(TextTest, TrimRemovesOnlyBlanks)
{
    EXPECT_TEXT_EQ("a b", trimSpaces("  a b  "));
    EXPECT_TEXT_EQ("", trimSpaces("   "));
    EXPECT_TEXT_EQ("　张　", trimSpaces(" 　张　 "));   // ideographic spaces stay
    EXPECT_TEXT_EQ("a\t", trimSpaces("a\t"));
    EXPECT_TEXT_EQ("a  ", trimLeadingSpaces("  a  "));
    EXPECT_TEXT_EQ("", trimLeadingSpaces(""));
}

TEST(TextTest, ToTextGivesDecimalTextWithoutFractionForWholeValues)
{
    struct Case { Text actual, expected; };
    const Case cases[] = {
        {toText(802.0), "802"},
        {toText(-3.0), "-3"},
        {toText(0.0), "0"},
        {toText(-0.0), "0"},
        {toText(1e15), "1000000000000000"},
        {toText(0.5), "0.5"},
        {toText(-12.25), "-12.25"},
        {toText(0.1), "0.1"},
        {toText(0), "0"},
        {toText(INT_MIN), "-2147483648"},
        {toText(9007199254740993LL), "9007199254740993"},
        {toText(true), "true"},
        {toText(false), "false"},
    };
    for (const Case& c : cases)
        EXPECT_TEXT_EQ(c.expected, c.actual);
}

TEST(TextTest, ToNumberGivesZeroForAnythingThatIsNotANumber)
{
    struct Case { Text text; double expected; };
    const Case cases[] = {
        {"", 0}, {"A1", 0}, {"宋体", 0}, {"12abc", 0}, {"1 2", 0}, {"-", 0}, {".", 0},
        {"+", 0}, {"e5", 0}, {"1e", 0}, {"0x10", 0}, {"inf", 0}, {"nan", 0}, {"--1", 0},
        {"１２", 0},   // full-width digits are not decimal text
        {"0801", 801}, {"009", 9}, {" 12 ", 12}, {"-3.5", -3.5}, {"+4", 4},
        {"1e3", 1000}, {"2.5E-1", 0.25}, {".5", 0.5}, {"5.", 5}, {"1e-400", 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(c.expected, toNumber(c.text)) << gbkToUtf8(c.text);
    EXPECT_TRUE(std::isinf(toNumber("1e400")) && toNumber("1e400") > 0);
    EXPECT_TRUE(std::isinf(toNumber("-1e400")) && toNumber("-1e400") < 0);
}

TEST(TextTest, IntegerConversionTruncatesAndSaturates)
{
    struct Case { double value; int expected; };
    const Case cases[] = {
        {2.9, 2}, {-2.9, -2}, {0.0, 0}, {1e12, INT_MAX}, {-1e12, INT_MIN},
        {2147483647.0, INT_MAX}, {2147483648.0, INT_MAX}, {-2147483649.0, INT_MIN},
        {HUGE_VAL, INT_MAX}, {-HUGE_VAL, INT_MIN}, {std::nan(""), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, toInteger(c.value)) << c.value;
    EXPECT_EQ(INT_MAX, toInteger("99999999999"));
    EXPECT_EQ(INT_MIN, toInteger("-1e400"));
    EXPECT_EQ(0, toInteger("A1"));
    EXPECT_EQ(801, toInteger("0801"));
}

TEST(TextTest, BytesToValueStopsAtTheTerminator)
{
    EXPECT_TEXT_EQ("会议", bytesToValue(toBytes("会议")));
    EXPECT_TEXT_EQ("ab", bytesToValue(Bytes("ab\0cd", 5)));
    EXPECT_EQ(4u, toBytes("会议").size());
}

TEST(TextTest, DateTimeTextIsSafeInsideAFileName)
{
    const char* oldTz = std::getenv("TZ");
    std::string saved = oldTz ? oldTz : "";
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_TEXT_EQ("20240102030405", dateTimeToText(DateTime{1704164645}));
    if (oldTz)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();

    Text current = dateTimeToText(now());
    EXPECT_EQ(Text::npos, current.find_first_of(":/\\ "));
    EXPECT_EQ(14u, current.size());
}

TEST(TextTest, QtBoundaryKeepsEveryByteString)
{
    std::vector<Text> samples = {"", "会议", "\x87\x5C", "\x81", "\x81\x30", "\x81\x30\x81",
                                 "\xFF\xFE", "a\x80z", "\x81\x30\x81\x30", Text("\0\x01", 2)};
    for (int b = 0; b < 256; ++b)
        samples.push_back(Text(1, static_cast<char>(b)) + "x");
    // every double-byte pair, BIG5 pairs among them, alone and behind a lead byte
    Text pairs, shifted = "\x81";
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x30; trail <= 0xFF; ++trail) {
            pairs += static_cast<char>(lead);
            pairs += static_cast<char>(trail);
        }
    samples.push_back(pairs);
    samples.push_back(shifted + pairs);
    std::mt19937 random(7);
    for (int i = 0; i < 200; ++i) {
        Text noise(static_cast<size_t>(random() % 40), '\0');
        for (char& c : noise)
            c = static_cast<char>(random());
        samples.push_back(noise);
    }
    for (const Text& s : samples)
        ASSERT_EQ(s, fromQString(toQString(s))) << gbkToUtf8(s);
    EXPECT_EQ(QString::fromUtf16(u"会议"), toQString("会议"));
}

} // namespace

namespace {

TEST(TextCase, OnlySingleByteLettersAreFolded)
{
    EXPECT_TRUE(sameTextIgnoringCase("DATA\\Meeting.MDB", "data\\meeting.mdb"));
    EXPECT_TRUE(sameTextIgnoringCase("代表ID", "代表id"));
    // 0x81 0x41 and 0x81 0x61 are two different characters.
    EXPECT_FALSE(sameTextIgnoringCase("\x81\x41", "\x81\x61"));
    EXPECT_FALSE(sameTextIgnoringCase("ab", "abc"));
}

} // namespace
