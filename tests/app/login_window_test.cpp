// Login: the outcomes of one button, the change of one's own credentials,
// and the connection text every window opens with.
#include "app/login_window.h"
#include "desk/main_window.h"
#include "tests/app/app_fixture.h"

#include <QWidget>

namespace {

TEST(ConnectionText, NamesTheProgramDirectoryThreeTimesWithoutATrailingBackslash)
{
    EXPECT_TEXT_EQ("ODBC;DBQ=D:\\会议\\meeting.mdb;DefaultDir= D:\\会议;Driver={Microsoft Access Driver (*.mdb)};"
                   "DriverId=25;FIL=MS Access;MaxBufferSize=2048;FILEDSN=D:\\会议\\Meeting.dsn;MaxScanRows=8;"
                   "PageTimeout=5;SafeTransactions=0;Threads=3;UID=admin;pwd=q7m3x92k4t;UserCommitSync=Yes;",
                   connectionTextFor("D:\\会议"));
    QTemporaryDir base;
    ScopedEnv home("QELVANA_HOME", base.path().toStdString() + "/");
    EXPECT_TEXT_EQ(connectionTextFor(programDirectory()), connectionText());
}

class LoginTest : public AppTest {
protected:
    LoginTest()
    {
        exec("insert  into 密码信息 (权限,用户名,密码,会议名称,会议编号) values ('操作员','op','pw','年会',5)");
        exec("insert  into 密码信息 (权限,用户名,密码,会议名称,会议编号) values ('操作员','奥''尼尔','p''w','春会',6)");
        exec("insert  into 密码信息 (权限,用户名,密码,会议编号) values ('观察员','guest','g',7)");
        login = loadStartWindow<LoginWindow>();
    }
    void enter(const Text& name, const Text& password)
    {
        login->用户名.setContent(name);
        login->密码.setContent(password);
    }

    LoginWindow* login = nullptr;
};

TEST_F(LoginTest, EachPairTakesItsOneWay)
{
    struct Case {
        const char* what;
        Text name, password, message;
        int meeting;              // -1: no main window
        Text meetingName;
        bool administration;
    } cases[] = {
        {"empty name", "", "pw", "请填入用户名和密码", -1, "", false},
        {"empty password", "op", "", "请填入用户名和密码", -1, "", false},
        {"wrong pair", "op", "wrong", "错误！请重新填入用户名和密码", -1, "", false},
        {"injected password", "op", "' or ''='", "错误！请重新填入用户名和密码", -1, "", false},
        {"blanks are looked up", " ", " ", "错误！请重新填入用户名和密码", -1, "", false},
        {"operator", "op", "pw", "", 5, "年会", false},
        {"apostrophes", "奥'尼尔", "p'w", "", 6, "春会", false},
        {"other role, null name", "guest", "g", "", 7, "", false},
        {"administrator", "admin", "admin", "", -1, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        resetGlobals();
        if (!login)
            login = loadStartWindow<LoginWindow>();
        ASSERT_NE(login, nullptr);
        const size_t shown = person.messages().size();
        if (!c.message.empty())
            person.answerMessage(AnswerOk);
        enter(c.name, c.password);
        click(login->登陆按钮);
        auto* main = findWindow<MainWindow>();
        if (!c.message.empty()) {
            ASSERT_EQ(person.messages().size(), shown + 1);
            EXPECT_TEXT_EQ(c.message, person.messages().back().text);
            EXPECT_TEXT_EQ("", person.messages().back().caption);
            EXPECT_TEXT_EQ(c.password, login->密码.content());   // the fields keep their contents
        }
        if (c.message.empty()) {
            EXPECT_EQ(person.messages().size(), shown);
        }
        if (c.meeting >= 0) {
            ASSERT_NE(main, nullptr);
            EXPECT_EQ(currentMeetingId, c.meeting);
            EXPECT_TEXT_EQ(c.meetingName, currentMeetingName);
            EXPECT_EQ(findWindow<LoginWindow>(), nullptr);
            closeWindow(*main);
            login = nullptr;
        } else {
            EXPECT_EQ(main, nullptr);
            ASSERT_EQ(findWindow<LoginWindow>(), login);
            EXPECT_EQ(login->登录分组框.visible(), !c.administration);
            EXPECT_EQ(login->height(), c.administration ? 300 : 190);
            if (c.administration) {
                EXPECT_EQ(login->选择夹1.top(), 80);
            }
        }
    }
}

TEST_F(LoginTest, EnterInThePasswordBoxIsThePressOfTheButton)
{
    enter("op", "pw");
    typeEnter(login->密码);
    EXPECT_NE(findWindow<MainWindow>(), nullptr);
    EXPECT_EQ(findWindow<LoginWindow>(), nullptr);
}

TEST_F(LoginTest, AFailingQueryIsAWrongPair)
{
    exec("drop table 密码信息");
    person.answerMessage(AnswerOk);
    enter("op", "pw");
    click(login->登陆按钮);
    ASSERT_EQ(person.messages().size(), 1u);
    EXPECT_TEXT_EQ("错误！请重新填入用户名和密码", person.messages()[0].text);
    EXPECT_EQ(currentAccountId, 0);
}

TEST_F(LoginTest, ChangeModeReplacesOnlyOnesOwnCredentialsAndCloses)
{
    login->修改密码.setChecked(true);
    enter("奥'尼尔", "p'w");
    click(login->登陆按钮);
    EXPECT_FALSE(login->修改密码.visible());
    EXPECT_TEXT_EQ("录入新资料", login->登陆按钮.caption());
    EXPECT_TEXT_EQ("", login->用户名.content());
    EXPECT_TEXT_EQ("", login->密码.content());
    EXPECT_EQ(findWindow<MainWindow>(), nullptr);

    person.answerMessage(AnswerOk);
    enter("new", "");
    typeEnter(login->密码);
    EXPECT_TEXT_EQ("请填入用户名和密码", person.messages().back().text);
    EXPECT_FALSE(login->修改密码.visible());

    // A crafted name stays a name: the role cannot be rewritten through it.
    person.answerMessage(AnswerOk);
    enter("x',权限='管理员", "新'密");
    typeEnter(login->密码);
    EXPECT_TEXT_EQ("成功修改用户名和密码，请重新打开程序", person.messages().back().text);
    EXPECT_TEXT_EQ("恭喜！", person.messages().back().caption);
    EXPECT_EQ(findWindow<LoginWindow>(), nullptr);
    EXPECT_EQ(rows("select * from 密码信息 where 会议编号=6", {"用户名", "密码", "权限"}),
              TextList{"x',权限='管理员|新'密|操作员"});
    EXPECT_EQ(rows("select * from 密码信息 where 权限='管理员'", {"用户名"}), TextList{"admin"});
}

TEST_F(LoginTest, AFailedChangeIsReportedAndClosesToo)
{
    login->修改密码.setChecked(true);
    enter("op", "pw");
    click(login->登陆按钮);
    exec("drop table 密码信息");
    person.answerMessage(AnswerOk);
    enter("new", "pass");
    click(login->登陆按钮);
    EXPECT_TEXT_EQ("无法修改用户名和密码，请重新打开程序", person.messages().back().text);
    EXPECT_TEXT_EQ("警示", person.messages().back().caption);
    EXPECT_EQ(findWindow<LoginWindow>(), nullptr);
}

} // namespace
