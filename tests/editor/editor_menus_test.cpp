// The editor's menus as the person finds them, and the keys of their
// shortcuts.
#include "common/program/clipboard.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"
#include "tests/editor/editor_fixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

// One line per entry, indented by depth: the caption, then the key of its
// shortcut; "-" for a separator; a sub-menu's caption followed by ">".
void outline(const QList<QAction*>& actions, const Text& indent, TextList& lines)
{
    for (QAction* a : actions) {
        if (a->isSeparator()) {
            lines.push_back(indent + "-");
            continue;
        }
        Text line = indent + fromQString(a->text());
        if (a->menu() != nullptr) {
            lines.push_back(line + " >");
            outline(a->menu()->actions(), indent + "  ", lines);
            continue;
        }
        if (!a->shortcut().isEmpty())
            line += " " + fromQString(a->shortcut().toString(QKeySequence::PortableText));
        lines.push_back(line);
    }
}

using EditorMenusTest = EditorTest;

TEST_F(EditorMenusTest, TheMenusHoldTheirItemsInOrderWithTheirKeys)
{
    open();
    TextList lines;
    outline(QtObjects::menuBar(*editor)->actions(), "", lines);
    const TextList expected = {
        "&F.文件 >", "  &N.新建 Ctrl+N", "  &O.打开 Ctrl+O", "  &S.保存 Ctrl+S", "  &A.另存为", "  -",
        "  &U.打印设置", "  &P.打印 Ctrl+P", "  &V.打印预览", "  -", "  &X.退出",
        "&E.编辑 >", "  &T.剪切 Ctrl+X", "  &C.复制 Ctrl+C", "  &V.粘贴 Ctrl+V", "  -", "  &M.组合", "  &L.分解",
        "  &E.置表头行数", "  &B.置表头列数", "  &D.行列 >", "    &I.插入行 Ctrl+I", "    &L.插入列",
        "    &R.删除行 Ctrl+D", "    &O.删除列", "    &H.置行高", "    &W.置列宽", "  &A.添加数据", "  -",
        "  &G.表格属性", "  -", "  &N.语言转换 >", "    &1.GBK简体中文->BIG5繁体中文",
        "    &2.BIG5繁体中文->GBK简体中文", "  &S.显示比例 >", "    &1. 50%", "    &2. 100%", "    &3. 200%",
        "    &4. 等宽",
        "&C.单元格 >", "  &T.单元格类型 >", "    &T.文本型", "    &F.图片文件名型", "    &P.图片数据型",
        "  &F.文本颜色", "  &B.背景颜色", "  &N.字体", "  &R.边距", "  &O.输入方式 >", "    &1.通常型",
        "    &2.字节型", "    &3.短整数型", "    &4.整数型", "    &5.长整数型", "    &6.小数型",
        "    &7.双精度小数型", "    &8.逻辑型", "    &9.日期时间型", "  &A.对齐方式 >", "    &1.上左",
        "    &2.上中", "    &3.上右", "    &4.中左", "    &5.中中", "    &6.中右", "    &7.下左", "    &8.下中",
        "    &9.下右", "    &A.缩放图片", "    &B.居中图片", "    &C.缩放居中图片", "    &D.平铺图片",
        "    &E.缩放平铺图片", "  &L.边框或线条 >", "    &A.添加边框", "    &L.添加全部表格线",
        "    &H.添加水平表格线", "    &V.添加垂直表格线", "    &1.添加单斜线", "    &2.添加双斜线",
        "    &3.添加交叉线", "    -", "    &R.清除内部表格线", "    &B.清除斜线或交叉线", "    &C.清除所有表格线",
        "  &C.杂项 >", "    &1.置为只读", "    &2.取消只读", "    &3.密码方式输入", "    &4.取消密码方式", "  -",
        "  &E.清空", "  &D.写入图片数据",
        "&A.关于 >", "  &A.关于Tabrel",
    };
    ASSERT_EQ(expected.size(), lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_TEXT_EQ(expected[i], lines[i]) << "entry " << i;
}

// Each key runs its own command, with the focus in the grid as the person
// leaves it.
TEST_F(EditorMenusTest, EachShortcutKeyRunsItsCommand)
{
    open();
    pressShortcut(*editor, 14);   // Ctrl+N
    ASSERT_EQ(50, tableRowCount(doc()));
    QtObjects::widget(editor->表格1)->setFocus();
    setCellText(doc(), 2, 2, "甲");
    select(2, 2);
    clearClipboard();

    pressShortcut(*editor, 3);   // Ctrl+C
    EXPECT_EQ(1, findText(clipboardText(), "甲")) << gbkToUtf8(clipboardText());
    EXPECT_EQ(0, modifiedFlag);
    pressShortcut(*editor, 24);   // Ctrl+X
    EXPECT_TEXT_EQ("", cellText(doc(), 2, 2));
    EXPECT_EQ(1, modifiedFlag);
    setClipboardText("乙");
    select(4, 1);
    pressShortcut(*editor, 22);   // Ctrl+V
    EXPECT_TEXT_EQ("乙", cellText(doc(), 4, 1));
    select(3, 1);
    pressShortcut(*editor, 9);   // Ctrl+I: a row before row 3
    EXPECT_EQ(51, tableRowCount(doc()));
    EXPECT_TEXT_EQ("乙", cellText(doc(), 5, 1));
    select(5, 1);
    pressShortcut(*editor, 4);   // Ctrl+D
    EXPECT_EQ(50, tableRowCount(doc()));
    EXPECT_TEXT_EQ("", cellText(doc(), 5, 1));

    person.answerFile(false);
    pressShortcut(*editor, 19);   // Ctrl+S on an untitled document
    EXPECT_TEXT_EQ("请输入欲保存到的表格文件名：", person.lastFileRequest().title);
    person.answerPageSetup(false);
    pressShortcut(*editor, 16);   // Ctrl+P
    EXPECT_EQ(ScriptedInteraction::Call::PageSetup, person.calls().back().kind);
    person.answerMessage(AnswerNo).answerFile(false);
    pressShortcut(*editor, 15);   // Ctrl+O, after the save question
    EXPECT_TEXT_EQ("请输入欲打开的表格文件名：", person.lastFileRequest().title);
    EXPECT_EQ(1u, person.messages().size());
}

} // namespace
