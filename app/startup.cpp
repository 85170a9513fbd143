#include "app/startup.h"

#include "state/globals.h"
#include "app/login_window.h"
#include "backup/restore_run.h"
#include "common/runtime.h"

void startProgram()
{
    resetGlobals();
    // Before anything reads the data: a restore cut short is finished or
    // undone, so the photos and the database belong together; one that
    // cannot be is told before the login, and one that runs is left to it.
    if (settleInterruptedRestore(programDirectory()) == Settling::Unfinished)
        messageBox(unfinishedRestoreText(programDirectory()), BoxOk | IconStop, "错误！");
    loadStartWindow<LoginWindow>();
    runEventLoop();
    exitProgram(0);
}
