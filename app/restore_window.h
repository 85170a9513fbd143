#pragma once
// The restore: unpacks a backup file into the program directory, puts its
// database in place of meeting.mdb and closes itself and the main window,
// so that the user starts again.
#include "app/backup_frame.h"

class RestoreWindow : public BackupFrame {
public:
    RestoreWindow();

    Button 恢复{*this, "恢复", {24, 164, 100, 28}, "开始恢复(&S)"};

    void onChooseRestoreSourceClick();
    void onRestoreTimerTick();
    void onStartRestoreClick();
    void onRestoreReturnClick();

    void reportRestoreFailure();

private:
    void closeWithMainWindow();
};
