#pragma once
// The program's entry point: prepares the global values, opens the login
// window as the start window and runs until no window is left.
[[noreturn]] void startProgram();
