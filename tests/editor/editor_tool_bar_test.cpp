// The editor's tool bar: each button by its place in the bar.
#include "common/program/clipboard.h"
#include "tests/editor/editor_fixture.h"

#include <functional>
#include <set>

namespace {

class ToolBarTest : public EditorTest {
protected:
    // A 6 x 6 table on which every command leaves a result of its own: text
    // and a tinted cell in the block (2,2)-(4,4), which is selected, lines
    // and every diagonal on part of it, a merged pair at its start. The
    // document is untitled and unchanged; "粘" is on the clipboard.
    void prepare()
    {
        setTableSize(doc(), 6, 6);
        for (int row = 2; row <= 4; ++row)
            for (int column = 2; column <= 4; ++column)
                setCellText(doc(), row, column, "格");
        setBlockBackground(doc(), 4, 4, 1, 1, 0x00FFFF);
        addBlockLines(doc(), 2, 2, 2, 2, GridAllLines);
        addBlockLines(doc(), 3, 3, 1, 1, GridDiagonals);
        mergeBlock(doc(), 2, 2, 1, 2);
        select(2, 2, 3, 3);
        currentFileName = "";
        modifiedFlag = 0;
        setClipboardText("粘");
        callsBefore_ = person.calls().size();
    }
    // What a command left: the document, the clipboard, the flag and what
    // the person was asked.
    Bytes outcome()
    {
        Bytes result = encodeGrid(doc().document()) + "|" + clipboardText() + "|" + toText(modifiedFlag);
        for (size_t i = callsBefore_; i < person.calls().size(); ++i)
            result += "|" + toText(int(person.calls()[i].kind)) + ":" + person.calls()[i].text;
        return result;
    }

private:
    size_t callsBefore_ = 0;
};

// Each button with a menu item does what the item does; the fixture tells
// every command's result from every other's, so a button wired to the wrong
// command fails. The two marking buttons, 禁填 and 复原, have no item: their
// tests press them with the cell commands.
TEST_F(ToolBarTest, EachButtonRunsItsMenuCommand)
{
    const auto none = [](ScriptedInteraction&) {};
    const auto noFile = [](ScriptedInteraction& p) { p.answerFile(false); };
    struct Button {
        int number;
        MenuItem TemplateEditorWindow::*item;
        std::function<void(ScriptedInteraction&)> answers;
    };
    using W = TemplateEditorWindow;
    const Button buttons[] = {
        {0, &W::新建, none}, {1, &W::打开, noFile}, {2, &W::保存, noFile},
        {4, &W::剪切, none}, {5, &W::复制, none}, {6, &W::粘贴, none},
        {8, &W::打印预览, [](ScriptedInteraction& p) { p.answerPrintPreview(); }},
        {9, &W::打印, [](ScriptedInteraction& p) { p.answerPageSetup(false); }},
        {11, &W::组合, none}, {12, &W::分解, none}, {13, &W::清空, none},
        {15, &W::添加边框, none}, {16, &W::添加水平表格线, none}, {17, &W::添加垂直表格线, none},
        {18, &W::添加全部表格线, none}, {19, &W::添加单斜线, none}, {20, &W::添加双斜线, none},
        {21, &W::添加交叉线, none}, {23, &W::清除内部表格线, none}, {24, &W::清除斜线或交叉线, none},
        {25, &W::清除所有表格线, none},
    };
    open();
    std::set<Bytes> outcomes;
    for (const Button& b : buttons) {
        MenuItem& item = editor->*b.item;
        prepare();
        b.answers(person);
        chooseMenuItem(item);
        const Bytes byMenu = outcome();
        prepare();
        b.answers(person);
        pressToolButton(editor->工具条1, b.number);
        EXPECT_EQ(byMenu, outcome()) << "button " << b.number << ", " << gbkToUtf8(item.caption());
        outcomes.insert(byMenu);
    }
    EXPECT_EQ(std::size(buttons), outcomes.size()) << "two commands left the same result";
}

} // namespace
