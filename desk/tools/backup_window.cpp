#include "desk/tools/backup_window.h"
#include "backup/backup_paths.h"
#include "backup/backup_run.h"
#include "backup/restore_run.h"

BackupWindow::BackupWindow()
    : BackupFrame("BackupWindow", {"数据备份", "请选择备份数据存放目录", "选择备份目录(&L)",
                                  CommonDialog::FileSave, "请选择备份文件存放的目录", "Qelvana数据库备份"})
{
    选择目录.clicked = [this] { onChooseBackupTargetClick(); };
    时钟1.tick = [this] { onBackupTimerTick(); };
    备份.clicked = [this] { onStartBackupClick(); };
    退出备份.clicked = [this] { onBackupReturnClick(); };
}

void BackupWindow::onChooseBackupTargetClick() { chooseFile(); }

void BackupWindow::onBackupTimerTick() { showPercentage(); }

void BackupWindow::onBackupReturnClick() { closeWindow(*this); }

bool BackupWindow::isRefusedTarget(const Text& target)
{
    const Text database = programDirectory() + "\\meeting.mdb", directory = programDirectory() + "\\";
    for (const Text& place : {database, database + "-wal", database + "-shm", database + "-journal",
                              programDirectory() + "\\data", restoreLockFile(directory),
                              withoutSeparator(restorePlace(directory))})
        if (pathIsWithin(target, place))
            return true;
    return false;
}

void BackupWindow::abortBackupFault()
{
    endWork();
    messageBox("系统遇到故障，备份无法进行，请退出系统重试！", BoxOk | IconStop, "错误！");
    if (closeAllWindows())
        exitProgram(0);
}

void BackupWindow::onStartBackupClick()
{
    const Text target = chosenPath();
    if (target.empty()) {
        messageBox("备份目录不能为空，请点击［选择备份目录］选择备份数据存放的目录！", BoxOk | IconStop,
                   "错误！");
        return;
    }
    if (isRefusedTarget(target)) {
        messageBox("备份文件不能是正在使用的数据库，也不能放在数据目录data中，请重新选择备份文件！",
                   BoxOk | IconStop, "错误！");
        return;
    }
    startWork();
    备份.setDisabled(true);
    退出备份.setDisabled(true);
    const BackupOutcome outcome = backUpProgramDirectory(programDirectory(), target, [this] { 进度条1.setPosition(10); });
    switch (outcome) {
    case BackupOutcome::CopyFailed:
        abortBackupFault();
        return;
    case BackupOutcome::Restoring:
    case BackupOutcome::BackingUp:
    case BackupOutcome::Unfinished:
        // Nothing was done: the user may start again later.
        备份.setDisabled(false);
        退出备份.setDisabled(false);
        if (outcome == BackupOutcome::Unfinished)
            refuseAtStart(unfinishedRestoreText(programDirectory()), BoxOk | IconStop, "错误！");
        else
            refuseWhileRunning(outcome == BackupOutcome::BackingUp ? DataWork::Backup : DataWork::Restore);
        return;
    case BackupOutcome::Packed:
        进度条1.setPosition(100);
        messageBox("数据备份成功！", BoxOk | IconInformation, "恭喜！");
        stopTimer();
        break;
    case BackupOutcome::Failed:
        // A copy of the database may stay in data; the next backup replaces it.
        messageBox("数据备份失败！请退出系统重试！", BoxOk | IconStop, "错误！");
        break;
    }
    endWork();
    退出备份.setDisabled(false);
}
