// Test main: Qt runs on its offscreen platform, so window tests need no display.
#include "common/program.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    ensureRuntime();
    return RUN_ALL_TESTS();
}
