#include "desk/tools/backup_frame.h"

BackupFrame::BackupFrame(const Text& name, const Setup& setup)
    : Window(name, {0, 0, 380, 250}, setup.window)
{
    分组框1.setCaption(setup.frame);
    选择目录.setCaption(setup.chooser);
    编辑框1.setFont({"宋体", 9});
    通用对话框1.kind = setup.dialogKind;
    通用对话框1.title = setup.dialogTitle;
    通用对话框1.fileName = setup.dialogFileName;
    // One description without a pattern part, passed on as it stands.
    通用对话框1.filter = "备份文件(*.JQV)";
    通用对话框1.defaultExtension = "JQV";
    标签1.setTextColour(0xFFFFFF);
    标签1.setVisible(false);
    mayClose = [this] { return !working_; };
}

void BackupFrame::chooseFile()
{
    openCommonDialog(通用对话框1);
    编辑框1.setContent(shownPath(通用对话框1.fileName));
}

Text BackupFrame::chosenPath() const { return typedPath(编辑框1.content()); }

void BackupFrame::showPercentage() { 标签1.setCaption("%" + toText(进度条1.position())); }

void BackupFrame::startWork()
{
    时钟1.setPeriod(1);
    标签1.setVisible(true);
    working_ = true;
}

void BackupFrame::endWork() { working_ = false; }

void BackupFrame::stopTimer() { 时钟1.setPeriod(0); }

void BackupFrame::refuseAtStart(const Text& message, int boxKind, const Text& caption)
{
    stopTimer();
    标签1.setVisible(false);
    endWork();
    messageBox(message, boxKind, caption);
}

void BackupFrame::refuseWhileRunning(DataWork running)
{
    refuseAtStart(running == DataWork::Backup ? "另一个数据备份正在进行，请稍后再试！" : "另一个数据恢复正在进行，请稍后再试！",
                  BoxOk | IconExclamation, "注意");
}
