#include "desk/tools/restore_window.h"
#include "backup/restore_run.h"
#include "common/database/database.h"

namespace {

const Text kQuestion = "数据恢复将恢复您上次备份的数据，如果您在上次备份之后输入了新数据，\r\n"
                       "数据恢复后该数据将会丢失！用户名和密码也将恢复上次备份时的状态！\r\n\r\n"
                       "确定要进行数据恢复吗？";

} // namespace

RestoreWindow::RestoreWindow(Window* mainWindow)
    : BackupFrame("RestoreWindow", {"数据恢复", "请选择备份的数据文件", "选择数据目录(&L)",
                                  CommonDialog::FileOpen, "请选择存放的备份文件", "*.JQV"}),
      mainWindow_(mainWindow)
{
    选择目录.clicked = [this] { onChooseRestoreSourceClick(); };
    时钟1.tick = [this] { onRestoreTimerTick(); };
    恢复.clicked = [this] { onStartRestoreClick(); };
    退出备份.clicked = [this] { onRestoreReturnClick(); };
}

void RestoreWindow::onChooseRestoreSourceClick() { chooseFile(); }

void RestoreWindow::onRestoreTimerTick() { showPercentage(); }

void RestoreWindow::onRestoreReturnClick() { closeWindow(*this); }

void RestoreWindow::onStartRestoreClick()
{
    releaseDataHandlesA();
    releaseDataHandlesB();
    releaseDataHandlesC();
    if (messageBox(kQuestion, BoxYesNo | IconExclamation, "警告！") != AnswerYes)
        return;
    const Text source = chosenPath();
    if (source.empty()) {
        messageBox("请选择欲恢复的备份文件！", BoxOk | IconStop, "错误！");
        return;
    }
    startWork();
    恢复.setDisabled(true);
    退出备份.setDisabled(true);
    const RestoreOutcome outcome = restoreBackupFile(source, programDirectory(), [this](int position) {
        进度条1.setPosition(position);
        processEvents();
    });
    恢复.setDisabled(false);
    退出备份.setDisabled(false);
    endWork();
    switch (outcome) {
    case RestoreOutcome::Refused:
        messageBox("数据恢复失败，请退出系统重试！", BoxOk | IconStop, "错误！");
        return;
    case RestoreOutcome::Foreign:
        messageBox("该文件不是本系统的数据备份，请重新选择备份文件！", BoxOk | IconStop, "错误！");
        return;
    case RestoreOutcome::DatabaseFailed:
        reportRestoreFailure();
        return;
    case RestoreOutcome::Restoring:
        refuseWhileRunning(DataWork::Restore);
        return;
    case RestoreOutcome::BackingUp:
        refuseWhileRunning(DataWork::Backup);
        return;
    case RestoreOutcome::Unfinished:
        messageBox(unfinishedRestoreText(programDirectory()), BoxOk | IconStop, "错误！");
        closeWithMainWindow();
        return;
    case RestoreOutcome::Restored:
        break;
    }
    进度条1.setPosition(100);
    stopTimer();
    messageBox("数据恢复成功，请退出系统重新登录！", BoxOk | IconInformation, "恭喜！");
    closeWithMainWindow();
}

void RestoreWindow::reportRestoreFailure()
{
    messageBox("恢复数据失败，请退出系统重试！", BoxOk | IconStop, "错误！");
    closeWithMainWindow();
}

void RestoreWindow::closeWithMainWindow()
{
    closeWindow(*this);
    if (mainWindow_ && mainWindow_->isOpen())
        closeWindow(*mainWindow_);
}
