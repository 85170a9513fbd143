// The badge page: the delegates' badges in 代表编号 order (staying on the
// ends), the active element's boxes, font and effect, what the badge shows,
// its background and size, printing through the picture file, and the
// stored layout.
#include "tests/reports/report_fixture.h"
#include "common/internal/qt_objects.h"
#include "tests/support/scoped_env.h"
#include "tests/support/shown_pictures.h"
#include "tests/support/test_pictures.h"

#include <QDir>
#include <QFontDatabase>
#include <QImage>
#include <QRawFont>
#include <QTemporaryDir>
#include <QToolButton>

namespace {

class BadgePageTest : public ReportTest {
protected:
    BadgePageTest()
    {
        addDelegate(1, "003", "丙");
        addDelegate(1, "001", "甲");
        addDelegate(1, "002", "乙");
        addDelegate(2, "000", "别会");
        updateDelegate("001", "照片='1会20240401080000.PIC'");
        updateDelegate("002", "照片='1会20240401090000.PIC'");
        writeData("1会20240401080000.PIC", "PHOTO-A");
        writeData("1会20240401090000.PIC", "PHOTO-B");
    }
    void writeData(const Text& name, const Bytes& bytes)
    {
        QFile f(directory.file(QStringLiteral("data/") + QString::fromStdString(gbkToUtf8(name))));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    ReportWindow* openBadges()
    {
        ReportWindow* w = open("代表证");
        EXPECT_NE(w, nullptr);
        return w;
    }
    static void leftRelease(Unit& unit) { clickMouse(unit); }
    static Text shown(ReportWindow* w)
    {
        return w->姓名标签.caption() + "|" + w->单位标签.caption() + "|"
               + (w->照片框.visible() ? w->照片框.picture() : Bytes("(hidden)"));
    }
    static std::vector<int> place(const Unit& u) { return {u.left(), u.top(), u.width(), u.height()}; }
    static Text boxes(ReportWindow* w)
    {
        return w->横.content() + "," + w->纵.content() + "," + w->高.content() + "," + w->宽.content();
    }
    // The badge as printing takes it.
    static QImage snapshot(ReportWindow* w)
    {
        return decodedPicture(windowSnapshot(unitWindowHandle(w->图片框1)));
    }
    // The badge as the print button writes it.
    QImage printed(ReportWindow* w)
    {
        person.answerProgram(true);
        click(w->打印);
        return decodedPicture(fileBytes("temp.bmp"));
    }
    TextList programCalls()
    {
        TextList texts;
        for (const auto& c : person.calls())
            if (c.kind == ScriptedInteraction::Call::Program)
                texts.push_back(c.text + "|" + toText(c.boxKind));
        return texts;
    }
};

// A print spooler client of the test's own, first on the PATH: it writes
// its arguments, one a line, and a copy of the file it was given; one that
// refuses says why, as the spooler does, and fails.
class StandInSpooler {
public:
    explicit StandInSpooler(bool refuse)
    {
        QFile script(dir_.filePath(QStringLiteral("lp")));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(refuse ? "#!/bin/sh\necho 'lp: No default destination.' >&2\nexit 1\n"
                            : "#!/bin/sh\nhere=$(dirname \"$0\")\nprintf '%s\\n' \"$@\" > \"$here/arguments\"\n"
                              "for last; do :; done\ncp \"$last\" \"$here/file\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }
    QStringList arguments() const
    {
        QFile f(dir_.filePath(QStringLiteral("arguments")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                           : QStringList();
    }
    Bytes file() const
    {
        QFile f(dir_.filePath(QStringLiteral("file")));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : Bytes();
    }

private:
    QTemporaryDir dir_;
    ScopedEnv path_{"PATH", dir_.path().toStdString() + ":" + std::getenv("PATH")};
};

TEST_F(BadgePageTest, OpeningShowsTheFirstDelegateAndStoresTheDesignedLayout)
{
    exec("update 会议证件 set 会议名称宽=1, 姓名=false, 照片横=7 where id=1");
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(1, w->报表选择夹.currentPage());
    EXPECT_TEXT_EQ("春季会", w->会议名称标签.caption());
    EXPECT_TEXT_EQ("甲|单位001|PHOTO-A", shown(w));
    EXPECT_TEXT_EQ("出席证", w->出席证标签.caption());
    EXPECT_EQ(TransparentLabel::Shadowed, w->会议名称标签.effect());
    EXPECT_EQ(rgbColour(255, 255, 255), w->会议名称标签.textColour());
    EXPECT_EQ(1, w->会议名称标签.labelFont().bold);
    EXPECT_LINES_EQ(
        (TextList{"332|48|76|5|16777215|true", "104|40|136|112|0|true", "208|24|80|192|0|true",
                  "32|104|20|127|0|true", "128|151|288|87|true"}),
        (TextList{rows("select * from 会议证件 where id=1",
                       {"会议名称宽", "会议名称高", "会议名称横", "会议名称纵", "会议名称颜色", "会议名称"})[0],
                  rows("select * from 会议证件", {"姓名宽", "姓名高", "姓名横", "姓名纵", "姓名颜色", "姓名"})[0],
                  rows("select * from 会议证件", {"单位宽", "单位高", "单位横", "单位纵", "单位颜色", "单位"})[0],
                  rows("select * from 会议证件", {"出席证宽", "出席证高", "出席证横", "出席证纵", "出席证颜色", "出席证"})[0],
                  rows("select * from 会议证件", {"照片宽", "照片高", "照片横", "照片纵", "照片"})[0]}));
}

TEST_F(BadgePageTest, TheRecordButtonsStepThroughTheDelegatesAndStayOnTheEnds)
{
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    struct Step {
        ImageButton ReportWindow::*button;
        const char* badge;
    };
    const Step steps[] = {
        {&ReportWindow::图形按钮4, "甲|单位001|PHOTO-A"},   // previous on the first
        {&ReportWindow::图形按钮3, "乙|单位002|PHOTO-B"},
        {&ReportWindow::图形按钮3, "丙|单位003|(hidden)"},    // no photo
        {&ReportWindow::图形按钮3, "丙|单位003|(hidden)"},    // next on the last
        {&ReportWindow::图形按钮1, "甲|单位001|PHOTO-A"},
        {&ReportWindow::图形按钮2, "丙|单位003|(hidden)"},
        {&ReportWindow::图形按钮4, "乙|单位002|PHOTO-B"},
    };
    for (const Step& s : steps) {
        click(w->*s.button);
        EXPECT_TEXT_EQ(s.badge, shown(w));
        EXPECT_TRUE(w->图片框1.visible());
    }
    // With 照片 unticked the frame keeps its state and picture.
    click(w->照片);
    EXPECT_FALSE(w->照片框.visible());
    click(w->图形按钮4);
    EXPECT_TEXT_EQ("甲|单位001|(hidden)", shown(w));
    click(w->照片);
    EXPECT_TEXT_EQ("PHOTO-B", w->照片框.picture());
}

TEST_F(BadgePageTest, APhotoNameLeadingOutOfTheDataDirectoryIsNotRead)
{
    writeFile(programDirectory() + "\\outside.PIC", "NOT-OURS");
    updateDelegate("001", "照片='..\\outside.PIC'");
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    EXPECT_TEXT_EQ("甲|单位001|(hidden)", shown(w));
    click(w->图形按钮3);
    EXPECT_TEXT_EQ("乙|单位002|PHOTO-B", shown(w));
}

TEST_F(BadgePageTest, WithoutDelegatesTheRecordButtonsDoNothing)
{
    for (const char* kind : {"客房一览表", "代表证"}) {
        SCOPED_TRACE(gbkToUtf8(kind));
        if (Text(kind) == "代表证")
            exec("delete from 代表信息 where 会议编号=1");
        else
            person.answerMessage(AnswerOk);   // the room list has no room
        ReportWindow* w = open(kind);
        ASSERT_NE(w, nullptr);
        clickTab(w->报表选择夹, 1);   // the room list's person turns to the badge page
        for (ImageButton* b : {&w->图形按钮1, &w->图形按钮2, &w->图形按钮3, &w->图形按钮4})
            click(*b);
        EXPECT_TEXT_EQ("|", w->姓名标签.caption() + "|" + w->单位标签.caption());
        EXPECT_TEXT_EQ("", w->会议名称标签.caption());
        closeWindow(*w);
    }
    EXPECT_EQ(TextList{"1"}, rows("select count(*) as n from 会议证件 where 会议名称宽=0", {"n"}));
}

TEST_F(BadgePageTest, SelectingFillsTheBoxesAndOnlyTheActiveElementMoves)
{
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    w->横.setContent("5");   // nothing selected since the program started
    EXPECT_EQ((std::vector<int>{136, 112, 104, 40}), place(w->姓名标签));
    EXPECT_EQ((std::vector<int>{80, 192, 208, 24}), place(w->单位标签));

    leftRelease(w->姓名标签);
    EXPECT_TEXT_EQ("姓名", activeBadgeElement);
    EXPECT_TEXT_EQ("136,112,40,104", boxes(w));
    leftRelease(w->单位标签);
    EXPECT_TEXT_EQ("80,192,24,208", boxes(w));
    EXPECT_EQ((std::vector<int>{136, 112, 104, 40}), place(w->姓名标签));   // not moved by the refill
    w->横.setContent("90");
    w->纵.setContent("180.7");
    w->宽.setContent("150");
    w->高.setContent("x");
    EXPECT_EQ((std::vector<int>{90, 180, 150, 0}), place(w->单位标签));
    leftRelease(w->照片框);
    EXPECT_TEXT_EQ("照片框", activeBadgeElement);
    w->横.setContent("300");
    EXPECT_EQ(300, w->照片框.left());

    // A later window shows the element still active in its boxes.
    ReportWindow* next = openBadges();
    ASSERT_NE(next, nullptr);
    EXPECT_TEXT_EQ("288,87,151,128", boxes(next));
}

TEST_F(BadgePageTest, TheFontAndTheEffectChangeTheActiveTextElementOnly)
{
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    leftRelease(w->姓名标签);
    w->宽.setContent("120");
    person.answerFont(true, {{"黑体", 20, true, true}, rgbColour(0, 0, 255)});
    click(w->字体按钮);
    EXPECT_TEXT_EQ("楷体_GB2312", person.lastFontRequest().font.face);
    const LabelFont font = w->姓名标签.labelFont();
    EXPECT_TEXT_EQ("黑体", font.face);
    EXPECT_EQ((std::vector<int>{20, 0, 0, 0, 0, 0}),
              (std::vector<int>{font.points, font.bold, font.italic, font.underline, font.strikeOut, font.angle}));
    EXPECT_EQ(rgbColour(0, 0, 255), w->姓名标签.textColour());
    EXPECT_EQ(120, w->姓名标签.width());
    EXPECT_TRUE(w->姓名标签.visible());

    chooseComboItem(w->标签式样, 1);
    EXPECT_EQ(TransparentLabel::Sunken, w->姓名标签.effect());
    leftRelease(w->会议名称标签);
    EXPECT_EQ(3, w->标签式样.currentIndex());
    EXPECT_EQ(rgbColour(255, 255, 255), w->字体对话框.fontColour);

    // Hidden through its box, an element stays hidden when restyled.
    click(w->会议名称);
    chooseComboItem(w->标签式样, 2);
    person.answerFont(true, {{"宋体", 12}, 0});
    click(w->字体按钮);
    EXPECT_EQ(TransparentLabel::Raised, w->会议名称标签.effect());
    EXPECT_TEXT_EQ("宋体", w->会议名称标签.labelFont().face);
    EXPECT_FALSE(w->会议名称标签.visible());

    // The photo frame and a cancelled dialog change nothing.
    leftRelease(w->照片框);
    person.answerFont(true, {{"黑体", 30}, 0}).answerFont(false);
    click(w->字体按钮);
    leftRelease(w->单位标签);
    click(w->字体按钮);
    EXPECT_TEXT_EQ("楷体_GB2312", w->单位标签.labelFont().face);
    EXPECT_EQ((std::vector<int>{80, 192, 208, 24}), place(w->单位标签));
}

TEST_F(BadgePageTest, TheBoxesShowAndHideElementsAndTheStaffLabelSwitchesTheKind)
{
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    for (auto [box, element] : {std::pair<CheckBox*, Unit*>{&w->会议名称, &w->会议名称标签},
                                {&w->姓名, &w->姓名标签}, {&w->单位, &w->单位标签}, {&w->照片, &w->照片框}}) {
        click(*box);
        EXPECT_FALSE(element->visible()) << gbkToUtf8(element->name());
        click(*box);
        EXPECT_TRUE(element->visible()) << gbkToUtf8(element->name());
    }
    click(w->出席证);
    EXPECT_FALSE(w->出席证标签.visible());
    leftRelease(w->标签6);
    EXPECT_TRUE(w->出席证标签.visible());
    EXPECT_TEXT_EQ("工作证", w->出席证标签.caption());
    EXPECT_FALSE(w->出席证.checked());
    click(w->出席证);
    EXPECT_TEXT_EQ("出席证", w->出席证标签.caption());
    EXPECT_TRUE(w->出席证标签.visible());
}

TEST_F(BadgePageTest, OnlyAPictureReplacesTheBackground)
{
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    const Bytes blue = solidPicture(Qt::blue, {417, 238});
    writeData("底图.png", blue);
    writeData("底图.txt", "BACKGROUND");
    person.answerFile(true, programFile("data\\底图.png"));
    click(w->换底图);
    EXPECT_TRUE(w->图片框1.picture() == blue);
    person.answerFile(true, programFile("data\\底图.txt")).answerMessage(AnswerOk);
    person.answerFile(true, programFile("data\\没有.png")).answerMessage(AnswerOk).answerFile(false);
    click(w->换底图);
    click(w->换底图);
    click(w->换底图);
    EXPECT_TRUE(w->图片框1.picture() == blue);
    EXPECT_EQ(qRgb(0, 0, 255), snapshot(w).pixel(10, 60) | 0xFF000000);
    EXPECT_LINES_EQ((TextList{"文件" + shownFile("data/底图.txt") + "不是图片，底图未更换！|错误",
                              "无法读取底图" + shownFile("data/没有.png") + "！|错误"}),
                    messageTexts());
    click(w->清底图);
    EXPECT_TEXT_EQ("", w->图片框1.picture());
}

TEST_F(BadgePageTest, TheBadgeSizeStaysInsideTheCanvasAndPrintsWhole)
{
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    const int tallest = w->画板1.height() - w->图片框1.top(), widest = w->画板1.width() - w->图片框1.left();
    const struct {
        Button ReportWindow::*button;
        const char* answer;   // nullptr: cancelled
        int size;
        Text message;
    } steps[] = {
        {&ReportWindow::模板高, "200", 200, ""},
        {&ReportWindow::模板高, nullptr, 200, ""},
        {&ReportWindow::模板高, "0", 200, "模板高必须大于0，模板未改变！|模板高"},
        {&ReportWindow::模板高, "300", tallest,
         "模板高超出画板，最大为" + toText(tallest) + "，已设为" + toText(tallest) + "！|模板高"},
        {&ReportWindow::模板宽, "100000", widest,
         "模板宽超出画板，最大为" + toText(widest) + "，已设为" + toText(widest) + "！|模板宽"},
        {&ReportWindow::模板宽, "-5", widest, "模板宽必须大于0，模板未改变！|模板宽"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.answer ? step.answer : "cancelled");
        const size_t shown = person.messages().size();
        person.answerInput(step.answer != nullptr, step.answer ? step.answer : "");
        if (!step.message.empty())
            person.answerMessage(AnswerOk);
        click(w->*step.button);
        const Unit& badge = w->图片框1;
        EXPECT_EQ(step.size, step.button == &ReportWindow::模板高 ? badge.height() : badge.width());
        EXPECT_LE(badge.top() + badge.height(), w->画板1.height());
        EXPECT_LE(badge.left() + badge.width(), w->画板1.width());
        const TextList messages = messageTexts();
        EXPECT_LINES_EQ(step.message.empty() ? TextList{} : TextList{step.message},
                        TextList(messages.begin() + static_cast<long>(shown), messages.end()));
    }
    const auto& calls = person.calls();
    const auto last = std::find_if(calls.rbegin(), calls.rend(),
                                   [](const auto& c) { return c.kind == ScriptedInteraction::Call::Input; });
    ASSERT_NE(last, calls.rend());
    EXPECT_TEXT_EQ("请输入模板的宽度|模板宽", last->text + "|" + last->caption);

    const size_t before = person.messages().size();
    person.answerProgram(true);
    click(w->打印);
    EXPECT_EQ(QSize(widest, tallest), snapshot(w).size());
    EXPECT_EQ(before, person.messages().size());
    EXPECT_EQ(1u, programCalls().size());
}

TEST_F(BadgePageTest, TheDesignPicturesShow)
{
    exec("delete from 代表信息 where 会议编号=1");   // nothing replaces the photo frame's picture
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(fileBytes("pictures/badge_background.jpg"), w->图片框1.picture());
    // Between the meeting's name and the delegate's: the background itself.
    EXPECT_TRUE(showsPicture(QtObjects::widget(w->图片框1), QRect(60, 60, 70, 45)));
    EXPECT_EQ(fileBytes("pictures/badge_photo.png"), w->照片框.picture());
    EXPECT_TRUE(showsPicture(QtObjects::widget(w->照片框), QtObjects::widget(w->照片框)->rect()));
    const std::pair<ImageButton*, const char*> buttons[] = {{&w->图形按钮1, "record_first.png"},
                                                            {&w->图形按钮4, "record_previous.png"},
                                                            {&w->图形按钮3, "record_next.png"},
                                                            {&w->图形按钮2, "record_last.png"}};
    for (const auto& [button, name] : buttons) {
        const QImage picture(directory.file(QStringLiteral("pictures/") + name));
        ASSERT_FALSE(picture.isNull()) << name;
        const QIcon icon = static_cast<QToolButton*>(QtObjects::widget(*button))->icon();
        EXPECT_EQ(icon.pixmap(picture.size()).toImage().convertToFormat(QImage::Format_ARGB32),
                  picture.convertToFormat(QImage::Format_ARGB32))
            << name;
        EXPECT_GE(button->width(), picture.width()) << name;
        EXPECT_GE(button->height(), picture.height()) << name;
    }
}

// The photo frame (288, 87, 128 x 151) shows a 413 x 579 photo at 107 x 151
// from x 298; a background of any size covers the badge. Checked on the
// printed picture, which is the badge as shown.
TEST_F(BadgePageTest, ThePhotoShowsWholeAndTheBackgroundFillsTheBadge)
{
    const Bytes photo = bandedPicture({413, 579}, {Qt::red, Qt::green, Qt::green, Qt::blue});
    writeData("1会20240401080000.PIC", photo);
    writeData("底图.png", bandedPicture({100, 50}, {Qt::cyan, Qt::magenta}, true));
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(photo, w->照片框.picture());
    person.answerFile(true, programFile("data\\底图.png"));
    click(w->换底图);
    const QImage print = printed(w);
    ASSERT_FALSE(print.isNull());
    const std::pair<QPoint, QColor> expected[] = {
        {{352, 90}, Qt::red},    {{352, 234}, Qt::blue},  {{301, 162}, Qt::green}, {{402, 162}, Qt::green},
        {{293, 162}, Qt::magenta}, {{2, 70}, Qt::cyan},   {{413, 70}, Qt::magenta}, {{2, 235}, Qt::cyan}};
    for (const auto& [at, colour] : expected)
        EXPECT_EQ(print.pixelColor(at), QColor(colour)) << at.x() << "," << at.y();
}

// The design gives each text's line height; a name of four characters and
// the three characters of the badge kind fit their labels whole.
TEST_F(BadgePageTest, TheTextsFitTheirLabels)
{
    currentMeetingName = "全国科技工作会议";
    updateDelegate("001", "姓名='欧阳明华', 单位='北京市科学技术协会'");
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    EXPECT_TEXT_EQ("欧阳明华", w->姓名标签.caption());
    for (TransparentLabel* label : {&w->会议名称标签, &w->姓名标签, &w->单位标签, &w->出席证标签}) {
        SCOPED_TRACE(gbkToUtf8(label->name()));
        const int needed = QtObjects::widget(*label)->heightForWidth(label->width());
        EXPECT_GT(needed, 0);
        EXPECT_LE(needed, label->height());
    }
    leftRelease(w->标签6);   // 工作证: as many characters
    EXPECT_TEXT_EQ("工作证", w->出席证标签.caption());
    EXPECT_LE(QtObjects::widget(w->出席证标签)->heightForWidth(32), 104);
    // A meeting name too long for the design size is drawn smaller, whole.
    w->会议名称标签.setCaption("全国科技创新与产业发展高峰论坛第二十三届年会");
    EXPECT_LT(w->会议名称标签.shownPoints(), w->会议名称标签.labelFont().points);
    EXPECT_LE(w->会议名称标签.shownHeight(), w->会议名称标签.height());
}

// The design's faces are not installed: the bold meeting name and delegate
// name draw their characters in a face made in bold, the organisation in
// its regular.
TEST_F(BadgePageTest, TheBoldTextsDrawInAFacesOwnBold)
{
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    const std::pair<TransparentLabel*, const char*> labels[] = {
        {&w->会议名称标签, "Bold"}, {&w->姓名标签, "Bold"}, {&w->单位标签, "Regular"}};
    for (const auto& [label, style] : labels) {
        const QRawFont drawn = QRawFont::fromFont(QtObjects::widget(*label)->font(), QFontDatabase::SimplifiedChinese);
        EXPECT_EQ("Noto Serif CJK SC", drawn.familyName().toStdString()) << gbkToUtf8(label->name());
        EXPECT_EQ(style, drawn.styleName().toStdString()) << gbkToUtf8(label->name());
    }
}

TEST_F(BadgePageTest, PrintingWritesTheBadgeAsShownAndHandsItsPathToPaint)
{
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    click(w->清底图);
    click(w->单位);
    person.answerProgram(true);
    click(w->打印);
    const Text path = programFile("temp.bmp");
    EXPECT_LINES_EQ(TextList{"mspaint  \"" + path + "\"  /p|1"}, programCalls());
    const Bytes written = fileBytes("temp.bmp");
    EXPECT_EQ(windowSnapshot(unitWindowHandle(w->图片框1)), written);
    const QImage image = decodedPicture(written);
    EXPECT_EQ(QSize(416, 238), image.size());
    EXPECT_EQ(qRgb(255, 255, 255), image.pixel(10, 60) | 0xFF000000);   // white under no element
    EXPECT_TRUE(person.messages().empty());
}

// Pixels of `a` unlike those of `b` (or, without `b`, unlike white): how
// many, and the rectangle that holds them.
struct Ink {
    int pixels = 0;
    QRect box;
};

Ink inkOf(const QImage& a, const QImage& b = {})
{
    Ink ink;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != (b.isNull() ? qRgb(255, 255, 255) : b.pixel(x, y))) {
                ++ink.pixels;
                ink.box |= QRect(x, y, 1, 1);
            }
    return ink;
}

// What `label`'s text draws on white where no label edge confines it.
Ink unconfinedInk(const TransparentLabel& label)
{
    Window window{"unconfined", {0, 0, 1200, 400}, ""};
    PictureBox white{window, "white", {0, 0, 1200, 400}};
    white.setBackgroundColour(rgbColour(255, 255, 255));
    TransparentLabel copy{white, "copy", {20, 20, 1160, 360}, label.caption()};
    copy.setLabelFont(label.labelFont());
    copy.setTextColour(label.textColour());
    copy.setEffect(label.effect());
    return inkOf(decodedPicture(windowSnapshot(unitWindowHandle(white))));
}

// Each text of the printed badge stands inside its label, which lies inside
// the badge, and whole: the prints with and without the text differ in as
// many pixels as the text draws unconfined, give or take a twentieth for
// where the glyphs fall (a character cut at its foot loses more).
TEST_F(BadgePageTest, ThePrintedBadgeShowsEveryTextWholeInsideTheBadge)
{
    currentMeetingName = "全国科技工作会议";
    updateDelegate("001", "姓名='欧阳明华', 单位='北京市科学技术协会'");
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    click(w->清底图);   // white under the texts
    const QImage all = printed(w);
    ASSERT_EQ(QSize(w->图片框1.width(), w->图片框1.height()), all.size());
    const std::pair<TransparentLabel*, CheckBox*> texts[] = {
        {&w->会议名称标签, &w->会议名称}, {&w->姓名标签, &w->姓名}, {&w->单位标签, &w->单位}, {&w->出席证标签, &w->出席证}};
    for (const auto& [label, box] : texts) {
        SCOPED_TRACE(gbkToUtf8(label->name()));
        click(*box);
        const Ink ink = inkOf(all, printed(w));
        click(*box);
        const QRect place(label->left(), label->top(), label->width(), label->height());
        EXPECT_TRUE(all.rect().contains(place));
        EXPECT_TRUE(place.contains(ink.box));
        const int whole = unconfinedInk(*label).pixels;
        EXPECT_GT(whole, 0);
        EXPECT_GE(ink.pixels, whole * 19 / 20) << ink.pixels << " of " << whole;
    }
}

// The spooler stands in for Paint: it gets the badge as shown, for the
// default printer, at the picture's own size (417 x 238 pixels at 96 to the
// inch, about 110 x 63 mm) instead of fitted to the page. A job it refuses
// is reported with its reason.
TEST_F(BadgePageTest, TheSpoolerPrintsTheBadgeAtItsOwnSizeAndARefusalIsReported)
{
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    person.startProgramsForReal();
    {
        StandInSpooler spooler(false);
        click(w->打印);
        EXPECT_EQ((QStringList{QStringLiteral("-o"), QStringLiteral("ppi=96"), QStringLiteral("-o"),
                               QStringLiteral("natural-scaling=100"), directory.file(QStringLiteral("temp.bmp"))}),
                  spooler.arguments());
        EXPECT_TRUE(windowSnapshot(unitWindowHandle(w->图片框1)) == spooler.file()) << "not the badge as shown";
        EXPECT_TRUE(person.messages().empty());
    }
    StandInSpooler refusing(true);
    person.answerMessage(AnswerOk);
    click(w->打印);
    EXPECT_LINES_EQ(TextList{"打印失败！\r\nlp: No default destination.|错误"}, messageTexts());
}

TEST_F(BadgePageTest, APrintThatCannotWriteOrStartSaysSo)
{
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    person.answerProgram(false).answerMessage(AnswerOk);
    click(w->打印);
    EXPECT_LINES_EQ(TextList{"无法启动打印程序！|错误"}, messageTexts());

    ASSERT_TRUE(QFile::remove(directory.file(QStringLiteral("temp.bmp"))));
    ASSERT_TRUE(QDir(directory.path()).mkdir(QStringLiteral("temp.bmp")));
    person.answerMessage(AnswerOk);
    click(w->打印);
    EXPECT_EQ(1u, programCalls().size());
    ASSERT_EQ(2u, person.messages().size());
    EXPECT_TEXT_EQ("无法保存证件图片" + shownFile("temp.bmp") + "，未能打印！", person.messages()[1].text);
}

TEST_F(BadgePageTest, SaveStoresTheCurrentLayoutAndReportsAFailure)
{
    ReportWindow* w = openBadges();
    ASSERT_NE(w, nullptr);
    leftRelease(w->出席证标签);
    w->纵.setContent("10");
    click(w->出席证);
    click(w->保存);
    EXPECT_EQ(TextList{"10|false"}, rows("select * from 会议证件", {"出席证纵", "出席证"}));
    EXPECT_TRUE(person.messages().empty());

    closeDatabase(w->报表外部数据库);
    person.answerMessage(AnswerOk);
    click(w->保存);
    EXPECT_LINES_EQ(TextList{"证件模板保存失败！|错误"}, messageTexts());
}

} // namespace
