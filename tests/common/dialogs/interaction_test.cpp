// The interaction seam and the dialogs built on it.
#include "common/platform/filters.h"
#include "common/internal/qtext.h"

#include <QDir>
#include "common/runtime.h"
#include "tests/support/scripted_interaction.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

TEST(Interaction, ScriptedMessageBoxRecordsTextCaptionAndKind)
{
    ScriptedInteraction ui;
    ui.answerMessage(AnswerCancel).answerMessage(AnswerOk);
    EXPECT_EQ(messageBox("确定删除？\r\n删除的信息将不能恢复！", BoxOkCancel | IconExclamation, "注意"),
              AnswerCancel);
    EXPECT_EQ(messageBox("无法打开数据库！"), AnswerOk);
    auto boxes = ui.messages();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TEXT_EQ("确定删除？\r\n删除的信息将不能恢复！", boxes[0].text);
    EXPECT_TEXT_EQ("注意", boxes[0].caption);
    EXPECT_EQ(boxes[0].boxKind, BoxOkCancel | IconExclamation);
    EXPECT_TEXT_EQ("", boxes[1].caption);
    EXPECT_EQ(boxes[1].boxKind, BoxOk);
}

TEST(Interaction, UnexpectedAndUnusedAnswersFailTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedInteraction ui;
            messageBox("意外");
        },
        "unexpected message box");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedInteraction ui;
            ui.answerInput(true, "x");
        },
        "unused answer for a input box");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedInteraction ui;
            ui.answerInput(true, "x");
            messageBox("顺序不对");
            Text v;
            inputBox("p", "c", v);
        },
        "unexpected message box");
}

TEST(Interaction, InputBoxChangesItsVariableOnlyWhenConfirmedWithAValidNumber)
{
    ScriptedInteraction ui;
    ui.answerInput(false).answerInput(true, "？日上午大会座次表");
    Text name = "初值";
    EXPECT_FALSE(inputBox("请输入新建大会座次表的名称", "保存", name));
    EXPECT_TEXT_EQ("初值", name);
    EXPECT_TRUE(inputBox("请输入新建大会座次表的名称", "保存", name));
    EXPECT_TEXT_EQ("？日上午大会座次表", name);

    struct Case {
        Text typed;
        bool accepted;
        int value;
    };
    const Case cases[] = {{"-5", true, -5}, {"0", true, 0}, {" 60 ", true, 60},
                          {"abc", false, 238}, {"", false, 238}, {"99999999999", false, 238}};
    for (const Case& c : cases) {
        ui.answerInput(true, c.typed);
        int height = 238;
        EXPECT_EQ(inputBox("请输入模板的高度", "模板高", height), c.accepted) << c.typed;
        EXPECT_EQ(height, c.value) << c.typed;
    }
    EXPECT_TEXT_EQ("请输入模板的高度", ui.calls().back().text);
}

TEST(Interaction, FileDialogKeepsNameOnCancelAndAddsDefaultExtension)
{
    ScriptedInteraction ui;
    CommonDialog dialog("通用对话框1", CommonDialog::FileSave);
    dialog.fileName = "Qelvana数据库备份";
    dialog.defaultExtension = "JQV";
    dialog.filter = "备份文件(*.JQV)";
    dialog.title = "请选择备份文件存放的目录";
    ui.answerFile(false)
        .answerFile(true, "D:\\备份\\二月")
        .answerFile(true, "D:\\备份.旧\\二月.jqv")
        .answerFile(true, "D:\\備份\\x");
    EXPECT_FALSE(openCommonDialog(dialog));
    EXPECT_TEXT_EQ("Qelvana数据库备份", dialog.fileName);
    EXPECT_TRUE(ui.lastFileRequest().save);
    EXPECT_TEXT_EQ("请选择备份文件存放的目录", ui.lastFileRequest().title);
    EXPECT_TRUE(openCommonDialog(dialog));
    EXPECT_TEXT_EQ("D:\\备份\\二月.JQV", dialog.fileName);
    EXPECT_TRUE(openCommonDialog(dialog));
    EXPECT_TEXT_EQ("D:\\备份.旧\\二月.jqv", dialog.fileName);
    // "備" ends in byte 0x5C; the name after it is still the last level.
    EXPECT_TRUE(openCommonDialog(dialog));
    EXPECT_TEXT_EQ("D:\\備份\\x.JQV", dialog.fileName);
}

TEST(Interaction, OpenDialogAddsTheExtensionOnlyToANameThatNamesNoFile)
{
    ScriptedInteraction ui;
    Text existing = fromQtPath(QDir::tempPath()) + "\\qelvana-open-test";
    ASSERT_TRUE(writeFile(existing, "x"));
    CommonDialog dialog("导入模板对话框", CommonDialog::FileOpen);
    dialog.defaultExtension = "grd";
    ui.answerFile(true, existing).answerFile(true, existing + "-missing");
    EXPECT_TRUE(openCommonDialog(dialog));
    EXPECT_TEXT_EQ(existing, dialog.fileName);
    EXPECT_TRUE(openCommonDialog(dialog));
    EXPECT_TEXT_EQ(existing + "-missing.grd", dialog.fileName);
    deleteFile(existing);
}

TEST(Interaction, FontDialogGivesFaceSizeStylesAndColour)
{
    ScriptedInteraction ui;
    CommonDialog dialog("字体对话框", CommonDialog::Font);
    dialog.font.face = "宋体";
    FontChoice chosen{{"黑体", 12, true, false, true, false}, rgbColour(255, 0, 0)};
    ui.answerFont(true, chosen);
    EXPECT_TRUE(openCommonDialog(dialog));
    EXPECT_TEXT_EQ("宋体", ui.lastFontRequest().font.face);
    EXPECT_TEXT_EQ("黑体", dialog.font.face);
    EXPECT_EQ(dialog.font.points, 12);
    EXPECT_TRUE(dialog.font.bold && dialog.font.underline && !dialog.font.italic);
    EXPECT_EQ(dialog.fontColour, 0x0000FF);
}

TEST(Interaction, FiltersBecomeQtFilters)
{
    struct Case {
        Text filter;
        Text expected;
    };
    const Case cases[] = {
        {"表格文件(*.grd)|*.grd", "表格文件(*.grd) (*.grd)"},
        {"JPG文件(*.jpg)|*.jpg|GIF文件(*.gif)|*.gif",
         "JPG文件(*.jpg) (*.jpg);;GIF文件(*.gif) (*.gif)"},
        {"备份文件(*.JQV)", "备份文件(*.JQV) (*.jqv *.JQV);;所有文件 (*)"},
        {"WORD文件（*.DOC）", "WORD文件（*.DOC） (*.doc *.DOC);;所有文件 (*)"},
        {"", "所有文件 (*)"},
        {"没有样式", "所有文件 (*)"},
    };
    for (const Case& c : cases)
        EXPECT_TEXT_EQ(c.expected, fromQString(qtFileFilter(c.filter))) << gbkToUtf8(c.filter);
}

TEST(Interaction, RunProgramPassesTheCommandLineUnchanged)
{
    ScriptedInteraction ui;
    ui.answerProgram(true);
    EXPECT_TRUE(runProgram("mspaint  temp.bmp  /p", 1));
    EXPECT_TEXT_EQ("mspaint  temp.bmp  /p", ui.calls().back().text);
    EXPECT_EQ(ui.calls().back().boxKind, 1);
}

} // namespace

namespace {

TEST(Printing, LinesKeepTheFontSizeInForceAndGoOutAsOneJob)
{
    ScriptedInteraction ui;
    ui.answerPrint(true);
    Printer printer("打印机1");
    printTextLine(printer, "not started");
    ASSERT_EQ(startPrinting(printer), 1);
    printer.leftMargin = printer.topMargin = 50;
    printTextLine(printer, "欢迎");
    printer.fontSize = 11;
    printTextLine(printer, "张　三");
    printer.fontSize = 8;
    printTextLine(printer, "第一组");
    EXPECT_TRUE(endPrinting(printer));
    EXPECT_FALSE(endPrinting(printer));
    ASSERT_EQ(ui.printJobs().size(), 1u);
    const PrintJob& job = ui.printJobs()[0];
    ASSERT_EQ(job.lines.size(), 3u);
    EXPECT_TEXT_EQ("张　三", job.lines[1].text);
    EXPECT_EQ(job.lines[0].points, 9);
    EXPECT_EQ(job.lines[1].points, 11);
    EXPECT_EQ(job.lines[2].points, 8);
    EXPECT_EQ(job.leftMargin, 50);
}

TEST(Printing, NoPrinterStartsNoJobAndSendsNothing)
{
    ScriptedInteraction ui;
    ui.withoutPrinter();
    Printer printer("打印机1");
    EXPECT_EQ(startPrinting(printer), 0);
    printTextLine(printer, "欢迎");
    EXPECT_FALSE(endPrinting(printer));
    EXPECT_TRUE(ui.printJobs().empty());
}

} // namespace
