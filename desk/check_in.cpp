// Page 7: the arrival desk. A picked delegate's data is merged into the
// welcome label, which is printed, and the arrival is recorded.
#include "desk/main_window.h"
#include "state/globals.h"

namespace {

Text labelTemplateFile() { return programDirectory() + "\\会议标签.rtf"; }

} // namespace

void MainWindow::wireCheckInPage()
{
    图片框2.setPicture(loadPicture("check_in.png"));
    横幅.setLabelFont({"隶书", 22});
    按钮3.clicked = [this] { onShowSampleClick(); };
    按钮15.clicked = [this] { onHideSampleClick(); };
    按钮17.clicked = [this] { onPrintLabelClick(); };
    超级按钮2.clicked = [this] { onCheckInClick(); };
    单选框6.clicked = [this] { onShowCheckedInClick(); };
    单选框7.clicked = [this] { onShowNotCheckedInClick(); };
    按钮4.clicked = [this] { onInsertMeetingNameClick(); };
    按钮8.clicked = [this] { onInsertDelegateClick(); };
    按钮13.clicked = [this] { onInsertRoomClick(); };
    按钮14.clicked = [this] { onInsertTableClick(); };
    按钮9.clicked = [this] { onInsertGroupClick(); };
    按钮10.clicked = [this] { onInsertConvenerClick(); };
    按钮11.clicked = [this] { onInsertLiaisonClick(); };
    按钮12.clicked = [this] { onInsertSeatClick(); };
    超级按钮1.clicked = [this] { onSaveSampleClick(); };
    按钮18.clicked = [this] { onBackFromSampleClick(); };
}

void MainWindow::loadLabelTemplate()
{
    // Read whole; a missing file gives an empty template.
    const int file = openFile(labelTemplateFile(), FileRead);
    const Text content = readTextFromFile(file);
    closeAllFiles();
    Text problem;
    if (!超级编辑框1.setContent(content, &problem))
        messageBox("标签样本文件 会议标签.rtf 已损坏（" + problem + "）。\r\n这里显示的是能读出的部分；按“保存样本”会用它替换这个文件。",
                   BoxOk | IconExclamation, "");
}

void MainWindow::replaceAllInRichText(const Text& marker, const Text& value)
{
    // Inserted directly: the person's clipboard is left as it was.
    for (int p = richFindText(超级编辑框2, marker, 0); p != -1;
         p = richFindText(超级编辑框2, marker, p + textLength(value))) {
        超级编辑框2.setSelection(p, textLength(marker));
        richDeleteSelection(超级编辑框2);
        richInsertText(超级编辑框2, value);
    }
}

bool MainWindow::fillCheckInSlip()
{
    replaceAllInRichText("[会议名称]", currentMeetingName);
    if (!runDelegateQuery("select * from 代表信息 where 会议编号=" + currentMeetingText() + "  and  代表id="
                          + toText(currentDelegateId)))
        return false;
    recordMoveFirst(currentRecordSet);
    // A delegate deleted since the tree was filled has no data to merge.
    if (recordSetAtEnd(currentRecordSet)) {
        closeCurrentRecordSet();
        messageBox("查询失败！", BoxOk, "");
        return false;
    }
    auto field = [this](const char* column) { return readField(currentRecordSet, column).text(); };
    replaceAllInRichText("[代表]", field("姓名"));
    replaceAllInRichText("[房间]", field("宾馆名称") + field("房间编号") + "房间");
    replaceAllInRichText("[餐桌]", field("餐厅名称") + field("餐桌编号"));

    int group = querySql(外部数据库1, "select * from 会议分组 where 分组id=" + toText(readField(currentRecordSet, "分组编号").number()));
    recordMoveFirst(group);
    if (group == 0) {
        messageBox("查询失败！", BoxOk, "");
        return false;
    }
    // A delegate in no group finds no row: the three markers go empty.
    replaceAllInRichText("[分组]", readField(group, "分组名称").text());
    replaceAllInRichText("[召集人]", readField(group, "召集人").text());
    replaceAllInRichText("[联络员]", readField(group, "联络员").text());
    closeRecordSet(group);

    int meeting = querySql(外部数据库1, "select * from 会议信息   where 会议编号=" + currentMeetingText());
    recordMoveFirst(meeting);
    if (meeting == 0) {
        messageBox("查询失败！", BoxOk, "");
        return false;
    }
    Text seats;
    for (int k = 1; k <= 5; ++k) {
        const Text column = "表" + toText(k), seat = field(column.c_str());
        if (seat != "0")
            seats += readField(meeting, column).text() + "您在" + seat + "，";
    }
    replaceAllInRichText("[座次]", seats);
    closeRecordSet(meeting);
    closeCurrentRecordSet();
    return true;
}

void MainWindow::showSlipFor(int value)
{
    currentDelegateId = value;
    if (value == 0) {
        超级按钮2.setDisabled(true);
        return;
    }
    超级编辑框2.setVisible(false);
    超级编辑框2.setContent(超级编辑框1.content());
    const bool merged = fillCheckInSlip();
    超级编辑框2.setVisible(true);
    // The merge leaves the caret at the last marker; the label is read from its top.
    超级编辑框2.setSelection(0, 0);
    // Only a delegate whose label was merged can be checked in.
    超级按钮2.setDisabled(!merged);
    if (选择夹2.currentPage() == 1)
        选择夹2.setCurrentPage(0);
    if (!选择夹2.visible())
        选择夹2.setVisible(true);
}

void MainWindow::onInsertMeetingNameClick() { richInsertText(超级编辑框1, "[会议名称]"); }
void MainWindow::onInsertDelegateClick() { richInsertText(超级编辑框1, "[代表]"); }
void MainWindow::onInsertRoomClick() { richInsertText(超级编辑框1, "[房间]"); }
void MainWindow::onInsertTableClick() { richInsertText(超级编辑框1, "[餐桌]"); }
void MainWindow::onInsertGroupClick() { richInsertText(超级编辑框1, "[分组]"); }
void MainWindow::onInsertConvenerClick() { richInsertText(超级编辑框1, "[召集人]"); }
void MainWindow::onInsertLiaisonClick() { richInsertText(超级编辑框1, "[联络员]"); }
void MainWindow::onInsertSeatClick() { richInsertText(超级编辑框1, "[座次]"); }

void MainWindow::onShowSampleClick() { 选择夹2.setCurrentPage(1); }
void MainWindow::onBackFromSampleClick() { 选择夹2.setCurrentPage(0); }
void MainWindow::onHideSampleClick() { 选择夹2.setVisible(false); }

void MainWindow::onSaveSampleClick()
{
    // A file that cannot be written keeps its old content, and the page the
    // edited template for another try.
    const bool written = writeFile(labelTemplateFile(), 超级编辑框1.content());
    closeAllFiles();
    if (!written) {
        messageBox("保存失败！", BoxOk, "注意");
        return;
    }
    超级编辑框2.setContent("");
    选择夹2.setCurrentPage(0);
}

void MainWindow::onCheckInClick()
{
    if (currentDelegateId == 0)
        return;
    if (!execSql(外部数据库1, "update 代表信息 set 报到情况=true  where  代表id=" + toText(currentDelegateId))) {
        messageBox("报到失败！", BoxOk, "");
        return;
    }
    超级按钮2.setDisabled(true);
    const int item = 树型框1.currentItem();
    consumeTreeItem(item, treeItemImage(树型框1, item) + 3);
    树型框1.setCurrentItem(-1);
}

void MainWindow::onPrintLabelClick()
{
    if (startPrinting(打印机1) != 1) {
        messageBox("没有可用的打印机，标签未打印！", BoxOk | IconStop, "错误");
        return;
    }
    // Half a centimetre from the top and the left of the label.
    打印机1.leftMargin = 5;
    打印机1.topMargin = 5;
    for (int i = 1; i <= richLineCount(超级编辑框2); ++i) {
        if (i == 2)
            打印机1.fontSize = 11;
        printTextLine(打印机1, richLineText(超级编辑框2, i - 1));
        打印机1.fontSize = 8;
    }
    if (!endPrinting(打印机1))
        messageBox("打印失败！", BoxOk | IconStop, "错误");
}

void MainWindow::showCheckInList(bool checkedIn)
{
    closeCurrentRecordSet();
    delegateQuerySql = "select * from 代表信息 where 会议编号=" + currentMeetingText() + "  and  报到情况="
                     + (checkedIn ? "true" : "false") + "  order  by 代表编号 ";
    currentRecordSet = querySql(外部数据库1, delegateQuerySql);
    recordMoveFirst(currentRecordSet);
    if (recordSetAtEnd(currentRecordSet))
        messageBox("查询失败！", BoxOk, "");
    else
        fillDelegateTree();
    超级按钮2.setVisible(!checkedIn);
    closeCurrentRecordSet();
}

void MainWindow::onShowCheckedInClick()
{
    if (单选框6.checked())
        showCheckInList(true);
}

void MainWindow::onShowNotCheckedInClick()
{
    if (单选框7.checked())
        showCheckInList(false);
}
