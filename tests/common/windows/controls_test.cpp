// Basic units: program changes raise no user events, the right button moves
// no current item, typed characters reach the handler.
#include "common/internal/qtext.h"
#include "common/internal/qt_objects.h"
#include "common/runtime.h"
#include "tests/support/gbk_print.h"
#include "tests/support/test_pictures.h"

#include <QComboBox>
#include <QImage>
#include <QScreen>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>
#include <map>

namespace {

struct FormWindow : Window {
    FormWindow() : Window("FormWindow", {0, 0, 400, 300}, "")
    {
        组合框1.selectionChanged = [this] { ++comboEvents; };
        列表框1.selectionChanged = [this] { ++listEvents; };
        选择夹1.pageChanged = [this] { ++pageEvents; };
        密码.keyChar = [this](int code) { typed.push_back(code); };
    }
    ComboBox 组合框1{*this, "组合框1", {10, 10, 120, 24}, {"男", "女"}, 0};
    ListBox 列表框1{*this, "列表框1", {10, 40, 120, 100}};
    EditBox 密码{*this, "密码", {140, 10, 120, 24}, "", EditBox::Password};
    TabControl 选择夹1{*this, "选择夹1", {140, 40, 200, 150}, {"甲", "乙"}, false};
    GroupBox 分组框1{*this, "分组框1", {10, 150, 120, 100}, "框"};
    RadioButton 单选框1{分组框1, "单选框1", {5, 20, 100, 20}, "一", true};
    RadioButton 单选框2{分组框1, "单选框2", {5, 45, 100, 20}, "二"};
    int comboEvents = 0, listEvents = 0, pageEvents = 0;
    std::vector<int> typed;
};

class ControlsTest : public testing::Test {
protected:
    void SetUp() override { w = loadWindow<FormWindow>(nullptr, false); }
    void TearDown() override
    {
        closeWindow(*w);
        processEvents();
    }
    FormWindow* w = nullptr;
};

TEST_F(ControlsTest, ProgramFillsClearsAndSelectsWithoutSelectionEvents)
{
    w->组合框1.clearItems();
    w->组合框1.addItem("会议一", 7);
    w->组合框1.addItem("会议二", 9);
    w->组合框1.setCurrentIndex(1);
    w->组合框1.setItem(0, "改名", 8);
    w->组合框1.setCurrentIndex(-1);
    for (int i = 0; i < 3; ++i)
        w->列表框1.addItem(toText(i), i * 10);
    w->列表框1.setCurrentIndex(2);
    w->列表框1.removeItem(2);
    w->列表框1.clearItems();
    w->选择夹1.setCurrentPage(1);
    EXPECT_EQ(w->comboEvents, 0);
    EXPECT_EQ(w->listEvents, 0);
    EXPECT_EQ(w->pageEvents, 0);
    EXPECT_EQ(w->选择夹1.currentPage(), 1);
    EXPECT_TEXT_EQ("", w->组合框1.currentText());
    EXPECT_EQ(w->组合框1.currentValue(), 0);
    EXPECT_EQ(w->组合框1.itemValue(0), 8);
    EXPECT_EQ(w->组合框1.itemValue(5), 0);
    EXPECT_TEXT_EQ("", w->组合框1.itemText(-1));
}

TEST_F(ControlsTest, UserChoiceRaisesSelectionEvent)
{
    w->组合框1.addItem("会议一", 7);
    auto* combo = static_cast<QComboBox*>(QtObjects::widget(w->组合框1));
    emit combo->activated(2);   // what a pick from the drop-down emits
    EXPECT_EQ(w->comboEvents, 1);
    w->列表框1.addItem("甲", 1);
    w->列表框1.addItem("乙", 2);
    auto* list = static_cast<QListWidget*>(QtObjects::widget(w->列表框1));
    QRect second = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(w->listEvents, 1);
    EXPECT_EQ(w->列表框1.currentIndex(), 1);
    EXPECT_EQ(w->列表框1.itemValue(w->列表框1.currentIndex()), 2);
}

TEST_F(ControlsTest, RightButtonNeverChangesTheCurrentItem)
{
    w->列表框1.addItem("甲", 1);
    w->列表框1.addItem("乙", 2);
    auto* list = static_cast<QListWidget*>(QtObjects::widget(w->列表框1));
    QRect second = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, second.center());
    EXPECT_EQ(w->列表框1.currentIndex(), -1);
    EXPECT_EQ(w->listEvents, 0);
}

TEST_F(ControlsTest, TabHeadersIgnoreTheUserWhenOnlyTheProgramSwitches)
{
    auto* tabs = static_cast<QTabWidget*>(QtObjects::widget(w->选择夹1));
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    QTest::keyClick(tabs, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(w->选择夹1.currentPage(), 0);
    EXPECT_EQ(w->pageEvents, 0);
}

TEST_F(ControlsTest, EnterReachesKeyCharAs13AndContentIsKeptAsTyped)
{
    QTest::keyClicks(QtObjects::widget(w->密码), " ab");
    QTest::keyClick(QtObjects::widget(w->密码), Qt::Key_Return);
    EXPECT_EQ(w->typed, (std::vector<int>{' ', 'a', 'b', 13}));
    EXPECT_TEXT_EQ(" ab", w->密码.content());
}

TEST_F(ControlsTest, ALongTextIsNeverCut)
{
    EditBox 单位{*w, "单位", {10, 260, 200, 24}};
    const Text text(100000, 'x');
    单位.setContent(text);
    EXPECT_EQ(单位.content().size(), text.size());
    QTest::keyClick(QtObjects::widget(单位), Qt::Key_End);
    QTest::keyClick(QtObjects::widget(单位), 'y');
    EXPECT_EQ(单位.content(), text + "y");
}

// The meeting editor fills its boxes with names longer than they are wide.
TEST_F(ControlsTest, AValueTheProgramSetsShowsFromItsStart)
{
    const Text head = "全国科技";
    const Text value = head + "创新与产业发展高峰论坛第二十三届年会";
    EditBox start{*w, "start", {120, 260, 100, 24}, head};
    const QImage expected = QtObjects::widget(start)->grab().toImage();
    const int headWidth = QtObjects::widget(start)->fontMetrics().horizontalAdvance(toQString(head));
    ASSERT_LT(headWidth, 80);
    auto expectStartShown = [&](const EditBox& box) {
        const QImage shown = QtObjects::widget(box)->grab().toImage();
        EXPECT_EQ(shown.copy(0, 0, headWidth, shown.height()), expected.copy(0, 0, headWidth, expected.height()))
            << gbkToUtf8(box.name());
    };
    EditBox created{*w, "created", {10, 260, 100, 24}, value};
    expectStartShown(created);
    EditBox set{*w, "set", {10, 230, 100, 24}};
    set.setContent(value);
    expectStartShown(set);
}

// The backup and restore windows show the figure in a label of their own.
TEST_F(ControlsTest, AProgressBarShowsNoFigureOfItsOwn)
{
    ProgressBar bar{*w, "bar", {10, 260, 300, 24}};
    bar.setPosition(0);
    const QImage shown = QtObjects::widget(bar)->grab().toImage();
    const int middle = shown.height() / 2;
    for (int x = shown.width() / 4; x < shown.width() * 3 / 4; ++x)
        ASSERT_EQ(shown.pixelColor(x, middle), shown.pixelColor(shown.width() / 4, middle)) << "x " << x;
}

// A bar moved step by step under a label that changes with it (the
// percentage over the backup and restore windows' bar) shows its whole fill
// on the screen, not only where the label is drawn.
TEST_F(ControlsTest, AProgressBarUnderAChangingLabelShowsItsWholeFill)
{
    ProgressBar bar{*w, "bar", {10, 260, 300, 24}};
    TransparentLabel label{*w, "label", {140, 256, 48, 32}};
    for (int position = 0; position <= 60; ++position) {
        bar.setPosition(position);
        label.setCaption("%" + toText(position));
        processEvents();
    }
    QWidget* window = QtObjects::widget(bar)->window();
    const QImage screen = window->screen()->grabWindow(window->winId()).toImage();
    const int y = QtObjects::widget(bar)->height() / 2;
    auto shown = [&](int percent) {
        return screen.pixelColor(QtObjects::widget(bar)->mapTo(window, QPoint(QtObjects::widget(bar)->width() * percent / 100, y)));
    };
    EXPECT_EQ(shown(20), shown(40));
    EXPECT_NE(shown(20), shown(90));
}

TEST_F(ControlsTest, RadioButtonsOfOneFrameFormOneGroup)
{
    QTest::mouseClick(QtObjects::widget(w->单选框2), Qt::LeftButton, {}, QPoint(6, 10));
    EXPECT_TRUE(w->单选框2.checked());
    EXPECT_FALSE(w->单选框1.checked());
}

TEST_F(ControlsTest, HiddenFrameHidesItsUnitsButKeepsTheirOwnState)
{
    w->分组框1.setVisible(false);
    EXPECT_TRUE(w->单选框1.visible());
    EXPECT_FALSE(QtObjects::widget(w->单选框1)->isVisible());
    EXPECT_TEXT_EQ("false", getUnitProperty(w->分组框1, UnitProperty::Visible));
    setUnitProperty(w->分组框1, UnitProperty::Caption, "新框");
    EXPECT_TEXT_EQ("新框", w->分组框1.caption());
}

TEST(TabControlUnit, PageUnitsStandFromTheControlsCornerAndTheStripStaysUsable)
{
    struct W : Window {
        W() : Window("W", {0, 0, 400, 300}, "") {}
        TabControl 选择夹1{*this, "选择夹1", {10, 10, 300, 200}, {"会议列表", "用户列表"}};
        Label 标签17{选择夹1.page(0), "标签17", {2, 1, 50, 20}, "【会议】"};
        Button 按钮1{选择夹1.page(0), "按钮1", {8, 40, 80, 24}, "按钮"};
    };
    W* w = loadWindow<W>(nullptr, false);
    ASSERT_NE(w, nullptr);
    auto* tabs = static_cast<QTabWidget*>(QtObjects::widget(w->选择夹1));
    EXPECT_EQ(QtObjects::widget(w->按钮1)->mapTo(tabs, QPoint(0, 0)), QPoint(8, 40));
    // The label over the strip takes the mouse where it lies; the strip
    // takes it everywhere else and switches the page.
    EXPECT_EQ(tabs->childAt(12, 8), QtObjects::widget(w->标签17));
    QTabBar* bar = tabs->tabBar();
    const QPoint second = bar->tabRect(1).center();
    ASSERT_EQ(tabs->childAt(bar->mapTo(tabs, second)), bar);
    QTest::mouseClick(bar, Qt::LeftButton, {}, second);
    EXPECT_EQ(w->选择夹1.currentPage(), 1);
    EXPECT_FALSE(QtObjects::widget(w->按钮1)->isVisible());
    closeWindow(*w);
}

TEST(TextBoundary, AnyByteStringSurvivesTheTripThroughAUnit)
{
    struct W : Window {
        W() : Window("W", {0, 0, 100, 50}, "") {}
        Label 标签1{*this, "标签1", {0, 0, 100, 20}, ""};
    };
    W* w = loadWindow<W>(nullptr, false);
    // GBK, BIG5 pairs ("中文" in BIG5), a lone lead byte and bytes that are no GBK.
    const Text samples[] = {"会议", "\xA4\xA4\xA4\xE5", "A\x81", "\x80\xFF\x81\x30z"};
    for (const Text& s : samples) {
        w->标签1.setCaption(s);
        EXPECT_EQ(w->标签1.caption(), s);
    }
    closeWindow(*w);
}

} // namespace

namespace {

TEST(PictureBoxUnit, SnapshotShowsVisibleChildrenOnly)
{
    struct W : Window {
        W() : Window("W", {0, 0, 200, 100}, "") {}
        PictureBox 图片框1{*this, "图片框1", {0, 0, 60, 40}};
        Canvas 红{图片框1, "红", {0, 0, 30, 40}};
        Canvas 蓝{图片框1, "蓝", {30, 0, 30, 40}};
    };
    W* w = loadWindow<W>(nullptr, false);
    w->图片框1.setBackgroundColour(rgbColour(255, 255, 255));
    auto paint = [](Canvas& c, Qt::GlobalColor colour) {
        QPalette p = QtObjects::widget(c)->palette();
        p.setColor(QPalette::Window, colour);
        QtObjects::widget(c)->setPalette(p);
        QtObjects::widget(c)->setAutoFillBackground(true);
    };
    paint(w->红, Qt::red);
    paint(w->蓝, Qt::blue);
    w->蓝.setVisible(false);
    Bytes bmp = windowSnapshot(unitWindowHandle(w->图片框1));
    ASSERT_EQ(bmp.substr(0, 2), "BM");
    QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bmp.data()), static_cast<int>(bmp.size()), "BMP");
    ASSERT_EQ(image.size(), QSize(60, 40));
    EXPECT_EQ(image.pixelColor(10, 20), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(45, 20), QColor(Qt::white));
    EXPECT_EQ(windowSnapshot(nullptr), "");
    closeWindow(*w);
}

struct PictureCase {
    const char* what;
    QSize picture;
    bool sideBySide, stretched;
    // Box pixels and what they show: R red, B blue, W the white box.
    std::vector<std::pair<QPoint, char>> shown;
};
void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.what; }

class PictureBoxShowTest : public testing::TestWithParam<PictureCase> {};

// The box is 100 x 60 on white; the picture red then blue.
TEST_P(PictureBoxShowTest, ThePictureShowsWhole)
{
    struct W : Window {
        W() : Window("W", {0, 0, 200, 100}, "") {}
        PictureBox 图片框1{*this, "图片框1", {0, 0, 100, 60}};
    };
    const PictureCase& c = GetParam();
    W* w = loadWindow<W>(nullptr, false);
    w->图片框1.setBackgroundColour(rgbColour(255, 255, 255));
    w->图片框1.setStretched(c.stretched);
    const Bytes bytes = bandedPicture(c.picture, {Qt::red, Qt::blue}, c.sideBySide) + "trailing bytes stay";
    w->图片框1.setPicture(bytes);
    EXPECT_EQ(w->图片框1.picture(), bytes);
    const QImage shown = QtObjects::widget(w->图片框1)->grab().toImage();
    const std::map<char, QColor> colours{{'R', Qt::red}, {'B', Qt::blue}, {'W', Qt::white}};
    for (const auto& [at, colour] : c.shown)
        EXPECT_EQ(shown.pixelColor(at), colours.at(colour)) << c.what << " at " << at.x() << "," << at.y();
    closeWindow(*w);
}

INSTANTIATE_TEST_SUITE_P(
    PictureBoxUnit, PictureBoxShowTest,
    testing::Values(
        // 150 x 300 scales to 30 x 60, centred: x 35 to 65.
        PictureCase{"ATallPhoto", {150, 300}, false, false,
                    {{{50, 3}, 'R'}, {{50, 56}, 'B'}, {{37, 27}, 'R'}, {{62, 33}, 'B'}, {{30, 30}, 'W'}, {{70, 30}, 'W'}}},
        // 400 x 100 scales to 100 x 25, centred: y 17 to 42.
        PictureCase{"AWidePicture", {400, 100}, true, false,
                    {{{2, 30}, 'R'}, {{97, 30}, 'B'}, {{50, 10}, 'W'}, {{50, 50}, 'W'}}},
        // A small one keeps its size, centred: x 45 to 55, y 25 to 35.
        PictureCase{"ASmallPicture", {10, 10}, true, false,
                    {{{46, 30}, 'R'}, {{54, 30}, 'B'}, {{40, 30}, 'W'}, {{50, 20}, 'W'}}},
        PictureCase{"Stretched", {10, 10}, true, true,
                    {{{1, 1}, 'R'}, {{1, 58}, 'R'}, {{98, 1}, 'B'}, {{98, 58}, 'B'}}}),
    [](const testing::TestParamInfo<PictureCase>& info) { return std::string(info.param.what); });

TEST(PictureBoxUnit, AnEmptyOrUnreadablePictureShowsNothingAndKeepsItsBytes)
{
    struct W : Window {
        W() : Window("W", {0, 0, 100, 100}, "") {}
        PictureBox 图片框1{*this, "图片框1", {0, 0, 50, 50}};
    };
    W* w = loadWindow<W>(nullptr, false);
    w->图片框1.setBackgroundColour(rgbColour(255, 255, 255));
    auto blank = [&] {
        const QImage shown = QtObjects::widget(w->图片框1)->grab().toImage();
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixelColor(x, y) != QColor(Qt::white))
                    return false;
        return true;
    };
    w->图片框1.setPicture(bandedPicture({4, 4}, {Qt::red, Qt::blue}));
    EXPECT_FALSE(blank());
    for (const Bytes& bytes : {Bytes(), Bytes("not a picture")}) {
        w->图片框1.setPicture(bytes);
        EXPECT_EQ(w->图片框1.picture(), bytes);
        EXPECT_TRUE(blank()) << bytes;
    }
    closeWindow(*w);
}

} // namespace

namespace {

TEST_F(ControlsTest, RemovingTheCurrentItemLeavesNoneAndPasswordShowsStars)
{
    for (const char* item : {"a", "b", "c"})
        w->列表框1.addItem(item);
    w->列表框1.setCurrentIndex(1);
    w->列表框1.removeItem(1);
    EXPECT_EQ(w->列表框1.currentIndex(), -1);
    w->列表框1.setCurrentIndex(1);
    w->列表框1.removeItem(0);
    EXPECT_TEXT_EQ("c", w->列表框1.itemText(w->列表框1.currentIndex()));
    EXPECT_EQ(w->listEvents, 0);

    QWidget* edit = QtObjects::widget(w->密码);
    EXPECT_EQ(edit->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit), '*');
}

TEST_F(ControlsTest, TheProgramMayUntickEveryRadioButtonOfAGroup)
{
    w->单选框1.setChecked(false);
    EXPECT_FALSE(w->单选框1.checked());
    EXPECT_FALSE(w->单选框2.checked());
    w->单选框2.setChecked(true);
    w->单选框1.setChecked(true);
    EXPECT_FALSE(w->单选框2.checked());
}

} // namespace
