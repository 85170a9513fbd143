#pragma once
// Program control: the event loop, the end of the program and long runs.
#include "common/text/text.h"

#include <functional>

// Sets up the runtime (the application object) once; called by everything
// that needs it, so program code never has to.
void ensureRuntime();

// Runs until no window of the program is open (message boxes do not count).
void runEventLoop();
// Lets pending painting and timer events run once; user input waits.
void processEvents();
// Ends the process at once, after the exit hooks (which close database
// connections) have run. Safe before the event loop and inside handlers.
[[noreturn]] void exitProgram(int code);
// Runs `hook` at exitProgram; returns an id for removeExitHook.
int addExitHook(std::function<void()> hook);
void removeExitHook(int id);

// Starts a program with a raw command line; never waits.
bool runProgram(const Text& commandLine, int windowMode = 1);

// A bracket around long runs: a busy cursor. Ending is idempotent, so a
// handler may end it twice; message boxes inside it show a normal cursor.
void beginLongOperation();
void endLongOperation();
bool longOperationActive();

// Scoped form of the bracket: ended on every way out of the block.
class LongOperation {
public:
    LongOperation() { beginLongOperation(); }
    ~LongOperation() { endLongOperation(); }
    LongOperation(const LongOperation&) = delete;
    LongOperation& operator=(const LongOperation&) = delete;
};
