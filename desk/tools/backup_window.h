#pragma once
// The backup: copies the live database into the data directory and packs
// that directory into the backup file the user chose. One backup per opening.
#include "desk/tools/backup_frame.h"

class BackupWindow : public BackupFrame {
public:
    BackupWindow();

    Button 备份{*this, "备份", {24, 164, 100, 28}, "开始备份(&S)"};

    void onChooseBackupTargetClick();
    void onBackupTimerTick();
    void onStartBackupClick();
    void onBackupReturnClick();

    // Sets the bar to 10 once the copy is made; a failed copy ends the program.
    void copyDatabaseToDataDir();
    [[noreturn]] void abortBackupFault();
};
