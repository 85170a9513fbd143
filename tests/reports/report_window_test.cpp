// The report window's frame: what each kind opens, the connection and the
// template failures, print preview, the text export, the selection font,
// the title and closing.
#include "tests/reports/report_fixture.h"
#include "common/internal/qt_objects.h"

#include <QDir>

namespace {

class ReportWindowTest : public ReportTest {
protected:
    // Two rooms, the second with its two occupants; a banquet table; three
    // delegates; a discussion group.
    void seed()
    {
        addGroup(1, "第一组");
        addRoom(1, "东楼", "101", 1);
        addRoom(1, "东楼", "102", 2, "男");
        addTable(1, "宴会厅", "1号桌", 10);
        addDelegate(1, "001", "张三", "东楼", "102");
        addDelegate(1, "002", "李四", "东楼", "102");
        addDelegate(1, "003", "王五");
    }
    Bytes exportTo(ReportWindow* w, const Text& chosen)
    {
        person.answerFile(true, programFile(chosen)).answerMessage(AnswerOk);
        click(w->导出);
        return fileBytes(chosen + ".doc");
    }
    // What the preview window of 报表打印 showed.
    ScriptedInteraction::RenderedGrid preview(ReportWindow* w)
    {
        person.answerPrintPreview();
        click(w->报表打印);
        EXPECT_EQ(1u, person.renderedGrids().size());
        return person.renderedGrids().empty() ? ScriptedInteraction::RenderedGrid{} : person.renderedGrids().back();
    }
    void rightClickGrid(ReportWindow* w)
    {
        auto* view = static_cast<QAbstractScrollArea*>(QtObjects::widget(w->表格1));
        clickMouse(view->viewport(), QPoint(60, 30), RightButton);
    }
};

TEST_F(ReportWindowTest, EachKindOpensItsPageWithItsControls)
{
    seed();
    struct Case {
        const char* kind;
        int page;
        bool titleEditable;
        bool chartChooser;
    };
    const Case cases[] = {
        {"客房一览表", 0, true, false}, {"餐桌一览表", 0, true, false}, {"代表一览表", 0, true, false},
        {"分组一览表", 0, true, false}, {"通讯录", 0, false, false},    {"座次报表", 0, true, true},
        {"代表证", 1, true, false},
    };
    for (const Case& c : cases) {
        ReportWindow* w = open(c.kind);
        ASSERT_NE(w, nullptr) << c.kind;
        EXPECT_TEXT_EQ(c.kind, w->openedKind());
        EXPECT_EQ(c.page, w->报表选择夹.currentPage()) << c.kind;
        EXPECT_EQ(c.titleEditable, !w->修改标题.disabled()) << c.kind;
        EXPECT_EQ(c.chartChooser, w->座次报表.visible()) << c.kind;
        EXPECT_TRUE(w->报表外部数据库.isOpen()) << c.kind;
        EXPECT_EQ(c.page == 1, w->reportRecordSet != 0) << c.kind;
        EXPECT_EQ(c.page == 1, tableRowCount(w->报表数据源) == 0) << c.kind;
        closeWindow(*w);
    }
    EXPECT_TRUE(person.messages().empty());
}

TEST_F(ReportWindowTest, TheWindowHasItsDesignedPlaceAndNoCaption)
{
    seed();
    ReportWindow* w = open("客房一览表");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ((std::vector<int>{50, 50, 800, 589}), (std::vector<int>{w->left(), w->top(), w->width(), w->height()}));
    EXPECT_TEXT_EQ("", w->caption());
    EXPECT_TEXT_EQ("会议报表", w->分组框1.caption());
    EXPECT_TEXT_EQ("存为文本", w->导出.caption());
}

TEST_F(ReportWindowTest, TheBadgeRecordSetHoldsTheMeetingsDelegatesAndClosesWithTheWindow)
{
    addDelegate(1, "010", "甲");
    addDelegate(1, "002", "乙");
    addDelegate(2, "001", "丙");
    ReportWindow* w = open("代表证");
    ASSERT_NE(w, nullptr);
    const int rs = w->reportRecordSet;
    TextList names;
    for (; !recordSetAtEnd(rs); recordMoveNext(rs))
        names.push_back(readField(rs, "姓名").text());
    EXPECT_LINES_EQ((TextList{"乙", "甲"}), names);
    recordMoveFirst(rs);
    closeWindow(*w);
    EXPECT_TRUE(recordSetAtEnd(rs));
    EXPECT_FALSE(w->报表外部数据库.isOpen());
}

TEST_F(ReportWindowTest, ALaterKindDoesNotChangeAnOpenWindowsKind)
{
    seed();
    ReportWindow* rooms = open("客房一览表");
    ASSERT_NE(open("代表一览表"), nullptr);
    ASSERT_NE(rooms, nullptr);
    EXPECT_TEXT_EQ("客房一览表", rooms->openedKind());
    const Bytes text = exportTo(rooms, "rooms");
    EXPECT_TEXT_EQ("春季会客房一览表", person.lastFileRequest().fileName);
    EXPECT_NE(Bytes("(missing)"), text);
}

TEST_F(ReportWindowTest, AMissingTemplateIsReportedAndNothingIsFilled)
{
    seed();
    ASSERT_TRUE(QFile::remove(directory.file(QString::fromStdString(gbkToUtf8("客房一览表.grd")))));
    person.answerMessage(AnswerOk);
    ReportWindow* w = open("客房一览表");
    ASSERT_NE(w, nullptr);
    EXPECT_LINES_EQ(TextList{"找不到表格模板!|错误"}, messageTexts());
    EXPECT_EQ(0, tableRowCount(w->报表数据源));
    EXPECT_TEXT_EQ("报表数据源", w->表格1.dataSourceName());
}

TEST(ReportWindowConnectionTest, ARefusedConnectionIsReportedAndTheFillReportsItsQuery)
{
    resetGlobals();
    TestProgramDirectory directory(false);
    ScriptedInteraction person;
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    reportKind = "客房一览表";
    ReportWindow* w = loadWindow<ReportWindow>(nullptr, false);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(2u, person.messages().size());
    EXPECT_TEXT_EQ("无法打开报表数据库！", person.messages()[0].text);
    EXPECT_TEXT_EQ("", person.messages()[0].caption);
    EXPECT_TEXT_EQ("客房查询失败！", person.messages()[1].text);
    EXPECT_TRUE(w->isOpen());
    closeWindow(*w);
    processEvents();
}

TEST_F(ReportWindowTest, PrintPreviewRendersTheFilledReport)
{
    seed();
    ReportWindow* w = open("客房一览表");
    ASSERT_NE(w, nullptr);
    const ScriptedInteraction::RenderedGrid printed = preview(w);
    EXPECT_EQ(1, printed.pageCount);
    EXPECT_FALSE(printed.setup.landscape);
    ASSERT_EQ(1u, printed.pages.size());
    TextList drawn = printed.pages[0];
    std::sort(drawn.begin(), drawn.end());
    TextList expected{"春季会客房一览表", "序号", "宾馆名称", "房间编号", "房间类别", "房间人数", "入住代表",
                      "性别", "1", "东楼", "101", "标准间", "1", "无", "2", "东楼", "102", "标准间", "2",
                      "张三·李四", "男"};
    std::sort(expected.begin(), expected.end());
    EXPECT_LINES_EQ(expected, drawn);
    EXPECT_TRUE(person.messages().empty());

    // A print from the preview that fails is reported; one that works is not.
    person.answerPrintPreview(PreviewPrinted);
    click(w->报表打印);
    EXPECT_TRUE(person.messages().empty());
    person.answerPrintPreview(PreviewPrintFailed).answerMessage(AnswerOk);
    click(w->报表打印);
    EXPECT_EQ(messageTexts(), TextList{"打印失败！|错误"});
}

// The title and the column labels are bold 宋体: they print in the serif
// face's own bold, the rows in its regular, and no other face prints.
TEST_F(ReportWindowTest, TheBoldTitleAndLabelsPrintInTheSerifFacesOwnBold)
{
    seed();
    ReportWindow* w = open("客房一览表");
    ASSERT_NE(w, nullptr);
    QStringList fonts = preview(w).fonts;
    fonts.sort();
    EXPECT_EQ("NotoSerifCJKsc-Bold NotoSerifCJKsc-Regular", fonts.join(QLatin1Char(' ')).toStdString());
}

TEST_F(ReportWindowTest, ALongListPrintsAcrossPagesWithTitleAndLabelsOnEach)
{
    for (int i = 1; i <= 40; ++i)
        addDelegate(1, toText(100 + i), "嘉宾" + toText(i));
    ReportWindow* w = open("代表一览表");
    ASSERT_NE(w, nullptr);
    const ScriptedInteraction::RenderedGrid printed = preview(w);
    EXPECT_TRUE(printed.setup.landscape);
    ASSERT_GE(printed.pageCount, 2);
    EXPECT_EQ(printed.pageCount, printed.pdfPages);
    int names = 0;
    for (const TextList& page : printed.pages) {
        EXPECT_NE(page.end(), std::find(page.begin(), page.end(), Text("春季会与会人员一览表")));
        EXPECT_NE(page.end(), std::find(page.begin(), page.end(), Text("手机号码")));
        names += static_cast<int>(std::count_if(page.begin(), page.end(),
                                                [](const Text& t) { return t.starts_with("嘉宾"); }));
    }
    EXPECT_EQ(40, names);
}

TEST_F(ReportWindowTest, TheExportWritesTheRowsFromTheHeaderRowAsSpacedTextLines)
{
    seed();
    ReportWindow* w = open("客房一览表");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(Bytes("序号 宾馆名称 房间编号 房间类别 房间人数 入住代表 性别\r\n"
                    " 1 东楼 101 标准间 1  无\r\n"
                    " 2 东楼 102 标准间 2 张三·李四 男\r\n"),
              exportTo(w, "春季会客房一览表"));
    EXPECT_TEXT_EQ("数据导出到文件", person.lastFileRequest().title);
    EXPECT_TEXT_EQ("WORD文件（*.DOC）", person.lastFileRequest().filter);
    EXPECT_TRUE(person.lastFileRequest().save);
    EXPECT_TEXT_EQ("春季会客房一览表", person.lastFileRequest().fileName);
    const Text shown = shownFile("春季会客房一览表") + ".doc";
    EXPECT_LINES_EQ(TextList{"成功保存为" + shown + "！|成功"}, messageTexts());
    EXPECT_EQ(BoxOk | IconInformation, person.messages()[0].boxKind);
}

TEST_F(ReportWindowTest, TheExportTrimsOnlyTheFirstLinesLeadingEmptyCells)
{
    seed();
    ReportWindow* w = open("餐桌一览表");
    ASSERT_NE(w, nullptr);
    for (int column = 1; column <= 2; ++column) {
        setCellText(w->报表数据源, 2, column, "");
        setCellText(w->报表数据源, 3, column, "");
    }
    EXPECT_EQ(Bytes("餐桌编号 可坐人数 就餐代表\r\n"
                    "   1号桌 10 \r\n"),
              exportTo(w, "t.doc"));
    EXPECT_EQ(Bytes("(missing)"), fileBytes("t"));   // ".doc" is appended to any name
}

TEST_F(ReportWindowTest, AnExportOfTwentyRowsWithTwoHeaderRowsHasNineteenLines)
{
    for (int i = 1; i <= 18; ++i)
        addRoom(1, "东楼", toText(100 + i), 2);
    ReportWindow* w = open("客房一览表");
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(20, tableRowCount(w->报表数据源));
    const Bytes text = exportTo(w, "rooms");
    EXPECT_EQ(19, std::count(text.begin(), text.end(), '\n'));
    EXPECT_EQ(19u, splitText(text, "\r\n").size() - 1);
    EXPECT_TRUE(text.ends_with(" 18 东楼 118 标准间 2  无\r\n"));
}

TEST_F(ReportWindowTest, ACancelledExportWritesNothingAndAFailedOneSaysSo)
{
    seed();
    ReportWindow* w = open("代表一览表");
    ASSERT_NE(w, nullptr);
    person.answerFile(false);
    click(w->导出);
    EXPECT_TRUE(person.messages().empty());
    EXPECT_TRUE(QDir(directory.path()).entryList({"*.doc"}).isEmpty());

    const Text chosen = programFile("没有的目录") + "\\名单";
    person.answerFile(true, chosen).answerMessage(AnswerOk);
    click(w->导出);
    EXPECT_LINES_EQ(TextList{"无法保存为" + shownFile("没有的目录/名单") + ".doc！|错误"}, messageTexts());
}

TEST_F(ReportWindowTest, TheRightButtonSetsFaceAndSizeOfTheSelectedBlock)
{
    seed();
    ReportWindow* w = open("代表一览表");
    ASSERT_NE(w, nullptr);
    const DataSource& ds = w->报表数据源;
    const int untouched = ds.document().cell(5, 4)->fontSize;
    struct Case {
        int points;
        int size;
    };
    Text preset = "宋体";   // then the dialog keeps the last choice
    for (const Case c : {Case{12, 42}, Case{9, 31}}) {
        w->表格1.select({3, 2, 2, 3});
        person.answerFont(true, {{"黑体", c.points}, 0});
        rightClickGrid(w);
        EXPECT_TEXT_EQ(preset, person.lastFontRequest().font.face);
        preset = "黑体";
        for (int row = 3; row <= 4; ++row)
            for (int column = 2; column <= 4; ++column) {
                EXPECT_TEXT_EQ("黑体", cellFontName(ds, row, column));
                EXPECT_EQ(c.size, ds.document().cell(row, column)->fontSize) << c.points;
            }
        EXPECT_TEXT_EQ("宋体", cellFontName(ds, 5, 4));
        EXPECT_EQ(untouched, ds.document().cell(5, 4)->fontSize);
    }
    w->表格1.select({5, 4, 1, 1});
    person.answerFont(false);
    rightClickGrid(w);
    EXPECT_TEXT_EQ("宋体", cellFontName(ds, 5, 4));
    EXPECT_EQ(untouched, ds.document().cell(5, 4)->fontSize);
}

TEST_F(ReportWindowTest, TheTitleIsReplacedOnlyByAText)
{
    seed();
    ReportWindow* w = open("客房一览表");
    ASSERT_NE(w, nullptr);
    click(w->修改标题);
    EXPECT_TEXT_EQ("春季会客房一览表", cellText(w->报表数据源, 1, 2));
    w->编辑框1.setContent("二〇二四年客房安排");
    click(w->修改标题);
    EXPECT_TEXT_EQ("二〇二四年客房安排", cellText(w->报表数据源, 1, 2));
    EXPECT_TEXT_EQ("", w->编辑框1.content());
    EXPECT_TRUE(w->表格1.visible());
}

TEST_F(ReportWindowTest, WithoutAReportTheTitleTextStaysInItsBox)
{
    seed();
    ReportWindow* w = open("代表证");
    ASSERT_NE(w, nullptr);
    w->报表选择夹.setCurrentPage(0);
    w->编辑框1.setContent("新标题");
    click(w->修改标题);
    EXPECT_TEXT_EQ("新标题", w->编辑框1.content());
    EXPECT_EQ(0, tableRowCount(w->报表数据源));
    EXPECT_TRUE(person.messages().empty());
}

TEST_F(ReportWindowTest, ClosingAListReportClosesItsConnection)
{
    seed();
    ReportWindow* w = open("客房一览表");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(0, w->reportRecordSet);
    closeWindow(*w);
    EXPECT_FALSE(w->报表外部数据库.isOpen());
}

} // namespace
