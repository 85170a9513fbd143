// Raw command lines reach the program without a shell.
#include "common/files.h"
#include "common/internal/command_line.h"
#include "common/qtext.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, PathsKeepBlanksAndBackslashesOptionsStayAsWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString home = dir.path() + QStringLiteral("/会 议");
    ASSERT_TRUE(QDir().mkpath(home));
    Text d = fromQtPath(home);   // "\tmp\...\会 议"

    QStringList help = splitCommandLine("hh.exe " + d + "\\meeting.chm");
    ASSERT_EQ(help.size(), 2);
    EXPECT_EQ(help[0], QStringLiteral("hh.exe"));
    EXPECT_EQ(help[1], home + QStringLiteral("/meeting.chm"));

    // A new file in an existing directory does not swallow the next word.
    QStringList copy = splitCommandLine("cp " + d + "\\新 x");
    EXPECT_EQ(copy.size(), 3);

    EXPECT_EQ(splitCommandLine("mspaint  temp.bmp  /p"),
              (QStringList{QStringLiteral("mspaint"), QStringLiteral("temp.bmp"), QStringLiteral("/p")}));
    EXPECT_EQ(splitCommandLine("\"a b\" c"), (QStringList{QStringLiteral("a b"), QStringLiteral("c")}));
    EXPECT_TRUE(splitCommandLine("   ").isEmpty());
    // "\" after the trail byte 0x5C of "淺" is still one separator.
    EXPECT_EQ(splitCommandLine("x \\tmp\\淺\\y"),
              (QStringList{QStringLiteral("x"), QStringLiteral("/tmp/淺/y")}));
}

} // namespace

namespace {

TEST(CommandLine, TheHelpViewerIsTheDesktopViewerHere)
{
    EXPECT_EQ(platformProgram(QStringLiteral("hh.exe")), QStringLiteral("xdg-open"));
    EXPECT_EQ(platformProgram(QStringLiteral("HH.EXE")), QStringLiteral("xdg-open"));
    EXPECT_EQ(platformProgram(QStringLiteral("cp")), QStringLiteral("cp"));
}

} // namespace
