#include "app/startup.h"

#include "app/state/globals.h"
#include "app/login_window.h"
#include "common/runtime.h"

void startProgram()
{
    resetGlobals();
    loadStartWindow<LoginWindow>();
    runEventLoop();
    exitProgram(0);
}
