// The tables against each other: a character converted one way and back
// comes back as itself, apart from the characters listed in
// encoding/tools/one_to_many.txt, whose other side has more than one form.
// The list must be exact: a break it lacks fails, and so does a line that
// no longer breaks, so that a regenerated table cannot hide a new one.
#include "tests/encoding/lumtra_loader.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <fstream>
#include <set>
#include <sstream>

namespace {

const Bytes kBig5Space = "\xA1\x40";
const Bytes kGbkSpace = "\xA1\xA1";

// One round trip: `from` went to `through` and came back as `back` (GBK or
// BIG5 bytes, as the direction has them).
struct RoundTrip {
    Bytes from, through, back;
    auto operator<=>(const RoundTrip&) const = default;
};

std::string shown(const RoundTrip& r, bool throughBig5)
{
    const std::string through = throughBig5 ? hexOf(r.through) : gbkToUtf8(r.through);
    return gbkToUtf8(r.from) + " " + through + " " + gbkToUtf8(r.back) + " (" + hexOf(r.from) + ", "
           + hexOf(r.through) + ", " + hexOf(r.back) + ")";
}

// The BIG5 bytes of a UTF-8 text, by glibc's chart.
Bytes big5Of(const std::string& utf8)
{
    iconv_t cd = iconv_open("BIG5", "UTF-8");
    char out[16];
    char* src = const_cast<char*>(utf8.data());
    char* dst = out;
    size_t srcLeft = utf8.size(), dstLeft = sizeof out;
    const bool ok = cd != reinterpret_cast<iconv_t>(-1)
                    && iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1);
    if (cd != reinterpret_cast<iconv_t>(-1))
        iconv_close(cd);
    return ok ? Bytes(out, sizeof out - dstLeft) : Bytes();
}

// The lines of one direction in one_to_many.txt; the characters are UTF-8
// there, BIG5 and GBK bytes here.
std::set<RoundTrip> listed(const std::string& direction)
{
    std::ifstream file(QELVANA_ENCODING_DIR "/tools/one_to_many.txt");
    EXPECT_TRUE(file) << "cannot read encoding/tools/one_to_many.txt";
    std::set<RoundTrip> trips;
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line);
        std::string kind, from, through, back;
        if (line.empty() || line[0] == '#' || !(words >> kind) || kind != direction)
            continue;
        EXPECT_TRUE(words >> from >> through >> back) << "incomplete line: " << line;
        trips.insert({utf8ToGbk(from), direction == "big5" ? big5Of(through) : utf8ToGbk(through),
                      utf8ToGbk(back)});
    }
    return trips;
}

void expectExactlyListed(const std::set<RoundTrip>& breaks, const std::string& direction)
{
    const std::set<RoundTrip> list = listed(direction);
    for (const RoundTrip& r : breaks)
        EXPECT_TRUE(list.count(r)) << "comes back as another character and is not listed as \"" << direction
                                   << "\" in one_to_many.txt: " << shown(r, direction == "big5");
    for (const RoundTrip& r : list)
        EXPECT_TRUE(breaks.count(r)) << "listed as \"" << direction
                                     << "\" in one_to_many.txt, but the tables do not give it: "
                                     << shown(r, direction == "big5");
}

// A GBK character that BIG5 has comes back from BIG5 as itself; a
// simplified one comes back as its traditional form, the one mode 4 gives,
// since BIG5 holds traditional characters only.
TEST(LumtraTableInvariants, GbkThroughBig5ComesBack)
{
    std::set<RoundTrip> breaks;
    int checked = 0;
    for (const Bytes& p : gbkPositions()) {
        const Bytes big5 = convert(p, ModeGbkToBig5);
        if (big5 == kBig5Space)
            continue;   // BIG5 lacks it (or it is the space itself)
        const Bytes back = convert(big5, ModeBig5ToGbk);
        if (back == kGbkSpace)
            continue;   // that BIG5 character has no GBK form
        ++checked;
        if (back != p && back != convert(p, ModeGbkSimpToTrad))
            breaks.insert({p, big5, back});
    }
    EXPECT_GT(checked, 15000);
    expectExactlyListed(breaks, "big5");
}

TEST(LumtraTableInvariants, SimplifiedThroughTraditionalComesBack)
{
    std::set<RoundTrip> breaks;
    int checked = 0;
    for (const Bytes& p : gbkPositions()) {
        const Bytes traditional = convert(p, ModeGbkSimpToTrad);
        if (traditional == p)
            continue;
        const Bytes back = convert(traditional, ModeGbkTradToSimp);
        if (back == traditional)
            continue;   // the traditional character has no simplified form
        ++checked;
        if (back != p)
            breaks.insert({p, traditional, back});
    }
    EXPECT_GT(checked, 2000);
    expectExactlyListed(breaks, "trad");
}

} // namespace
