#pragma once
// The backup: copies the live database into the data directory and packs
// that directory into the backup file the user chose (backup_run.h), never
// beside another backup or a restore. One backup per opening.
#include "desk/tools/backup_frame.h"

class BackupWindow : public BackupFrame {
public:
    BackupWindow();

    Button 备份{*this, "备份", {24, 164, 100, 28}, "开始备份(&S)"};

    void onChooseBackupTargetClick();
    void onBackupTimerTick();
    void onStartBackupClick();
    void onBackupReturnClick();

    // Ends the program after its message (a database that could not be
    // copied), once every open window has been closed as its close box
    // would: a template editor asks its save question first, and one the
    // user keeps open keeps the program running.
    void abortBackupFault();

private:
    // The live database with its journals and everything in the data
    // directory (the database copy of the backup included): a backup there
    // would destroy what it saves; and the lock of backups and restores and
    // a restore's place, which would take the backup over.
    static bool isRefusedTarget(const Text& target);
};
