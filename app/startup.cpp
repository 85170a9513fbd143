#include "app/startup.h"

#include "state/globals.h"
#include "app/login_window.h"
#include "backup/restore_run.h"
#include "common/runtime.h"

void startProgram()
{
    resetGlobals();
    // Before anything reads the data: a restore cut short is finished or
    // undone, so the photos and the database belong together.
    settleInterruptedRestore(programDirectory());
    loadStartWindow<LoginWindow>();
    runEventLoop();
    exitProgram(0);
}
