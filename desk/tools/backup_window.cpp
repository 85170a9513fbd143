#include "desk/tools/backup_window.h"
#include "backup/backup_file.h"
#include "state/globals.h"
#include "common/database/database_copy.h"

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
    const Text database = programDirectory() + "\\meeting.mdb";
    for (const Text& place : {database, database + "-wal", database + "-shm", database + "-journal",
                              programDirectory() + "\\data"})
        if (pathIsWithin(target, place))
            return true;
    return false;
}

bool BackupWindow::copyDatabaseToDataDir()
{
    if (!snapshotDatabase(programDirectory() + "\\meeting.mdb", programDirectory() + "\\data\\meeting.mdb")) {
        abortBackupFault();
        return false;
    }
    进度条1.setPosition(10);
    return true;
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
    if (!copyDatabaseToDataDir())
        return;
    backupSourceDir = programDirectory() + "\\data";
    if (packDirectoryToFile(backupSourceDir, target).empty()) {
        进度条1.setPosition(100);
        messageBox("数据备份成功！", BoxOk | IconInformation, "恭喜！");
        deleteFile(programDirectory() + "\\data\\meeting.mdb");
        stopTimer();
    } else {
        // The copy stays in data; the next backup replaces it.
        messageBox("数据备份失败！请退出系统重试！", BoxOk | IconStop, "错误！");
    }
    endWork();
    退出备份.setDisabled(false);
}
