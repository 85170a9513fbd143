// The main window's tool bar and menus: one dispatcher for the page and
// report commands, and the items that open other windows or inform.
#include "desk/main_window.h"
#include "state/globals.h"

namespace {

// Tool-bar items in bar order; "" is a separator.
const char* const kToolbarItems[] = {
    "代表录入", "", "会议分组", "客房分配", "会场座次", "宴会座次", "", "代表报到", "",
    "代表报表", "客房报表", "餐桌报表", "", "代表证", "通讯录", "台  签", "短消息", "",
};

Text allDelegatesQuery()
{
    return "select * from 代表信息 where 会议编号=" + currentMeetingText() + "  order  by 代表编号 ";
}

Text delegatesOfMeeting() { return "select  *  from  代表信息   where    会议编号=" + currentMeetingText(); }

} // namespace

void MainWindow::buildToolBar()
{
    for (int number = 0; const char* caption : kToolbarItems) {
        if (*caption)
            工具条1.addButton(loadPicture("tool" + toText(number) + ".png"), caption, caption);
        else
            工具条1.addSeparator();
        ++number;
    }
    工具条1.setButtonVisible(16, false);
    工具条1.buttonClicked = [this](int number) { onToolbarButtonClick(number); };

    struct Command {
        MenuItem& item;
        int number;
    };
    for (const Command& c : {Command{代表录入, 0}, {会议分组, 2}, {客房分配, 3}, {会场座次, 4},
                             {宴会座次, 5}, {代表报到, 7}, {代表报表, 9}, {客房报表, 10},
                             {餐桌报表, 11}, {代表证, 13}, {通讯录, 14}, {台签, 15}})
        c.item.clicked = [this, number = c.number] { onToolbarButtonClick(number); };
    分组报表.clicked = [this] { onMenuGroupReportClick(); };
    座次报表.clicked = [this] { onMenuSeatingReportClick(); };
    密码修改.clicked = [this] { onMenuChangePasswordClick(); };
    会议切换.clicked = [this] { onMenuSwitchMeetingClick(); };
    新建会议.clicked = [this] { onMenuNewMeetingClick(); };
    退出.clicked = [this] { onMenuExitClick(); };
    用户手册.clicked = [this] { onMenuUserManualClick(); };
    模表制作.clicked = [this] { onMenuTemplateEditorClick(); };
    数据备份.clicked = [this] { onMenuBackupClick(); };
    数据恢复.clicked = [this] { onMenuRestoreClick(); };
}

void MainWindow::closeCurrentRecordSet()
{
    closeRecordSet(currentRecordSet);
    currentRecordSet = 0;
}

bool MainWindow::runDelegateQuery(const Text& sql)
{
    closeCurrentRecordSet();
    delegateQuerySql = sql;
    currentRecordSet = querySql(外部数据库1, sql);
    if (currentRecordSet != 0)
        return true;
    messageBox("查询失败！", BoxOk, "");
    return false;
}

void MainWindow::onToolbarButtonClick(int number)
{
    LongOperation bracket;
    分组框1.setVisible(false);
    分组框2.setVisible(false);
    auto showPanes = [this] {
        分组框1.setVisible(true);
        分组框2.setVisible(true);
    };
    switch (number) {
    case 0:
        if (!runDelegateQuery(allDelegatesQuery()))
            break;
        选择夹1.setCurrentPage(0);
        fillDelegateTree();
        showPanes();
        selectedRoomId = 0;
        currentDelegateId = 0;
        break;
    case 2:
        clearTree(树型框1);
        选择夹1.setCurrentPage(2);
        showPanes();
        fillGroupList();
        break;
    case 3:
        openAssignmentPage("房间编号", 1, 超级列表框1, 超级列表框2, selectedRoomId);
        break;
    case 5:
        openAssignmentPage("餐桌编号", 3, 超级列表框3, 超级列表框4, selectedTableId);
        break;
    case 4:
        if (!runDelegateQuery(allDelegatesQuery()))
            break;
        closeCurrentRecordSet();
        clearTree(树型框1);
        分组框1.setVisible(true);
        选择夹1.setCurrentPage(4);
        分组框2.setVisible(true);
        表格1.setDataSourceName("");
        表格3.setDataSourceName("");
        列表框2.clearItems();
        fillSharedTemplateCombo();
        fillSeatingChartSlots();
        表格1.setDisabled(true);
        break;
    case 15:
        if (!runDelegateQuery(allDelegatesQuery()))
            break;
        fillDelegateTree();
        分组框1.setVisible(true);
        列表框1.clearItems();
        选择夹1.setCurrentPage(5);
        分组框2.setVisible(true);
        break;
    case 7:
        横幅.setCaption("热烈欢迎参加" + currentMeetingName + "的代表");
        loadLabelTemplate();
        currentDelegateId = 0;   // also when the query fails
        if (!runDelegateQuery("select * from 代表信息 where 会议编号=" + currentMeetingText()
                              + "  and  报到情况=false  order  by 代表编号 "))
            break;
        fillDelegateTree();
        单选框7.setChecked(true);
        单选框6.setChecked(false);
        超级按钮2.setVisible(true);   // the checked-in list may have hidden it
        选择夹1.setCurrentPage(7);
        showPanes();
        break;
    case 9: openReportIf(delegatesOfMeeting(), "代表一览表", "请先添加代表！"); break;
    case 10:
        openReportIf("select  *  from  房间信息   where    会议编号=" + currentMeetingText()
                         + "  order by 房间人数,宾馆名称,房间编号",
                     "客房一览表", "请先分配房间！");
        break;
    case 11:
        openReportIf("select  *  from  餐桌信息   where    会议编号=" + currentMeetingText(), "餐桌一览表",
                     "请先分配餐桌！");
        break;
    case 13: openReportIf(delegatesOfMeeting(), "代表证", "请先添加代表！"); break;
    case 14: openReportIf(delegatesOfMeeting(), "通讯录", "请先添加代表！"); break;
    default: break;   // the hidden button and the separators
    }
    closeCurrentRecordSet();
}

// The room and banquet-table pages open empty until their refresh; the
// query of the unassigned delegates only checks that the database answers.
void MainWindow::openAssignmentPage(const Text& placeColumn, int page, ListView& places, ListView& pending,
                                    int& selectedPlace)
{
    if (!runDelegateQuery("select * from 代表信息 where 会议编号=" + currentMeetingText() + " and " + placeColumn + "='0'"))
        return;
    选择夹1.setCurrentPage(page);
    clearListRows(places);
    clearListRows(pending);
    clearTree(树型框1);
    分组框1.setVisible(true);
    分组框2.setVisible(true);
    selectedPlace = 0;
    currentDelegateId = 0;
}

void MainWindow::openReportIf(const Text& precondition, const Text& kind, const Text& missing)
{
    currentRecordSet = querySql(外部数据库1, precondition);
    recordMoveFirst(currentRecordSet);
    if (recordSetAtEnd(currentRecordSet)) {
        closeCurrentRecordSet();
        messageBox(missing, BoxOk | IconExclamation, "错误");
        return;
    }
    reportKind = kind;
    openReportWindow();
    closeCurrentRecordSet();
}

void MainWindow::onMenuGroupReportClick()
{
    分组框1.setVisible(false);
    分组框2.setVisible(false);
    openReportIf("select  *  from  会议分组   where    会议编号=" + currentMeetingText(), "分组一览表",
                 "请先处理分组讨论！");
}

void MainWindow::onMenuSeatingReportClick()
{
    分组框1.setVisible(false);
    分组框2.setVisible(false);
    currentRecordSet = querySql(外部数据库1, delegatesOfMeeting());
    recordMoveFirst(currentRecordSet);
    if (recordSetAtEnd(currentRecordSet)) {
        closeCurrentRecordSet();
        messageBox("请先录入代表信息！", BoxOk | IconExclamation, "错误");
        return;
    }
    bool allCharts = true;
    for (const char* column : {"表1", "表2", "表3", "表4", "表5"})
        allCharts = allCharts && !readField(currentRecordSet, column).text().empty();
    if (allCharts) {
        reportKind = "座次报表";
        openReportWindow();
    } else {
        messageBox("请先处理座次报表！", BoxOk | IconExclamation, "错误");
    }
    closeCurrentRecordSet();
}

void MainWindow::onMenuChangePasswordClick()
{
    messageBox("请在登陆系统时选择〖修改密码〗后登陆,根据提示录入新的用户信息即可!", BoxOk | IconInformation,
               "密码修改");
}

void MainWindow::onMenuSwitchMeetingClick()
{
    messageBox("管理员在登陆系统时可选择不同会议进入,操作员只能使用相对应的会议!", BoxOk | IconInformation,
               "会议切换");
}

void MainWindow::onMenuNewMeetingClick()
{
    messageBox("新会议必须由管理员在登陆系统时创建,在添加新会议的操作员后即可使用!", BoxOk | IconInformation,
               "新建会议");
}

void MainWindow::onMenuExitClick() { closeWindow(*this); }

void MainWindow::onMenuUserManualClick()
{
    const Text manual = programDirectory() + "\\meeting.chm";
    // The manual is not delivered: without the file there is nothing to open.
    if (!fileExists(manual))
        messageBox("没有安装用户手册（程序目录中没有 meeting.chm）！", BoxOk | IconInformation, "用户手册");
    else if (!runProgram("hh.exe " + manual))
        messageBox("无法打开用户手册！", BoxOk | IconStop, "用户手册");
}
