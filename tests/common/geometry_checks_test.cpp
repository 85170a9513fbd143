// The window geometry checks find each fault they look for, on the unit
// that has it, let through what a state allows, and pass a clean window.
#include "common/runtime.h"
#include "tests/support/gbk_print.h"
#include "tests/support/geometry.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Where the units lie: each where it belongs, or each with one fault of its
// own, apart from the others.
struct Places {
    Rect button, onPage, inBox, secondLabel, combo;
};
const Places kClean{{280, 10, 80, 24}, {10, 40, 60, 24}, {20, 30, 60, 24}, {220, 74, 80, 20}, {220, 100, 160, 24}};
const Places kFaulty{{360, 10, 80, 24},   // past the right edge
                     {10, 0, 60, 20},     // over the tab strip
                     {0, 40, 60, 24},     // across the group box's left line
                     {260, 60, 80, 20},   // over the first label
                     {220, 100, 40, 24}}; // narrower than its item

struct PlacesWindow : Window {
    explicit PlacesWindow(const Places& places) : Window("PlacesWindow", {0, 0, 400, 300}, ""), at(places) {}
    const Places at;
    Button 按钮1{*this, "按钮1", at.button, "按钮"};
    TabControl 选择夹1{*this, "选择夹1", {10, 10, 200, 120}, {"甲", "乙"}};
    Button 页上{选择夹1.page(0), "页上", at.onPage, "页上"};
    GroupBox 分组框1{*this, "分组框1", {10, 140, 160, 100}, "框"};
    Button 框内{分组框1, "框内", at.inBox, "框内"};
    Label 标签1{*this, "标签1", {220, 50, 80, 20}, "标签一"};
    Label 标签2{*this, "标签2", at.secondLabel, "标签二"};
    ComboBox 组合框1{*this, "组合框1", at.combo, {"很长的一项"}};
};

// The units named in the lines found, each with its fault, without the
// places the lines give.
std::set<std::string> faults(const std::vector<std::string>& lines)
{
    std::set<std::string> found;
    for (const std::string& line : lines) {
        const size_t place = line.find(" ("), end = line.find(") ");
        found.insert(place == std::string::npos || end == std::string::npos ? line
                                                                             : line.substr(0, place) + line.substr(end + 1));
    }
    return found;
}

std::set<std::string> utf8(std::initializer_list<const char*> lines)
{
    std::set<std::string> converted;
    for (const char* line : lines)
        converted.insert(gbkToUtf8(line));
    return converted;
}

TEST(GeometryChecks, EachFaultIsFoundOnItsUnit)
{
    PlacesWindow* w = loadWindow<PlacesWindow>(nullptr, false, kFaulty);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(faults(unitsOutside(*w)), utf8({
        "按钮1 outside its container",
        "按钮1 outside the client area",
        "页上 covers the tab strip of its page",
        "框内 crosses its group box's frame line",
        "标签2 overlaps the label 标签1",
        "组合框1 cuts its longest item",
    }));
    // What a state allows: a unit the design lets the window cut, one out
    // of sight and one laid over the strip on purpose.
    EXPECT_EQ(faults(unitsOutside(*w, {{"按钮1", "组合框1"}, {"分组框1"}, {"页上"}})),
              utf8({"标签2 overlaps the label 标签1"}));
    closeWindow(*w);
}

TEST(GeometryChecks, ACleanWindowPasses)
{
    PlacesWindow* w = loadWindow<PlacesWindow>(nullptr, false, kClean);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(unitsOutside(*w), std::vector<std::string>{});
    closeWindow(*w);
}

} // namespace
