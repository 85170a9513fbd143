#pragma once
// The restore: checks a backup file whole, puts its photos and its database
// in place of data's and meeting.mdb's together (restore_run.h), showing its
// progress, and closes itself and the main window it was opened from (none:
// only itself), so that the user starts again.
#include "desk/tools/backup_frame.h"

class RestoreWindow : public BackupFrame {
public:
    explicit RestoreWindow(Window* mainWindow = nullptr);

    Button 恢复{*this, "恢复", {24, 164, 100, 28}, "开始恢复(&S)"};

    void onChooseRestoreSourceClick();
    void onRestoreTimerTick();
    void onStartRestoreClick();
    void onRestoreReturnClick();

    void reportRestoreFailure();

private:
    void closeWithMainWindow();

    Window* mainWindow_;
};
