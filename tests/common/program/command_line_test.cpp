// Raw command lines reach the program without a shell.
#include "common/files/files.h"
#include "common/program/command_line.h"
#include "common/internal/qtext.h"

#include <QDir>
#include <QFile>
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

TEST(CommandLine, ProgramsOfTheOriginalPlatformHaveTheirStandIns)
{
    const QString a = QStringLiteral("a"), p = QStringLiteral("/p");
    // The picture at its own size: 96 pixels to the inch, not fitted to the page.
    const QStringList spooler{QStringLiteral("lp"), QStringLiteral("-o"), QStringLiteral("ppi=96"), QStringLiteral("-o"),
                              QStringLiteral("natural-scaling=100")};
    EXPECT_EQ(platformCommand({QStringLiteral("hh.exe"), a}), (QStringList{QStringLiteral("xdg-open"), a}));
    EXPECT_EQ(platformCommand({QStringLiteral("HH.EXE"), a}), (QStringList{QStringLiteral("xdg-open"), a}));
    for (const char* paint : {"mspaint", "MSPaint", "mspaint.exe"})
        EXPECT_EQ(platformCommand({QString::fromLatin1(paint), a, p}), spooler + QStringList{a}) << paint;
    EXPECT_EQ(platformCommand({QStringLiteral("cp"), a, p}), (QStringList{QStringLiteral("cp"), a, p}));
    EXPECT_TRUE(platformCommand({}).isEmpty());

    // The badge picture's path, blanks and Chinese included, reaches the spooler whole.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString home = dir.path() + QStringLiteral("/会 议");
    ASSERT_TRUE(QDir().mkpath(home));
    QFile picture(home + QStringLiteral("/temp.bmp"));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.close();
    EXPECT_EQ(platformCommand(splitCommandLine("mspaint  \"" + fromQtPath(home) + "\\temp.bmp\"  /p")),
              spooler + QStringList{home + QStringLiteral("/temp.bmp")});
}

} // namespace
