// Start-up: the login window is the only window, the program ends with exit
// code 0 when it closes.
#include "state/globals.h"
#include "app/login_window.h"
#include "app/startup.h"
#include "state/connection.h"
#include "common/database/database.h"
#include "common/internal/qt_objects.h"
#include "backup/backup_file.h"
#include "backup/backup_paths.h"
#include "backup/restore_journal.h"
#include "tests/support/gbk_print.h"
#include "tests/support/program_directory.h"
#include "tests/support/scripted_interaction.h"
#include "tests/support/write_protection.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Startup, ResetGlobalsGivesZerosAndEmptyTexts)
{
    currentMeetingId = 5;
    currentMeetingName = "会议";
    packedFilePaths = {"a"};
    chosenColour = 0xFF;
    resetGlobals();
    EXPECT_EQ(currentMeetingId, 0);
    EXPECT_TEXT_EQ("", currentMeetingName);
    EXPECT_TRUE(packedFilePaths.empty());
    EXPECT_EQ(chosenColour, 0);
}

TEST(Startup, LoginWindowOpensAloneAtItsLoginHeight)
{
    TestProgramDirectory dir;
    LoginWindow* login = loadStartWindow<LoginWindow>();
    ASSERT_NE(login, nullptr);
    EXPECT_EQ(openWindows(), std::vector<Window*>{login});
    EXPECT_EQ(login->height(), 190);
    EXPECT_EQ(login->width(), 395);
    // The tab control at top 170 lies below the client area.
    EXPECT_LT(login->clientHeight(), 170);
    EXPECT_TEXT_EQ("", login->caption());
    EXPECT_TRUE(login->修改密码.visible());
    EXPECT_FALSE(login->修改密码.checked());
    EXPECT_TEXT_EQ("进入", login->登陆按钮.caption());
    EXPECT_EQ(login->选择夹1.pageCount(), 2);
    closeWindow(*login);
}

TEST(StartupDeathTest, ClosingTheLoginWindowEndsTheProgramWithCodeZero)
{
    TestProgramDirectory dir;
    EXPECT_EXIT(
        {
            QTimer::singleShot(0, [] {
                // The close box, as the user would.
                QtObjects::container(*openWindows().front())->window()->close();
            });
            startProgram();
        },
        testing::ExitedWithCode(0), "");
}

// Starts the program, takes every message with OK and closes its windows
// once they are up; expects it to end with exit code 0 and to say on its
// error output what matches `shown` (" open=" and the number of windows
// that were up, then "[text|caption]" for each message, then " windows="
// and the number left at the end).
void expectStartSaying(const std::string& shown)
{
    EXPECT_EXIT(
        {
            auto* script = new ScriptedInteraction;
            script->answerMessage(AnswerOk);
            // Exit hooks still run when the program ends; report what was shown.
            addExitHook([script] {
                for (const auto& call : script->calls())
                    fprintf(stderr, "[%s|%s]", gbkToUtf8(call.text).c_str(), gbkToUtf8(call.caption).c_str());
                fprintf(stderr, " windows=%zu", openWindows().size());
            });
            // A start that is not refused ends too, without the message,
            // once its windows are up: it says how many.
            QTimer::singleShot(0, [] {
                fprintf(stderr, " open=%zu", openWindows().size());
                for (Window* w : openWindows())
                    closeWindow(*w);
            });
            startProgram();
        },
        testing::ExitedWithCode(0), shown);
}

// Expects the program to show `message` ("text|caption") once, with no
// window left, and to end with exit code 0.
void expectRefusedStart(const Text& message)
{
    expectStartSaying("^\\[" + gbkToUtf8(message) + "\\] windows=0$");
}

std::string regexOf(const std::string& text)
{
    std::string pattern;
    for (char c : text) {
        if (std::strchr(".[]{}()\\*+?|^$", c))
            pattern += '\\';
        pattern += c;
    }
    return pattern;
}

TEST(StartupDeathTest, ADatabaseThatDoesNotOpenIsReportedOnceAndEndsTheProgram)
{
    {
        SCOPED_TRACE("missing");
        TestProgramDirectory dir(false);
        expectRefusedStart("无法打开数据库！|");
    }
    {
        SCOPED_TRACE("an empty file, which the engine would take for a new database");
        TestProgramDirectory dir(false);
        QFile empty(dir.file("meeting.mdb"));
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
        empty.close();
        expectRefusedStart("无法打开数据库！|");
        EXPECT_EQ(QFileInfo(dir.file("meeting.mdb")).size(), 0);
    }
}

TEST(StartupDeathTest, ADatabaseThatCannotBeWrittenIsRefusedAtLogin)
{
    TestProgramDirectory dir;
    {
        // As after any earlier start: the file runs with its write-ahead log.
        Window window{"W", {0, 0, 10, 10}, ""};
        ExternalDatabase db{window, "db"};
        ASSERT_TRUE(openDatabase(db, connectionText()));
    }
    {
        SCOPED_TRACE("no room for the journal");
        WriteProtection readOnly(dir.path());
        if (!readOnly.active())
            GTEST_SKIP() << "no write protection on this file system";
        expectRefusedStart("无法打开数据库！|");
    }
    {
        SCOPED_TRACE("read-only file");
        WriteProtection readOnly(dir.file("meeting.mdb"));
        if (!readOnly.active())
            GTEST_SKIP() << "no write protection on this file system";
        expectRefusedStart("数据库无法写入！请检查 meeting.mdb 和程序目录的写入权限。|错误");
    }
}

// A restore into `prog` cut short after its photo took its place (the
// backup's photo "backed up" in place of today's), before it was final.
void restoreAPhotoCutShort(const Text& prog)
{
    ASSERT_TRUE(writeFile(prog + "data\\a.PIC", "backed up"));
    ASSERT_TEXT_EQ("", packDirectoryToFile(prog + "data", prog + "x.JQV"));
    ASSERT_TRUE(writeFile(prog + "data\\a.PIC", "today's"));
    TextList names;
    ASSERT_TEXT_EQ("", unpackToRestorePlace(prog + "x.JQV", prog, names));
    ASSERT_TEXT_EQ("", placeRestoredFiles(prog, names, 0));
    ASSERT_EQ(readFile(prog + "data\\a.PIC"), "backed up");
}

// A restore cut short after its photos took their places, before it was
// final: the start puts the photos back before the login window opens.
TEST(StartupDeathTest, ARestoreCutShortIsUndoneBeforeTheLogin)
{
    TestProgramDirectory dir;
    const Text prog = dir.programPath() + "\\";
    ASSERT_NO_FATAL_FAILURE(restoreAPhotoCutShort(prog));
    expectStartSaying("^ open=1 windows=0$");
    EXPECT_EQ(readFile(prog + "data\\a.PIC"), "today's");
    EXPECT_FALSE(QFileInfo::exists(dir.file(".qelvana-restore")));
}

// A restore the start cannot settle: its journal cannot be read, or the
// undo cannot put a photo back (a folder stands in its place). The start
// says, before the login, that the last restore did not finish and where
// its files lie, keeps them for the next try, and the login window opens.
TEST(StartupDeathTest, ARestoreThatCannotBeSettledIsToldBeforeTheLogin)
{
    TestProgramDirectory dir;
    const Text prog = dir.programPath() + "\\", place = prog + ".qelvana-restore\\";
    ASSERT_NO_FATAL_FAILURE(restoreAPhotoCutShort(prog));
    const Bytes journal = readFile(place + "journal");
    const std::string told = "^ open=1\\[" + regexOf(gbkToUtf8("上次的数据恢复没有完成")) + ".*"
                           + regexOf(gbkToUtf8(shownPath(withoutSeparator(place)))) + ".*\\|"
                           + regexOf(gbkToUtf8("错误！")) + "\\] windows=0$";
    {
        SCOPED_TRACE("a journal cut short");
        ASSERT_TRUE(writeFile(place + "journal", journal.substr(0, journal.size() - 3)));
        expectStartSaying(told);
        EXPECT_EQ(readFile(place + "journal"), journal.substr(0, journal.size() - 3));
        EXPECT_EQ(readFile(prog + "data\\a.PIC"), "backed up");
    }
    {
        SCOPED_TRACE("an undo that cannot finish");
        ASSERT_TRUE(writeFile(place + "journal", journal));
        ASSERT_TRUE(deleteFile(prog + "data\\a.PIC"));
        ASSERT_TRUE(createDirectory(prog + "data\\a.PIC"));
        expectStartSaying(told);
        EXPECT_EQ(readFile(place + "old\\data\\a.PIC"), "today's");
        EXPECT_TRUE(QFileInfo(dir.file("data/a.PIC")).isDir());
    }
    // Mended, the next start puts the photo back without a word.
    ASSERT_TRUE(removeEmptyDirectory(prog + "data\\a.PIC"));
    expectStartSaying("^ open=1 windows=0$");
    EXPECT_EQ(readFile(prog + "data\\a.PIC"), "today's");
    EXPECT_FALSE(QFileInfo::exists(dir.file(".qelvana-restore")));
}

} // namespace
