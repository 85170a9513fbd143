// Test main: Qt runs on its offscreen platform, so window tests need no display.
#include "common/program/program.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Qt wants a private runtime directory; give it one instead of a warning.
    std::string runtime = "/tmp/qelvana-runtime-" + std::to_string(getuid());
    mkdir(runtime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 0);
    testing::InitGoogleTest(&argc, argv);
    ensureRuntime();
    return RUN_ALL_TESTS();
}
