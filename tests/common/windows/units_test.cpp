// The item views, tool bar, transparent label, picture button and colour
// picker: the program's changes raise no user events, the right button moves
// no current item or row, stored numbers survive, and the person's actions
// report what the program relies on.
#include "common/runtime.h"
#include "common/internal/qt_objects.h"
#include "tests/support/gbk_print.h"
#include "tests/support/scripted_interaction.h"
#include "tests/support/test_pictures.h"
#include "tests/support/user_actions.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QImage>
#include <QListView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct UnitsWindow : Window {
    UnitsWindow() : Window("UnitsWindow", {0, 0, 640, 480}, "")
    {
        树型框1.selectionChanged = [this] { ++treeSelections; };
        树型框1.rightButtonDown = [this] { ++treeRightDowns; };
        超级列表框1.currentRowChanged = [this] { ++listRowChanges; };
        超级列表框1.rightButtonUp = [this] { ++listRightUps; };
        会议组.currentRowChanged = [this] { ++iconRowChanges; };
        超级列表框1.setColumns({{"宾馆名称", 80}, {"房间编号", 60}, {"房间人数", 60}});
    }
    TreeView 树型框1{*this, "树型框1", {10, 10, 160, 300}};
    ListView 超级列表框1{*this, "超级列表框1", {180, 10, 300, 150}, ListView::Report, true};
    ListView 会议组{*this, "会议组", {180, 170, 300, 140}, ListView::Icons};
    int treeSelections = 0, treeRightDowns = 0, listRowChanges = 0, listRightUps = 0,
        iconRowChanges = 0;
};

class UnitsTest : public testing::Test {
protected:
    void SetUp() override
    {
        w = loadWindow<UnitsWindow>(nullptr, false);
        ASSERT_NE(w, nullptr);
    }
    void TearDown() override
    {
        closeWindow(*w);
        processEvents();
    }

    // One organisation node with two delegates, then a second node with one.
    void fillTree()
    {
        int unit1 = addTreeItem(w->树型框1, -1, "单位甲", 1, -1, 0);
        addTreeItem(w->树型框1, unit1, "张三", 2, 4, 101);
        addTreeItem(w->树型框1, unit1, "李四", 3, 4, 102);
        int unit2 = addTreeItem(w->树型框1, -1, "单位乙", 1, -1, 0);
        addTreeItem(w->树型框1, unit2, "王五", 2, 4, 103);
        expandTreeItem(w->树型框1, unit1);
        expandTreeItem(w->树型框1, unit2);
        showTreeItem(w->树型框1, 0);
    }
    QTreeWidget* tree() const { return static_cast<QTreeWidget*>(QtObjects::widget(w->树型框1)); }
    void clickTreeItem(QTreeWidgetItem* item, Qt::MouseButton button)
    {
        QApplication::processEvents();
        QTest::mouseClick(tree()->viewport(), button, {}, tree()->visualItemRect(item).center());
    }

    void fillList(const std::vector<Text>& names)
    {
        for (size_t i = 0; i < names.size(); ++i) {
            int row = insertListRow(w->超级列表框1, names[i]);
            setListCellText(w->超级列表框1, row, 1, toText(static_cast<int>(i)));
            setListRowValue(w->超级列表框1, row, 10 + static_cast<int>(i));
        }
    }
    void clickListRow(ListView& list, int row, Qt::MouseButton button)
    {
        auto* view = static_cast<QAbstractItemView*>(QtObjects::widget(list));
        QApplication::processEvents();
        QRect cell = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), button, {}, cell.center());
    }

    UnitsWindow* w = nullptr;
};

// ---- TreeView ---------------------------------------------------------------

TEST_F(UnitsTest, TreeNumbersItemsInInsertionOrderAndKeepsImagesAndValues)
{
    showTreeItem(w->树型框1, 0);   // an empty tree takes it too
    fillTree();
    ASSERT_EQ(treeItemCount(w->树型框1), 5);
    const Text texts[] = {"单位甲", "张三", "李四", "单位乙", "王五"};
    const int values[] = {0, 101, 102, 0, 103};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TEXT_EQ(texts[i], treeItemText(w->树型框1, i));
        EXPECT_EQ(treeItemValue(w->树型框1, i), values[i]) << i;
    }
    ASSERT_EQ(tree()->topLevelItemCount(), 2);
    EXPECT_EQ(tree()->topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(tree()->topLevelItem(1)->childCount(), 1);

    // A pick consumes the item: value 0, image raised as the callers compute it.
    setTreeItemValue(w->树型框1, 2, 0);
    setTreeItemImage(w->树型框1, 2, treeItemImage(w->树型框1, 2) + 5);
    EXPECT_EQ(treeItemValue(w->树型框1, 2), 0);
    EXPECT_EQ(treeItemImage(w->树型框1, 2), 8);

    // Out of range: harmless, "" and 0.
    for (int index : {-1, 5, 1000}) {
        setTreeItemValue(w->树型框1, index, 9);
        setTreeItemImage(w->树型框1, index, 9);
        expandTreeItem(w->树型框1, index);
        showTreeItem(w->树型框1, index);
        EXPECT_TEXT_EQ("", treeItemText(w->树型框1, index));
        EXPECT_EQ(treeItemValue(w->树型框1, index), 0);
        EXPECT_EQ(treeItemImage(w->树型框1, index), 0);
    }
    clearTree(w->树型框1);
    EXPECT_EQ(treeItemCount(w->树型框1), 0);
    EXPECT_EQ(addTreeItem(w->树型框1, -1, "新", 1, -1, 0), 0);
}

TEST_F(UnitsTest, TreeHasChildrenOnlyForNodesAndGivesZeroPastTheEnd)
{
    fillTree();
    const struct {
        int index, expected;
    } cases[] = {{0, 1}, {1, 0}, {2, 0}, {3, 1}, {4, 0}, {5, 0}, {6, 0}, {-1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(treeItemHasChildren(w->树型框1, c.index), c.expected) << "index " << c.index;
}

TEST_F(UnitsTest, TreeFillingAndProgramChangesSelectNothingAndRaiseNoEvent)
{
    fillTree();
    EXPECT_EQ(w->树型框1.currentItem(), -1);
    w->树型框1.setCurrentItem(2);
    EXPECT_EQ(w->树型框1.currentItem(), 2);
    w->树型框1.setCurrentItem(-1);
    EXPECT_EQ(w->树型框1.currentItem(), -1);
    EXPECT_TRUE(tree()->selectedItems().isEmpty());
    w->树型框1.setCurrentItem(4);
    clearTree(w->树型框1);
    fillTree();
    EXPECT_EQ(w->树型框1.currentItem(), -1);
    EXPECT_EQ(w->treeSelections, 0);
}

TEST_F(UnitsTest, TreeClickSelectsAndRaisesTheEventOnce)
{
    fillTree();
    clickTreeItem(tree()->topLevelItem(0)->child(1), Qt::LeftButton);
    EXPECT_EQ(w->树型框1.currentItem(), 2);
    EXPECT_EQ(w->treeSelections, 1);
    // After "current item := none" the same item can be picked again.
    w->树型框1.setCurrentItem(-1);
    clickTreeItem(tree()->topLevelItem(0)->child(1), Qt::LeftButton);
    EXPECT_EQ(w->树型框1.currentItem(), 2);
    EXPECT_EQ(w->treeSelections, 2);
}

TEST_F(UnitsTest, TreeRightButtonReportsButKeepsTheCurrentItem)
{
    fillTree();
    clickTreeItem(tree()->topLevelItem(0)->child(0), Qt::LeftButton);
    ASSERT_EQ(w->树型框1.currentItem(), 1);
    clickTreeItem(tree()->topLevelItem(1)->child(0), Qt::RightButton);
    EXPECT_EQ(w->树型框1.currentItem(), 1);
    EXPECT_EQ(w->treeRightDowns, 1);
    EXPECT_EQ(w->treeSelections, 1);
}

TEST_F(UnitsTest, TreeCurrentItemShowsItsSelectedImage)
{
    w->树型框1.setImages({solidPicture(Qt::red, {16, 16}), solidPicture(Qt::blue, {16, 16})});
    addTreeItem(w->树型框1, -1, "有选中图", 0, 1, 1);
    addTreeItem(w->树型框1, -1, "无选中图", 0, -1, 2);
    auto shown = [&](int i) { return tree()->topLevelItem(i)->icon(0).pixmap(16, 16).toImage().pixelColor(8, 8); };
    EXPECT_EQ(shown(0), QColor(Qt::red));
    clickTreeItem(tree()->topLevelItem(0), Qt::LeftButton);
    EXPECT_EQ(shown(0), QColor(Qt::blue));
    clickTreeItem(tree()->topLevelItem(1), Qt::LeftButton);
    EXPECT_EQ(shown(0), QColor(Qt::red));
    EXPECT_EQ(shown(1), QColor(Qt::red));
    w->树型框1.setCurrentItem(-1);
    EXPECT_EQ(shown(1), QColor(Qt::red));
}

// Qt makes the first item current when a view without one gains focus; the
// delegate tree would then run a pick nobody made.
TEST_F(UnitsTest, GainingFocusMakesNoItemOrRowCurrent)
{
    fillTree();
    fillList({"甲", "乙"});
    insertListRow(w->会议组, "组一");
    for (Qt::FocusReason reason : {Qt::TabFocusReason, Qt::ActiveWindowFocusReason, Qt::OtherFocusReason}) {
        for (Unit* unit : std::initializer_list<Unit*>{&w->树型框1, &w->超级列表框1, &w->会议组}) {
            QFocusEvent focusIn(QEvent::FocusIn, reason);
            QApplication::sendEvent(QtObjects::widget(*unit), &focusIn);
        }
    }
    EXPECT_EQ(w->树型框1.currentItem(), -1);
    EXPECT_EQ(w->超级列表框1.currentRow(), -1);
    EXPECT_EQ(w->会议组.currentRow(), -1);
    EXPECT_EQ(w->treeSelections + w->listRowChanges + w->iconRowChanges, 0);
}

// ---- ListView ---------------------------------------------------------------

TEST_F(UnitsTest, ListDeleteMovesLaterRowsUpWithTheirCellsAndNumbers)
{
    fillList({"甲", "乙", "丙", "丁"});
    setListRowImage(w->超级列表框1, 3, 123456);
    setListRowChecked(w->超级列表框1, 2, true);
    deleteListRow(w->超级列表框1, 1);
    ASSERT_EQ(listRowCount(w->超级列表框1), 3);
    const Text first[] = {"甲", "丙", "丁"};
    const Text second[] = {"0", "2", "3"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_TEXT_EQ(first[row], listCellText(w->超级列表框1, row, 0));
        EXPECT_TEXT_EQ(second[row], listCellText(w->超级列表框1, row, 1));
    }
    EXPECT_EQ(listRowValue(w->超级列表框1, 1), 12);
    EXPECT_TRUE(listRowChecked(w->超级列表框1, 1));
    EXPECT_FALSE(listRowChecked(w->超级列表框1, 2));
    EXPECT_EQ(listRowImage(w->超级列表框1, 2), 123456);

    // Deleting while walking from the front empties the list.
    for (int row = 0; row < listRowCount(w->超级列表框1);)
        deleteListRow(w->超级列表框1, row);
    EXPECT_EQ(listRowCount(w->超级列表框1), 0);
}

TEST_F(UnitsTest, ListRowImageHoldsAnyIntegerWhateverTheImageList)
{
    w->会议组.setImages({solidPicture(Qt::red, {32, 32})});
    for (ListView* list : {&w->超级列表框1, &w->会议组}) {
        int row = insertListRow(*list, "代表");
        EXPECT_EQ(listRowImage(*list, row), 0);
        for (int image : {123456, -7, 0, 2147483647, 2}) {
            setListRowImage(*list, row, image);
            EXPECT_EQ(listRowImage(*list, row), image);
        }
    }
}

TEST_F(UnitsTest, ListOutOfRangeRowsAndColumnsAreHarmless)
{
    fillList({"甲"});
    setListRowChecked(w->会议组, 0, true);   // a list with no rows
    const struct {
        int row, column;
    } cells[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 3}, {0, 99}, {5, 5}};
    for (const auto& c : cells) {
        setListCellText(w->超级列表框1, c.row, c.column, "错");
        EXPECT_TEXT_EQ("", listCellText(w->超级列表框1, c.row, c.column));
    }
    for (int row : {-1, 1, 5}) {
        setListRowValue(w->超级列表框1, row, 99);
        setListRowImage(w->超级列表框1, row, 99);
        setListRowChecked(w->超级列表框1, row, true);
        deleteListRow(w->超级列表框1, row);
        EXPECT_EQ(listRowValue(w->超级列表框1, row), 0);
        EXPECT_EQ(listRowImage(w->超级列表框1, row), 0);
        EXPECT_FALSE(listRowChecked(w->超级列表框1, row));
    }
    ASSERT_EQ(listRowCount(w->超级列表框1), 1);
    EXPECT_TEXT_EQ("甲", listCellText(w->超级列表框1, 0, 0));
    EXPECT_TEXT_EQ("0", listCellText(w->超级列表框1, 0, 1));
    EXPECT_EQ(listRowValue(w->超级列表框1, 0), 10);
    EXPECT_EQ(listRowImage(w->超级列表框1, 0), 0);
    EXPECT_FALSE(listRowChecked(w->超级列表框1, 0));
    // "the value of the current row" with none current is 0.
    EXPECT_EQ(listRowValue(w->超级列表框1, w->超级列表框1.currentRow()), 0);
}

TEST_F(UnitsTest, ListTicksShowAsTickBoxesOnlyWhereTheListHasThem)
{
    int row = insertListRow(w->超级列表框1, "甲");
    int icon = insertListRow(w->会议组, "组");
    setListRowChecked(w->超级列表框1, row, true);
    setListRowChecked(w->会议组, icon, true);
    EXPECT_TRUE(listRowChecked(w->超级列表框1, row));
    EXPECT_TRUE(listRowChecked(w->会议组, icon));
    auto* report = static_cast<QAbstractItemView*>(QtObjects::widget(w->超级列表框1));
    auto* icons = static_cast<QAbstractItemView*>(QtObjects::widget(w->会议组));
    EXPECT_EQ(report->model()->index(row, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_FALSE(icons->model()->index(icon, 0).data(Qt::CheckStateRole).isValid());
}

TEST_F(UnitsTest, ListProgramChangesRaiseNoCurrentRowEvent)
{
    fillList({"甲", "乙", "丙"});
    EXPECT_EQ(w->超级列表框1.currentRow(), -1);
    w->超级列表框1.setCurrentRow(2);
    EXPECT_EQ(w->超级列表框1.currentRow(), 2);
    deleteListRow(w->超级列表框1, 0);   // an earlier row: the same row stays current
    EXPECT_EQ(w->超级列表框1.currentRow(), 1);
    EXPECT_TEXT_EQ("丙", listCellText(w->超级列表框1, w->超级列表框1.currentRow(), 0));
    deleteListRow(w->超级列表框1, 1);   // the current row: none is current afterwards
    EXPECT_EQ(w->超级列表框1.currentRow(), -1);
    w->超级列表框1.setCurrentRow(0);
    w->超级列表框1.setCurrentRow(-1);
    EXPECT_EQ(w->超级列表框1.currentRow(), -1);
    w->超级列表框1.setCurrentRow(0);
    clearListRows(w->超级列表框1);
    EXPECT_EQ(w->超级列表框1.currentRow(), -1);
    fillList({"丁"});
    EXPECT_EQ(w->超级列表框1.currentRow(), -1);
    EXPECT_EQ(w->listRowChanges, 0);
    EXPECT_EQ(w->超级列表框1.columnCount(), 3);
}

TEST_F(UnitsTest, ListClickRaisesTheEventAndRightButtonOnlyReports)
{
    fillList({"甲", "乙", "丙"});
    clickListRow(w->超级列表框1, 1, Qt::LeftButton);
    EXPECT_EQ(w->超级列表框1.currentRow(), 1);
    EXPECT_EQ(listRowValue(w->超级列表框1, w->超级列表框1.currentRow()), 11);
    EXPECT_EQ(w->listRowChanges, 1);

    clickListRow(w->超级列表框1, 2, Qt::RightButton);
    EXPECT_EQ(w->超级列表框1.currentRow(), 1);
    EXPECT_EQ(w->listRightUps, 1);
    EXPECT_EQ(w->listRowChanges, 1);

    insertListRow(w->会议组, "组一");
    insertListRow(w->会议组, "组二");
    clickListRow(w->会议组, 1, Qt::LeftButton);
    EXPECT_EQ(w->会议组.currentRow(), 1);
    EXPECT_EQ(w->iconRowChanges, 1);
}

// ---- ToolBar ----------------------------------------------------------------

struct BarWindow : Window {
    BarWindow() : Window("BarWindow", {0, 0, 900, 120}, "")
    {
        工具条1.buttonClicked = [this](int number) { clicks.push_back(number); };
    }
    ToolBar 工具条1{*this, "工具条1", {0, 0, 900, 64}};
    std::vector<int> clicks;
};

TEST(ToolBarUnit, SeparatorsTakeNumbersAndClicksReportTheButtonNumber)
{
    BarWindow* w = loadWindow<BarWindow>(nullptr, false);
    const std::vector<int> separators = {1, 6, 8, 12, 17};
    const Bytes picture = solidPicture(Qt::darkGreen, {24, 24});
    for (int n = 0; n < 18; ++n) {
        bool separator = std::find(separators.begin(), separators.end(), n) != separators.end();
        int number = separator ? w->工具条1.addSeparator()
                               : w->工具条1.addButton(picture, "按钮" + toText(n), n == 0 ? "代表录入" : "");
        EXPECT_EQ(number, n);
    }
    w->工具条1.setButtonVisible(16, false);
    ASSERT_EQ(w->工具条1.itemCount(), 18);
    EXPECT_TRUE(w->工具条1.isSeparator(6));
    EXPECT_FALSE(w->工具条1.isSeparator(7));
    EXPECT_TEXT_EQ("按钮7", w->工具条1.buttonCaption(7));
    EXPECT_TEXT_EQ("", w->工具条1.buttonCaption(18));
    EXPECT_FALSE(w->工具条1.buttonVisible(16));

    auto* bar = static_cast<QToolBar*>(QtObjects::widget(w->工具条1));
    auto button = [&](int n) { return qobject_cast<QToolButton*>(bar->widgetForAction(bar->actions()[n])); };
    QApplication::processEvents();
    for (int n : {0, 7, 15})
        QTest::mouseClick(button(n), Qt::LeftButton);
    EXPECT_EQ(w->clicks, (std::vector<int>{0, 7, 15}));
    EXPECT_FALSE(button(16)->isVisible());
    EXPECT_EQ(button(0)->toolTip(), QString::fromStdString(gbkToUtf8("代表录入")));
    EXPECT_TRUE(button(2)->toolTip().isEmpty());

    w->工具条1.setDisabled(true);
    QTest::mouseClick(button(2), Qt::LeftButton);
    EXPECT_EQ(w->clicks.size(), 3u);
    closeWindow(*w);
}

TEST(ToolBarUnit, TheBarFollowsTheWindowAndItsOverflowMenuReachesEveryButton)
{
    BarWindow* w = loadWindow<BarWindow>(nullptr, false);
    w->setWidth(220);
    const Bytes picture = solidPicture(Qt::darkGreen, {24, 24});
    std::vector<int> buttons;
    for (int n = 0; n < 16; ++n) {
        if (n % 4 == 3) {
            w->工具条1.addSeparator();
        } else {
            w->工具条1.addButton(picture, "按钮" + toText(n));
            buttons.push_back(n);
        }
    }
    processEvents();
    auto* bar = static_cast<QToolBar*>(QtObjects::widget(w->工具条1));
    auto shown = [&](int n) { return bar->widgetForAction(bar->actions()[n])->isVisible(); };
    EXPECT_EQ(bar->width(), windowClientWidth(*w));
    EXPECT_FALSE(shown(buttons.back()));
    for (int n : buttons)
        pressToolButton(w->工具条1, n);
    EXPECT_EQ(w->clicks, buttons);

    w->setWidth(900);
    processEvents();
    EXPECT_EQ(bar->width(), windowClientWidth(*w));
    for (int n : buttons)
        EXPECT_TRUE(shown(n)) << n;
    closeWindow(*w);
}

// ---- TransparentLabel -------------------------------------------------------

struct BadgeWindow : Window {
    BadgeWindow() : Window("BadgeWindow", {0, 0, 420, 260}, "")
    {
        图片框1.setPicture(solidPicture(Qt::red, {400, 240}));
        出席证标签.setLabelFont({"文泉驿正黑", 20});
        出席证标签.mouseUp = [this](int button) { labelUps.push_back(button); };
        图片框1.mouseDown = [this](int) { ++pictureEvents; };
        图片框1.mouseUp = [this](int) { ++pictureEvents; };
    }
    PictureBox 图片框1{*this, "图片框1", {0, 0, 400, 240}};
    TransparentLabel 出席证标签{图片框1, "出席证标签", {20, 20, 32, 200}, "出席证"};
    TransparentLabel 横幅{图片框1, "横幅", {80, 20, 300, 60}, "出席证"};
    std::vector<int> labelUps;
    int pictureEvents = 0;
};

class TransparentLabelTest : public testing::Test {
protected:
    void SetUp() override { w = loadWindow<BadgeWindow>(nullptr, false); }
    void TearDown() override
    {
        closeWindow(*w);
        processEvents();
    }
    // The pixels of the label's area as the picture box shows them.
    QImage shown(const TransparentLabel& label) const
    {
        QApplication::processEvents();
        return QtObjects::widget(w->图片框1)->grab(QtObjects::widget(label)->geometry()).toImage();
    }
    static int pixelsUnlike(const QImage& image, QColor colour)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) != colour;
        return count;
    }
    BadgeWindow* w = nullptr;
};

TEST_F(TransparentLabelTest, NarrowLabelShowsItsCharactersOneUnderAnother)
{
    w->横幅.setLabelFont(w->出席证标签.labelFont());
    const int lineHeight = QtObjects::widget(w->横幅)->sizeHint().height();
    ASSERT_GT(lineHeight, 0);
    EXPECT_EQ(QtObjects::widget(w->出席证标签)->sizeHint().height(), 3 * lineHeight);
    // A Latin word too long for the strip breaks too, rather than running off.
    w->出席证标签.setCaption("ABCDEFGH");
    EXPECT_GT(QtObjects::widget(w->出席证标签)->sizeHint().height(), lineHeight);
}

TEST_F(TransparentLabelTest, PictureShowsAroundTheTextAndEffectsArePainted)
{
    w->横幅.setTextColour(rgbColour(0, 0, 255));
    QImage plain = shown(w->横幅);
    EXPECT_EQ(plain.pixelColor(plain.width() - 2, plain.height() - 2), QColor(Qt::red));
    const int textPixels = pixelsUnlike(plain, Qt::red);
    EXPECT_GT(textPixels, 0);
    for (int effect : {TransparentLabel::Sunken, TransparentLabel::Raised, TransparentLabel::Shadowed}) {
        w->横幅.setEffect(effect);
        EXPECT_GT(pixelsUnlike(shown(w->横幅), Qt::red), textPixels) << "effect " << effect;
    }
    w->横幅.setEffect(TransparentLabel::Plain);
    EXPECT_EQ(shown(w->横幅), plain);
}

// Through the window system, as a person's click arrives: the label gets the
// release, and the picture below it sees neither press nor release.
TEST_F(TransparentLabelTest, ClickOnTheLabelReachesItNotThePicture)
{
    QWidget* label = QtObjects::widget(w->出席证标签);
    QWidget* top = label->window();
    QPoint at = label->mapTo(top, QPoint(10, 10));
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, at);
    QTest::mouseClick(top->windowHandle(), Qt::RightButton, {}, at);
    QApplication::processEvents();
    EXPECT_EQ(w->labelUps, (std::vector<int>{LeftButton, RightButton}));
    EXPECT_EQ(w->pictureEvents, 0);
}

// ---- PictureTextButton and ColourPicker -------------------------------------

struct ButtonsWindow : Window {
    ButtonsWindow() : Window("ButtonsWindow", {0, 0, 300, 120}, "")
    {
        确定手动分配.clicked = [this] { ++clicks; };
    }
    PictureTextButton 确定手动分配{*this, "确定手动分配", {10, 10, 100, 32}, "确认",
                                   solidPicture(Qt::green, {16, 16})};
    ColourPicker 表格线颜色{*this, "表格线颜色", {150, 10, 40, 24}};
    int clicks = 0;
};

TEST(PictureTextButtonUnit, CaptionIsRewrittenAndOnlyAnEnabledButtonClicks)
{
    ButtonsWindow* w = loadWindow<ButtonsWindow>(nullptr, false);
    w->确定手动分配.setCaption("增加");
    EXPECT_TEXT_EQ("增加", w->确定手动分配.caption());
    QTest::mouseClick(QtObjects::widget(w->确定手动分配), Qt::LeftButton);
    EXPECT_EQ(w->clicks, 1);
    w->确定手动分配.setDisabled(true);
    QTest::mouseClick(QtObjects::widget(w->确定手动分配), Qt::LeftButton);
    EXPECT_EQ(w->clicks, 1);
    const Bytes picture = solidPicture(Qt::blue, {8, 8}) + "kept as given";
    w->确定手动分配.setPicture(picture);
    EXPECT_EQ(w->确定手动分配.picture(), picture);
    closeWindow(*w);
}

TEST(ColourPickerUnit, StartsBlackAndTakesTheDialogsColourOnlyOnOk)
{
    ButtonsWindow* w = loadWindow<ButtonsWindow>(nullptr, false);
    EXPECT_EQ(w->表格线颜色.colour(), 0);
    ScriptedInteraction person;
    person.answerColour(true, rgbColour(10, 20, 30)).answerColour(false, rgbColour(1, 2, 3));
    QTest::mouseClick(QtObjects::widget(w->表格线颜色), Qt::LeftButton);
    EXPECT_EQ(w->表格线颜色.colour(), rgbColour(10, 20, 30));
    QTest::mouseClick(QtObjects::widget(w->表格线颜色), Qt::LeftButton);
    EXPECT_EQ(w->表格线颜色.colour(), rgbColour(10, 20, 30));
    // The dialog opens at the swatch's colour each time.
    ASSERT_EQ(person.calls().size(), 2u);
    EXPECT_EQ(person.calls()[0].boxKind, 0);
    EXPECT_EQ(person.calls()[1].boxKind, rgbColour(10, 20, 30));
    w->表格线颜色.setColour(0xFFFFFF);
    EXPECT_EQ(w->表格线颜色.colour(), 0xFFFFFF);
    EXPECT_EQ(person.calls().size(), 2u);
    closeWindow(*w);
}

} // namespace
