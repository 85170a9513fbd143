// Start-up: the login window is the only window, the program ends with exit
// code 0 when it closes.
#include "state/globals.h"
#include "app/login_window.h"
#include "app/startup.h"
#include "state/connection.h"
#include "common/database/database.h"
#include "common/internal/qt_objects.h"
#include "backup/backup_file.h"
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

// Starts the program and expects it to show `message` ("text|caption")
// once, with no window left, and to end with exit code 0.
void expectRefusedStart(const Text& message)
{
    const std::string shown = "^\\[" + gbkToUtf8(message) + "\\] windows=0$";
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
            // A start that is not refused ends too, without the message.
            QTimer::singleShot(0, [] {
                for (Window* w : openWindows())
                    closeWindow(*w);
            });
            startProgram();
        },
        testing::ExitedWithCode(0), shown);
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

// A restore cut short after its photos took their places, before it was
// final: the start puts the photos back before the login window opens.
TEST(StartupDeathTest, ARestoreCutShortIsUndoneBeforeTheLogin)
{
    TestProgramDirectory dir;
    const Text prog = dir.programPath() + "\\";
    ASSERT_TRUE(writeFile(prog + "data\\a.PIC", "backed up"));
    ASSERT_TEXT_EQ("", packDirectoryToFile(prog + "data", prog + "x.JQV"));
    ASSERT_TRUE(writeFile(prog + "data\\a.PIC", "today's"));
    TextList names;
    ASSERT_TEXT_EQ("", unpackToRestorePlace(prog + "x.JQV", prog, names));
    ASSERT_TEXT_EQ("", placeRestoredFiles(prog, names, 0));
    ASSERT_EQ(readFile(prog + "data\\a.PIC"), "backed up");
    EXPECT_EXIT(
        {
            QTimer::singleShot(0, [] {
                for (Window* w : openWindows())
                    closeWindow(*w);
            });
            startProgram();
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(readFile(prog + "data\\a.PIC"), "today's");
    EXPECT_FALSE(QFileInfo::exists(dir.file(".qelvana-restore")));
}

} // namespace
