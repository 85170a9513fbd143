// The date mode of an edit box reads dates in one sortable form and leaves
// every other text as it was typed.
#include "common/windows/controls.h"
#include "common/windows/window.h"
#include "tests/support/gbk_print.h"

#include <gtest/gtest.h>

namespace {

TEST(DateEditBox, ReadsDatesZeroPaddedAndOtherTextsAsTyped)
{
    Window window{"W", {0, 0, 200, 100}, ""};
    EditBox date{window, "会议日期", {0, 0, 112, 20}, "", EditBox::DateTimeText};
    EditBox plain{window, "会议地点", {0, 30, 112, 20}};
    struct Case {
        Text typed, read;
    } cases[] = {
        {"2024-9-5", "2024-09-05"}, {"2024/09/05", "2024-09-05"}, {" 2024.9.5 ", "2024-09-05"},
        {"2024年9月5日", "2024-09-05"}, {"2024-10-01", "2024-10-01"},
        {"2024-2-30", "2024-2-30"},   // no such day: kept as typed
        {"九月五日", "九月五日"}, {"", ""}, {"2024-9", "2024-9"},
    };
    for (const Case& c : cases) {
        date.setContent(c.typed);
        plain.setContent(c.typed);
        EXPECT_TEXT_EQ(c.read, date.content()) << gbkToUtf8(c.typed);
        EXPECT_TEXT_EQ(c.typed, plain.content());
    }
}

} // namespace
