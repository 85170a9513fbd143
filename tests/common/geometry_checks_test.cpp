// The window geometry checks find each fault they look for, on the unit
// that has it, let through what a state allows, and pass a clean window.
#include "common/runtime.h"
#include "tests/support/gbk_print.h"
#include "tests/support/geometry.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// One unit of each fault, each apart from the others.
struct FaultyWindow : Window {
    FaultyWindow() : Window("FaultyWindow", {0, 0, 400, 300}, "") {}
    Button 窗外{*this, "窗外", {360, 10, 80, 24}, "窗外"};
    TabControl 选择夹1{*this, "选择夹1", {10, 10, 200, 120}, {"甲", "乙"}};
    Button 压签{选择夹1.page(0), "压签", {10, 0, 60, 20}, "压签"};
    GroupBox 分组框1{*this, "分组框1", {10, 140, 160, 100}, "框"};
    Button 压线{分组框1, "压线", {0, 40, 60, 24}, "压线"};
    Label 标签1{*this, "标签1", {220, 50, 80, 20}, "标签一"};
    Label 标签2{*this, "标签2", {260, 60, 80, 20}, "标签二"};
    ComboBox 组合框1{*this, "组合框1", {220, 100, 40, 24}, {"很长的一项"}};
};

// The same kinds of unit, each where it belongs.
struct CleanWindow : Window {
    CleanWindow() : Window("CleanWindow", {0, 0, 400, 300}, "") {}
    Button 窗内{*this, "窗内", {280, 10, 80, 24}, "窗内"};
    TabControl 选择夹1{*this, "选择夹1", {10, 10, 200, 120}, {"甲", "乙"}};
    Button 页上{选择夹1.page(0), "页上", {10, 40, 60, 24}, "页上"};
    GroupBox 分组框1{*this, "分组框1", {10, 140, 160, 100}, "框"};
    Button 框内{分组框1, "框内", {20, 30, 60, 24}, "框内"};
    Label 标签1{*this, "标签1", {220, 50, 80, 20}, "标签一"};
    Label 标签2{*this, "标签2", {220, 74, 80, 20}, "标签二"};
    ComboBox 组合框1{*this, "组合框1", {220, 100, 160, 24}, {"很长的一项"}};
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
    FaultyWindow* w = loadWindow<FaultyWindow>(nullptr, false);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(faults(unitsOutside(*w)), utf8({
        "窗外 outside its container",
        "窗外 outside the client area",
        "压签 covers the tab strip of its page",
        "压线 crosses its group box's frame line",
        "标签2 overlaps the label 标签1",
        "组合框1 cuts its longest item",
    }));
    // What a state allows: a unit the design lets the window cut, one out
    // of sight and one laid over the strip on purpose.
    EXPECT_EQ(faults(unitsOutside(*w, {{"窗外", "组合框1"}, {"分组框1"}, {"压签"}})),
              utf8({"标签2 overlaps the label 标签1"}));
    closeWindow(*w);
}

TEST(GeometryChecks, ACleanWindowPasses)
{
    CleanWindow* w = loadWindow<CleanWindow>(nullptr, false);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(unitsOutside(*w), std::vector<std::string>{});
    closeWindow(*w);
}

} // namespace
