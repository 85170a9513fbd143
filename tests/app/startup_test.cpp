// Start-up: the login window is the only window, the program ends with exit
// code 0 when it closes.
#include "app/state/globals.h"
#include "app/login_window.h"
#include "app/startup.h"
#include "tests/support/gbk_print.h"
#include "tests/support/program_directory.h"
#include "tests/support/scripted_interaction.h"

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
                openWindows().front()->containerWidget()->window()->close();
            });
            startProgram();
        },
        testing::ExitedWithCode(0), "");
}

TEST(StartupDeathTest, AMissingDatabaseIsReportedOnceAndEndsTheProgramWithCodeZero)
{
    TestProgramDirectory dir(false);
    const std::string shown = "^\\[" + gbkToUtf8("无法打开数据库！") + "\\|\\] windows=0$";
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
            startProgram();
        },
        testing::ExitedWithCode(0), shown);
}

} // namespace
