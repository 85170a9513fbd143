#pragma once
// What the backup and the restore window share: the same units in the same
// places, the file choice, the percentage label and its timer.
#include "backup/restore_journal.h"
#include "common/runtime.h"

class BackupFrame : public Window {
public:
    GroupBox 分组框1{*this, "分组框1", {8, 8, 356, 64}, ""};
    EditBox 编辑框1{分组框1, "编辑框1", {8, 26, 232, 24}};
    Button 选择目录{分组框1, "选择目录", {248, 26, 100, 24}, ""};
    CommonDialog 通用对话框1{"通用对话框1"};
    ProgressBar 进度条1{*this, "进度条1", {8, 92, 356, 24}, 100};
    // Over the middle of the bar, so made after it.
    TransparentLabel 标签1{*this, "标签1", {162, 88, 48, 32}};
    Timer 时钟1{*this, "时钟1"};
    Button 退出备份{*this, "退出备份", {256, 164, 100, 28}, "返　　回(&X)"};

protected:
    // Both dialogs choose a backup file ("*.JQV"); a save dialog for the
    // backup, an open dialog for the restore.
    struct Setup {
        Text window, frame, chooser;
        CommonDialog::Kind dialogKind;
        Text dialogTitle, dialogFileName;
    };
    BackupFrame(const Text& name, const Setup& setup);

    // The path box gets the dialog's file name whether it was confirmed or
    // not, as this platform writes a path.
    void chooseFile();
    // The path box's text, typed with either separator, as a program path.
    Text chosenPath() const;
    void showPercentage();
    // The timer runs and the label shows; until endWork, the close box
    // leaves the window open while the work lets events run.
    void startWork();
    void endWork();
    void stopTimer();
    // The work refused at its start, nothing done: the window as before the
    // start (the timer stopped, the label hidden), and the user told why.
    void refuseAtStart(const Text& message, int boxKind, const Text& caption);
    // refuseAtStart while another restore or backup of the program
    // directory runs, telling which runs.
    void refuseWhileRunning(DataWork running);

private:
    bool working_ = false;
};
