// The editor's documents: new, open, save, the save question, the modified
// flag and the commands on rows, columns, blocks and the whole document.
#include "common/program/clipboard.h"
#include "common/internal/qt_objects.h"
#include "common/program/library.h"
#include "tests/editor/editor_fixture.h"
#include "tests/support/shown_pictures.h"

#include <QAbstractScrollArea>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace {

using EditorDocumentTest = EditorTest;

TEST_F(EditorDocumentTest, EveryOpeningStartsUntitledAndUnmodified)
{
    modifiedFlag = 1;
    currentFileName = "旧.grd";
    open();
    EXPECT_TEXT_EQ("Tabrel", editor->caption());
    EXPECT_EQ(0, modifiedFlag);
    EXPECT_TEXT_EQ("", currentFileName);
    EXPECT_EQ(0, tableRowCount(doc()));   // no table until New or Open
    EXPECT_EQ(30, editor->工具条1.itemCount());
    EXPECT_TEXT_EQ("禁填", editor->工具条1.buttonCaption(27));
    EXPECT_TRUE(editor->工具条1.isSeparator(29));

    // The grid fills the window below the tool bar.
    editor->setWidth(600);
    editor->setHeight(400);
    processEvents();
    EXPECT_EQ(5, editor->表格1.left());
    EXPECT_EQ(40, editor->表格1.top());
    EXPECT_EQ(windowClientWidth(*editor) - 10, editor->表格1.width());
    EXPECT_EQ(windowClientHeight(*editor) - 40, editor->表格1.height());
}

TEST_F(EditorDocumentTest, EveryToolBarButtonHasALegiblePictureOverItsCaption)
{
    open();
    // A window wide enough for every button: the bar spans it.
    editor->setWidth(1000);
    processEvents();
    int buttons = 0;
    for (int n = 0; n < editor->工具条1.itemCount(); ++n)
        if (!editor->工具条1.isSeparator(n)) {
            EXPECT_TRUE(showsPictureAndCaption(editor->工具条1, n, 20));
            ++buttons;
        }
    EXPECT_EQ(buttons, 23);
}

TEST_F(EditorDocumentTest, SaveAsksForANameOnceAndSaveAsRenamesTheDocument)
{
    open();
    chooseMenuItem(editor->新建);
    EXPECT_EQ(50, tableRowCount(doc()));
    EXPECT_EQ(10, tableColumnCount(doc()));
    EXPECT_EQ(0, modifiedFlag);

    setCellText(doc(), 1, 1, "甲");
    person.answerFile(true, path("一.grd"));
    chooseMenuItem(editor->保存);
    EXPECT_TRUE(person.lastFileRequest().save);
    EXPECT_TEXT_EQ("请输入欲保存到的表格文件名：", person.lastFileRequest().title);
    EXPECT_TEXT_EQ("表格文件(*.grd)|*.grd", person.lastFileRequest().filter);
    EXPECT_TEXT_EQ(path("一.grd"), currentFileName);

    person.answerFile(true, path("二.grd"));
    chooseMenuItem(editor->另存为);
    EXPECT_TEXT_EQ("请输入欲另存到的表格文件名：", person.lastFileRequest().title);
    EXPECT_TEXT_EQ(path("二.grd"), currentFileName);

    // The next save writes to the new name without a dialog.
    select(2, 2);
    pressToolButton(editor->工具条1, 28);   // 复原: a change of the document
    EXPECT_EQ(1, modifiedFlag);
    chooseMenuItem(editor->保存);
    EXPECT_EQ(0, modifiedFlag);
    Window scratch{"scratch", {0, 0, 10, 10}, ""};
    DataSource saved{scratch, "saved"};
    ASSERT_TRUE(loadGridFile(saved, path("二.grd")));
    EXPECT_TEXT_EQ("甲", cellText(saved, 1, 1));

    // A cancelled save-as changes nothing.
    person.answerFile(false);
    chooseMenuItem(editor->另存为);
    EXPECT_TEXT_EQ(path("二.grd"), currentFileName);
}

// What each answer to the save question does to the command that asked it.
struct QuestionCase {
    const char* name;
    int answer;
    bool fileDialogOk;   // only for Yes on an untitled document
    bool callerGoesOn;
};
void PrintTo(const QuestionCase& c, std::ostream* os) { *os << c.name; }

class SaveQuestionTest : public EditorTest, public testing::WithParamInterface<QuestionCase> {
protected:
    // An untitled, modified document of 50 rows.
    void modifiedDocument()
    {
        open();
        chooseMenuItem(editor->新建);
        select(1, 1);
        chooseMenuItem(editor->插入行);
        ASSERT_EQ(1, modifiedFlag);
    }
    void answer()
    {
        const QuestionCase& c = GetParam();
        person.answerMessage(c.answer);
        if (c.answer == AnswerYes)
            person.answerFile(c.fileDialogOk, path("存.grd"));
    }
};

TEST_P(SaveQuestionTest, NewAndExitAndTheCloseBoxGoOnOnlyAsAnswered)
{
    const QuestionCase& c = GetParam();
    modifiedDocument();
    answer();
    chooseMenuItem(editor->新建);
    EXPECT_EQ(c.callerGoesOn ? 50 : 51, tableRowCount(doc()));
    EXPECT_TEXT_EQ("文件已经被修改，是否保存？", person.messages().at(0).text);
    EXPECT_TEXT_EQ("询问", person.messages().at(0).caption);
    EXPECT_EQ(BoxYesNoCancel | IconQuestion, person.messages().at(0).boxKind);

    chooseMenuItem(editor->插入行);
    answer();
    chooseMenuItem(editor->退出);
    EXPECT_EQ(!c.callerGoesOn, editorOpen());

    if (!editorOpen())
        modifiedDocument();
    answer();
    pressCloseBox(*editor);
    processEvents();
    EXPECT_EQ(!c.callerGoesOn, editorOpen());
}

TEST_P(SaveQuestionTest, OpenGoesOnOnlyAsAnswered)
{
    const QuestionCase& c = GetParam();
    const Text other = tableFile("别.grd", 3, "别");
    modifiedDocument();
    answer();
    if (c.callerGoesOn)
        person.answerFile(true, other);
    chooseMenuItem(editor->打开);
    EXPECT_EQ(c.callerGoesOn ? 3 : 51, tableRowCount(doc()));
    EXPECT_TEXT_EQ(c.callerGoesOn ? other : "", currentFileName);
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveQuestionTest,
                         testing::Values(QuestionCase{"Cancel", AnswerCancel, false, false},
                                         QuestionCase{"No", AnswerNo, false, true},
                                         QuestionCase{"YesThenCancelledDialog", AnswerYes, false, false},
                                         QuestionCase{"YesAndSaved", AnswerYes, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorDocumentTest, AFailedSaveKeepsTheChangesAndStopsTheCaller)
{
    open();
    chooseMenuItem(editor->新建);
    chooseMenuItem(editor->插入行);
    const Text unreachable = path("无此目录\\表.grd");

    person.answerFile(true, unreachable).answerMessage(AnswerOk);
    chooseMenuItem(editor->保存);
    EXPECT_EQ(1, modifiedFlag);
    EXPECT_TEXT_EQ("", currentFileName);
    ASSERT_EQ(1u, person.messages().size());
    EXPECT_TEXT_EQ("保存文件失败！", person.messages()[0].text);
    EXPECT_EQ(BoxOk | IconStop, person.messages()[0].boxKind);

    // Closing asks again; a save that fails then keeps the window and its changes.
    person.answerMessage(AnswerYes).answerFile(true, unreachable).answerMessage(AnswerOk);
    pressCloseBox(*editor);
    processEvents();
    EXPECT_TRUE(editorOpen());
    EXPECT_EQ(51, tableRowCount(doc()));
    EXPECT_EQ(1, modifiedFlag);

    person.answerMessage(AnswerYes).answerFile(true, unreachable).answerMessage(AnswerOk);
    chooseMenuItem(editor->新建);
    EXPECT_EQ(51, tableRowCount(doc()));
}

TEST_F(EditorDocumentTest, AFailedOpenKeepsTheDocumentAndItsName)
{
    const Text good = tableFile("好.grd", 4, "好");
    ASSERT_TRUE(writeFile(path("坏.grd"), "not a table"));
    open();
    person.answerFile(true, good);
    chooseMenuItem(editor->打开);
    EXPECT_TEXT_EQ(good, currentFileName);
    EXPECT_EQ(0, modifiedFlag);
    EXPECT_TEXT_EQ("请输入欲打开的表格文件名：", person.lastFileRequest().title);
    EXPECT_FALSE(person.lastFileRequest().save);

    person.answerFile(true, path("坏.grd")).answerMessage(AnswerOk);
    chooseMenuItem(editor->打开);
    EXPECT_TEXT_EQ("打开文件失败！", person.messages().at(0).text);
    EXPECT_TEXT_EQ("错误", person.messages().at(0).caption);
    EXPECT_TEXT_EQ(good, currentFileName);
    EXPECT_TEXT_EQ("好", cellText(doc(), 1, 1));
}

TEST_F(EditorDocumentTest, ViewingCommandsLeaveTheFlagAndPrintSettingsSetIt)
{
    open();
    chooseMenuItem(editor->新建);
    setCellText(doc(), 1, 1, "甲");
    select(1, 1);
    chooseMenuItem(editor->复制);
    EXPECT_EQ(1, findText(clipboardText(), "甲")) << gbkToUtf8(clipboardText());
    chooseMenuItem(editor->比例200);
    EXPECT_EQ(200, editor->表格1.zoom());
    chooseMenuItem(editor->比例50);
    EXPECT_EQ(50, editor->表格1.zoom());
    chooseMenuItem(editor->等宽);
    person.answerPrintPreview();
    chooseMenuItem(editor->打印预览);
    person.answerPageSetup(false);
    chooseMenuItem(editor->打印设置);
    person.answerPageSetup(false);
    chooseMenuItem(editor->打印);   // cancelled: nothing printed
    EXPECT_EQ(0, modifiedFlag);
    EXPECT_EQ(1u, person.renderedGrids().size());

    PageSetup landscape;
    landscape.landscape = true;
    person.answerPageSetup(true, landscape);
    chooseMenuItem(editor->打印设置);
    EXPECT_EQ(1, modifiedFlag);
    EXPECT_TRUE(doc().document().pageSetup().landscape);

    modifiedFlag = 0;
    person.answerPageSetup(true, landscape).answerGridPrint(true);
    chooseMenuItem(editor->打印);
    EXPECT_EQ(1, modifiedFlag);
    EXPECT_TRUE(person.messages().empty());

    // A print that fails is reported.
    person.answerPageSetup(true, landscape).answerGridPrint(false).answerMessage(AnswerOk);
    chooseMenuItem(editor->打印);
    EXPECT_TEXT_EQ("打印失败！", person.messages().at(0).text);
    // So is one started from the preview.
    person.answerPrintPreview(PreviewPrintFailed).answerMessage(AnswerOk);
    chooseMenuItem(editor->打印预览);
    ASSERT_EQ(person.messages().size(), 2u);
    EXPECT_TEXT_EQ("打印失败！", person.messages().back().text);
}

TEST_F(EditorDocumentTest, RowsColumnsHeightsAndHeaders)
{
    open();
    chooseMenuItem(editor->新建);
    setCellText(doc(), 3, 5, "三");
    select(3, 2);
    chooseMenuItem(editor->插入行);
    EXPECT_EQ(51, tableRowCount(doc()));
    EXPECT_TEXT_EQ("三", cellText(doc(), 4, 5));
    EXPECT_EQ(1, modifiedFlag);
    chooseMenuItem(editor->插入列);
    EXPECT_EQ(11, tableColumnCount(doc()));
    select(1, 1, 2, 3);
    chooseMenuItem(editor->删除行);
    chooseMenuItem(editor->删除列);
    EXPECT_EQ(49, tableRowCount(doc()));
    EXPECT_EQ(8, tableColumnCount(doc()));
    EXPECT_TEXT_EQ("三", cellText(doc(), 2, 3));

    // Heights and widths: only a confirmed number above 0.
    modifiedFlag = 0;
    select(2, 2, 2, 1);
    person.answerInput(true, "0").answerInput(true, "-5").answerInput(false, "80");
    chooseMenuItem(editor->置行高);
    chooseMenuItem(editor->置行高);
    chooseMenuItem(editor->置行高);
    EXPECT_EQ(0, modifiedFlag);
    EXPECT_EQ(60, doc().document().rowHeight(2));
    person.answerInput(true, "80").answerInput(true, "450");
    chooseMenuItem(editor->置行高);
    chooseMenuItem(editor->置列宽);
    EXPECT_EQ(80, doc().document().rowHeight(3));
    EXPECT_EQ(60, doc().document().rowHeight(4));
    EXPECT_EQ(450, doc().document().columnWidth(2));
    EXPECT_EQ(1, modifiedFlag);
    const auto inputs = person.calls();
    EXPECT_TEXT_EQ("请输入新列宽（单位0.1毫米）", inputs.back().text);

    // Header counts: any whole number, 0 included; a cancel changes nothing.
    person.answerInput(true, "2").answerInput(true, "1").answerInput(true, "0").answerInput(false);
    chooseMenuItem(editor->置表头行数);
    chooseMenuItem(editor->置表头列数);
    EXPECT_EQ(2, headerRowCount(doc()));
    EXPECT_EQ(1, headerColumnCount(doc()));
    chooseMenuItem(editor->置表头行数);
    chooseMenuItem(editor->置表头列数);
    EXPECT_EQ(0, headerRowCount(doc()));
    EXPECT_EQ(1, headerColumnCount(doc()));
}

TEST_F(EditorDocumentTest, CutPasteMergeAndSplit)
{
    open();
    chooseMenuItem(editor->新建);
    setCellText(doc(), 1, 1, "甲");
    setCellText(doc(), 1, 2, "乙");
    select(1, 1, 1, 2);
    chooseMenuItem(editor->剪切);
    EXPECT_EQ(1, modifiedFlag);
    EXPECT_TEXT_EQ("", cellText(doc(), 1, 1));
    select(5, 3);
    chooseMenuItem(editor->粘贴);
    EXPECT_TEXT_EQ("甲", cellText(doc(), 5, 3));
    EXPECT_TEXT_EQ("乙", cellText(doc(), 5, 4));

    select(2, 2, 2, 2);
    pressToolButton(editor->工具条1, 11);   // 合并
    ASSERT_EQ(1u, doc().document().merges().size());
    select(2, 2);
    pressToolButton(editor->工具条1, 12);   // 分解
    EXPECT_TRUE(doc().document().merges().empty());
}

// The commands on a block take the block the person marked with Shift and
// a click or Shift and the arrow keys.
TEST_F(EditorDocumentTest, ABlockMarkedWithShiftIsWhatTheCommandsTake)
{
    open();
    chooseMenuItem(editor->新建);
    clickGridCell(editor->表格1, 2, 2);
    clickGridCell(editor->表格1, 3, 4, true);
    pressToolButton(editor->工具条1, 11);   // 合并
    clickGridCell(editor->表格1, 6, 3);
    QWidget* grid = QtObjects::widget(editor->表格1);
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Down})
        QTest::keyClick(grid, key, Qt::ShiftModifier);
    pressToolButton(editor->工具条1, 11);
    EXPECT_EQ(doc().document().merges(), (std::vector<GridBlock>{{2, 2, 2, 3}, {6, 1, 2, 3}}));
}

TEST_F(EditorDocumentTest, AddedDataIsAppendedAndTheScratchDocumentEmptied)
{
    const Text added = tableFile("加.grd", 3, "加");
    ASSERT_TRUE(writeFile(path("坏.grd"), "x"));
    open();
    chooseMenuItem(editor->新建);
    person.answerFile(true, path("坏.grd")).answerMessage(AnswerOk);
    chooseMenuItem(editor->添加数据);
    EXPECT_TEXT_EQ("打开欲添加文件失败！", person.messages().at(0).text);
    EXPECT_EQ(50, tableRowCount(doc()));
    EXPECT_EQ(0, modifiedFlag);

    person.answerFile(true, added);
    chooseMenuItem(editor->添加数据);
    EXPECT_TEXT_EQ("请输入欲添加进来的表格文件名：", person.lastFileRequest().title);
    EXPECT_EQ(53, tableRowCount(doc()));
    EXPECT_TEXT_EQ("加", cellText(doc(), 51, 1));
    EXPECT_EQ(1, modifiedFlag);
    EXPECT_EQ(1, tableRowCount(editor->数据源2));
    EXPECT_EQ(1, tableColumnCount(editor->数据源2));
}

TEST_F(EditorDocumentTest, ThePersonsEditMarksTheDocument)
{
    open();
    chooseMenuItem(editor->新建);
    editor->表格1.select({2, 2, 1, 1});
    auto* view = static_cast<QAbstractScrollArea*>(QtObjects::widget(editor->表格1));
    QTest::keyClick(view, 'a');
    QLineEdit* edit = view->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TEXT_EQ("a", cellText(doc(), 2, 2));
    EXPECT_EQ(1, modifiedFlag);
}

TEST_F(EditorDocumentTest, TheGridsRightButtonOffersTheEditMenu)
{
    open();
    chooseMenuItem(editor->新建);
    select(2, 2, 2, 2);
    auto* view = static_cast<QAbstractScrollArea*>(QtObjects::widget(editor->表格1));
    person.answerPopupMenu("").answerPopupMenu("组合");
    pressMouse(view->viewport(), view->viewport()->rect().center(), RightButton);
    EXPECT_TRUE(doc().document().merges().empty());
    EXPECT_EQ(0, modifiedFlag);
    pressMouse(view->viewport(), view->viewport()->rect().center(), RightButton);
    EXPECT_EQ(1u, doc().document().merges().size());
    EXPECT_EQ(1, modifiedFlag);
    EXPECT_TEXT_EQ("&E.编辑", person.calls().back().text);
}

class ConversionTest : public EditorTest {
protected:
    void SetUp() override { addConversionLibrary(); }
};

TEST_F(ConversionTest, EveryCellGoesToBig5AndBack)
{
    open();
    chooseMenuItem(editor->新建);
    setHeaderRowCount(doc(), 1);
    setCellText(doc(), 1, 1, "会议代表");   // a header cell too
    setCellText(doc(), 50, 10, "代表 A1");
    setCellText(doc(), 2, 2, "abc 123");
    chooseMenuItem(editor->简体到繁体);
    EXPECT_EQ(1, modifiedFlag);
    EXPECT_NE(Text("会议代表"), cellText(doc(), 1, 1));
    EXPECT_EQ(textLength("会议代表"), textLength(cellText(doc(), 1, 1)));
    EXPECT_NE(Text("代表 A1"), cellText(doc(), 50, 10));
    EXPECT_TEXT_EQ("abc 123", cellText(doc(), 2, 2));
    chooseMenuItem(editor->繁体到简体);
    EXPECT_TEXT_EQ("会议代表", cellText(doc(), 1, 1));
    EXPECT_TEXT_EQ("代表 A1", cellText(doc(), 50, 10));
}

TEST_F(EditorDocumentTest, WithoutTheConversionLibraryNothingChangesAndThePersonIsTold)
{
    if (conversionLibraryLoaded())
        GTEST_SKIP() << "the conversion library is loaded in this process already";
    open();
    chooseMenuItem(editor->新建);
    setCellText(doc(), 1, 1, "会议");
    setCellText(doc(), 3, 4, "A1");
    for (MenuItem* item : {&editor->简体到繁体, &editor->繁体到简体}) {
        person.answerMessage(AnswerOk);
        chooseMenuItem(*item);
    }
    EXPECT_EQ(2u, person.messages().size());
    for (const auto& m : person.messages()) {
        EXPECT_TEXT_EQ("找不到汉字编码转换支持库，无法转换！", m.text);
        EXPECT_EQ(BoxOk | IconStop, m.boxKind);
    }
    EXPECT_TEXT_EQ("会议", cellText(doc(), 1, 1));
    EXPECT_TEXT_EQ("A1", cellText(doc(), 3, 4));
    EXPECT_EQ(0, modifiedFlag);
}

TEST_F(ConversionTest, ConvertingATableWithoutRowsStillMarksIt)
{
    open();
    chooseMenuItem(editor->繁体到简体);
    EXPECT_EQ(0, tableRowCount(doc()));
    EXPECT_EQ(1, modifiedFlag);
}

} // namespace
