#include "app/login_window.h"
#include "state/connection.h"
#include "state/globals.h"
#include "desk/main_window.h"

LoginWindow::LoginWindow() : Window("LoginWindow", {0, 0, 395, 648}, "")
{
    图片框1.setPicture(loadPicture("banner.png"));
    created = [this] { onLoginWindowCreated(); };
    登陆按钮.clicked = [this] { onLoginButtonClick(); };
    密码.keyChar = [this](int code) { onPasswordKeyChar(code); };
    wireAdministrationPanel();
}

// A database the program can read but not write would take every login
// and then lose every change: it is refused as one that does not open.
void LoginWindow::openMeetingDatabase()
{
    if (!openMeetingConnection(外部数据库1))
        messageBox("无法打开数据库！", BoxOk, "");
    else if (!databaseIsWritable(外部数据库1))
        messageBox("数据库无法写入！请检查 meeting.mdb 和程序目录的写入权限。", BoxOk | IconStop, "错误");
    else
        return;
    closeWindow(*this);
    exitProgram(0);
}

void LoginWindow::onLoginWindowCreated()
{
    openMeetingDatabase();
    setPanelHeight(190);
}

void LoginWindow::setPanelHeight(int height)
{
    setHeight(height);
    setPlacement(1);
}

void LoginWindow::onPasswordKeyChar(int code)
{
    if (code == 13)
        onLoginButtonClick();
}

void LoginWindow::onLoginButtonClick()
{
    const Text n = 用户名.content(), p = 密码.content();
    if (n.empty() || p.empty()) {
        messageBox("请填入用户名和密码", BoxOk, "");
        return;
    }
    if (!修改密码.visible()) {
        changeCredentials(n, p);
        return;
    }
    int rs = querySql(外部数据库1, "select * from 密码信息 where  用户名='" + sqlText(n)
                                       + "'  and  密码='" + sqlText(p) + "'");
    recordMoveFirst(rs);
    if (recordSetAtEnd(rs)) {
        messageBox("错误！请重新填入用户名和密码", BoxOk, "");
        closeRecordSet(rs);
        return;
    }
    currentAccountId = readField(rs, "用户id").number();
    const Text role = readField(rs, "权限").text();
    if (修改密码.checked()) {
        修改密码.setVisible(false);
        登陆按钮.setCaption("录入新资料");
        用户名.setContent("");
        密码.setContent("");
        closeRecordSet(rs);
        return;
    }
    if (role == "管理员") {
        closeRecordSet(rs);
        enterAdministration();
        return;
    }
    currentMeetingId = readField(rs, "会议编号").number();
    currentMeetingName = readField(rs, "会议名称").text();
    closeRecordSet(rs);
    loadWindow<MainWindow>(nullptr, false);
    closeWindow(*this);
}

void LoginWindow::changeCredentials(const Text& name, const Text& password)
{
    if (currentAccountId == 0)
        return;
    bool changed = execSql(外部数据库1, "update 密码信息 set 用户名='" + sqlText(name) + "',  密码='"
                                            + sqlText(password) + "' where  用户id="
                                            + toText(currentAccountId));
    if (changed)
        messageBox("成功修改用户名和密码，请重新打开程序", BoxOk, "恭喜！");
    else
        messageBox("无法修改用户名和密码，请重新打开程序", BoxOk, "警示");
    closeWindow(*this);
}

void LoginWindow::enterAdministration()
{
    setPanelHeight(300);
    登录分组框.setVisible(false);
    fillOperatorList();
    fillMeetingList();
    选择夹1.setTop(80);
}
