// Preferences, the file association and database mode.
#include "editor/editor_settings.h"
#include "tests/editor/editor_fixture.h"
#include "tests/support/unreadable_file.h"

#include <QDir>

namespace {

using EditorSettingsTest = EditorTest;

const char* const kKeys[] = {"表格线颜色", "背景颜色", "允许选择块", "显示标尺",
                             "显示空表格线", "禁止调整行高", "禁止调整列宽", "允许粘贴扩展"};

TEST_F(EditorSettingsTest, AnEmptyStoreGivesTheDefaultsAndClosingWritesAllKeys)
{
    open();
    const GridDisplay& d = editor->表格1.display();
    EXPECT_EQ(0, d.lineColour);
    EXPECT_EQ(0xFFFFFF, d.background);
    EXPECT_TRUE(d.blockSelection && d.rulers && d.dottedEmptyLines && d.pasteExtends);
    EXPECT_FALSE(d.fixedRowHeights || d.fixedColumnWidths);
    for (const char* key : kKeys)
        EXPECT_EQ(-99, readSettingNumber("Tabrel", "用户习惯", key, -99)) << key;

    closeWindow(*editor);
    const int expected[] = {0, 0xFFFFFF, 1, 1, 1, 0, 0, 1};
    for (size_t i = 0; i < std::size(kKeys); ++i)
        EXPECT_EQ(expected[i], readSettingNumber("Tabrel", "用户习惯", kKeys[i], -99)) << kKeys[i];
}

TEST_F(EditorSettingsTest, StoredNumbersBecomeTheGridsProperties)
{
    writeSettingNumber("Tabrel", "用户习惯", "背景颜色", 0xECECEC);
    writeSettingNumber("Tabrel", "用户习惯", "显示标尺", 0);
    writeSettingNumber("Tabrel", "用户习惯", "禁止调整行高", 7);   // not 0: on
    EXPECT_EQ(0xECECEC, readEditorSettings().background);
    EXPECT_FALSE(readEditorSettings().rulers);
    EXPECT_TRUE(readEditorSettings().fixedRowHeights);
    writeEditorSettings(readEditorSettings());
    EXPECT_EQ(1, readSettingNumber("Tabrel", "用户习惯", "禁止调整行高", -99));
}

TEST_F(EditorSettingsTest, OpeningRegistersTheAssociation)
{
    open();
    const Text program = programPathFor(programDirectory(), programFileName());
    EXPECT_TEXT_EQ("zqdfile", readRegistryText("HKEY_CLASSES_ROOT", ".zqd\\"));
    EXPECT_TEXT_EQ("Pondel数据库", readRegistryText("HKEY_CLASSES_ROOT", "zqdfile\\"));
    EXPECT_TEXT_EQ(program + ",0", readRegistryText("HKEY_CLASSES_ROOT", "zqdfile\\DefaultIcon\\"));
    EXPECT_TEXT_EQ("\"" + program + "\" \"%1\"",
                   readRegistryText("HKEY_CLASSES_ROOT", "zqdfile\\shell\\open\\command\\"));
}

TEST_F(EditorSettingsTest, TheFirstRefusedWriteEndsTheAssociation)
{
    for (int refused = 1; refused <= 5; ++refused) {
        std::vector<Text> written;
        const bool all = registerFileAssociation("D:\\会务\\qelvana", [&](const Text& root, const Text& key, const Text&) {
            EXPECT_TEXT_EQ("HKEY_CLASSES_ROOT", root);
            written.push_back(key);
            return static_cast<int>(written.size()) != refused;
        });
        EXPECT_EQ(refused == 5, all);
        EXPECT_EQ(static_cast<size_t>(std::min(refused, 4)), written.size());
    }
    EXPECT_TEXT_EQ("D:\\qelvana", programPathFor("D:\\", "qelvana"));
    EXPECT_TEXT_EQ("D:\\会务\\qelvana", programPathFor("D:\\会务", "qelvana"));
    // "乗" ends in the byte of "\": it is no separator.
    EXPECT_TEXT_EQ("D:\\乗\\qelvana", programPathFor("D:\\乗", "qelvana"));
}

class DatabaseModeTest : public EditorTest {
protected:
    Text database() { return tableFile("会议.zqd", 3, "库"); }
    Text storedCell(const Text& file, int row, int column)
    {
        Window scratch{"scratch", {0, 0, 10, 10}, ""};
        DataSource stored{scratch, "stored"};
        EXPECT_TRUE(loadGridFile(stored, file));
        return cellText(stored, row, column);
    }
};

TEST_F(DatabaseModeTest, AnExistingFileIsEditedInPlaceWithoutTheFlag)
{
    const Text file = database();
    open({"qelvana", file});
    ASSERT_TRUE(editor->databaseMode());
    EXPECT_TEXT_EQ("库", cellText(doc(), 1, 1));

    select(2, 2);
    chooseMenuItem(editor->插入行);   // appends, whatever the cursor
    EXPECT_EQ(4, tableRowCount(doc()));
    EXPECT_EQ(4, selectionStartRow(editor->表格1));
    EXPECT_EQ(1, selectionStartColumn(editor->表格1));
    setBlockFontSize(doc(), 1, 1, 1, 1, 50);
    pressToolButton(editor->工具条1, 27);   // 禁填 on (4, 1)
    EXPECT_EQ(0, modifiedFlag);
    EXPECT_TEXT_EQ(" ", storedCell(file, 4, 1));

    pressCloseBox(*editor);   // nothing to ask
    processEvents();
    EXPECT_FALSE(editorOpen());
    open({"qelvana", file});
    EXPECT_EQ(4, tableRowCount(doc()));
}

TEST_F(DatabaseModeTest, ReplacingTheWholeTableAsksFirst)
{
    const Text file = database();
    open({"qelvana", file});
    person.answerMessage(AnswerCancel);
    chooseMenuItem(editor->新建);
    EXPECT_EQ(3, tableRowCount(doc()));
    EXPECT_EQ(BoxOkCancel | IconExclamation, person.messages().at(0).boxKind);
    person.answerMessage(AnswerOk);
    chooseMenuItem(editor->新建);
    EXPECT_EQ(50, tableRowCount(doc()));
    EXPECT_TEXT_EQ("", storedCell(file, 1, 1));
}

// Neither a file that is no table nor a table that cannot be read may be
// taken for an empty table: the next change would write over it.
TEST_F(DatabaseModeTest, AFileWithoutAReadableTableIsNeitherUsedNorWrittenOver)
{
    ASSERT_TRUE(writeFile(path("别的.zqd"), "someone else's data"));
    const Text locked = tableFile("locked.zqd", 6, "库");
    const Bytes lockedBytes = readFile(locked);
    {
        ScopedUnreadableFile unreadable(directory.file("locked.zqd"));
        ASSERT_TRUE(unreadable.unreadable());
        for (const Text& file : {path("别的.zqd"), locked}) {
            person.answerMessage(AnswerOk);
            open({"qelvana", file});
            EXPECT_TEXT_EQ("打开文件失败！", person.messages().back().text) << gbkToUtf8(file);
            EXPECT_FALSE(editor->databaseMode());
            chooseMenuItem(editor->新建);
            chooseMenuItem(editor->插入行);
            EXPECT_EQ(1, modifiedFlag);
            closeWindow(*editor);
        }
    }
    EXPECT_EQ(2u, person.messages().size());
    EXPECT_EQ(Bytes("someone else's data"), readFile(path("别的.zqd")));
    EXPECT_EQ(lockedBytes, readFile(locked));

    open({"qelvana", path("没有.zqd")});
    EXPECT_FALSE(editor->databaseMode());
}

TEST_F(DatabaseModeTest, AChangeThatCannotBeStoredIsReportedAndKeptForTheSaveQuestion)
{
    ASSERT_TRUE(QDir(directory.path()).mkdir("store"));
    const Text file = path("store\\会议.zqd");
    ASSERT_TRUE(writeFile(file, ""));   // an empty file: a new, empty table
    open({"qelvana", file});
    ASSERT_TRUE(editor->databaseMode());
    EXPECT_EQ(0, tableRowCount(doc()));
    ASSERT_TRUE(QDir(directory.file("store")).removeRecursively());

    person.answerMessage(AnswerOk);
    setTableSize(doc(), 2, 2);
    EXPECT_TEXT_EQ("保存文件失败！", person.messages().at(0).text);
    EXPECT_EQ(1, modifiedFlag);
    person.answerMessage(AnswerCancel);
    pressCloseBox(*editor);
    processEvents();
    EXPECT_TRUE(editorOpen());
}

// A conversion changes every cell; the file is written once, after the
// last, and a write that fails is told once.
TEST_F(DatabaseModeTest, ACommandWritesTheFileOnceAfterItsLastChange)
{
    addConversionLibrary();
    ASSERT_TRUE(QDir(directory.path()).mkdir("store"));
    const Text file = path("store\\会议.zqd");
    {
        Window scratch{"scratch", {0, 0, 10, 10}, ""};
        DataSource table{scratch, "table"};
        setTableSize(table, 50, 10);
        for (int row = 1; row <= 50; ++row)
            for (int column = 1; column <= 10; ++column)
                setCellText(table, row, column, "会议");
        ASSERT_TRUE(saveGridFile(table, file));
    }
    open({"qelvana", file});
    ASSERT_TRUE(editor->databaseMode());
    chooseMenuItem(editor->简体到繁体);
    const Text converted = cellText(doc(), 50, 10);
    EXPECT_NE(Text("会议"), converted);
    EXPECT_TEXT_EQ(converted, storedCell(file, 50, 10));

    ASSERT_TRUE(QDir(directory.file("store")).removeRecursively());
    person.answerMessage(AnswerOk);
    chooseMenuItem(editor->繁体到简体);
    EXPECT_EQ(std::vector<Text>{"保存文件失败！"}, messageTexts());
    EXPECT_TEXT_EQ("会议", cellText(doc(), 50, 10));
    EXPECT_EQ(1, modifiedFlag);
}

} // namespace
