#include "desk/main_window.h"
#include "state/connection.h"
#include "state/globals.h"
#include "desk/tools/about_window.h"

MainWindow::MainWindow() : Window("MainWindow", {0, 0, 800, 589}, "QelvanaV1.0")
{
    分组框1.setVisible(false);
    分组框2.setVisible(false);
    created = [this] { onMainWindowCreated(); };
    destroyed = [this] { onMainWindowDestroy(); };
    数据锁定.clicked = [this] { toggleDataLock(); };
    关于.clicked = [this] { onMenuAboutClick(); };
    buildToolBar();
    loadTreeImages();
    wireDelegatePage();
    wireGroupPage();
    wireRoomPage();
    wireTablePage();
    wireSeatingPage();
    wireCardPage();
    wireCheckInPage();
}

std::vector<Unit*> MainWindow::lockedUnits()
{
    return {&按钮6, &按钮7, &按钮2,
            &确定手动分配, &删除表项, &房间调整, &自动分配, &全部清空,
            &删除会议组, &保存会议组, &保存分组代表,
            &自动分配1, &餐桌调整, &全部清空1, &确定手动分配1, &删除表项1,
            &新建座次表, &保存座次表, &增删模板, &大会座次模板, &删除表格,
            &删除座次表};
}

void MainWindow::openMainWindowDatabase()
{
    if (openMeetingConnection(外部数据库1))
        return;
    messageBox("无法打开数据库！", BoxOk, "");
    工具条1.setDisabled(true);
}

void MainWindow::onMainWindowCreated()
{
    openMainWindowDatabase();
    toggleDataLock();
}

void MainWindow::toggleDataLock()
{
    const bool locked = 数据锁定.checked();
    数据锁定.setChecked(!locked);
    for (Unit* unit : lockedUnits())
        unit->setDisabled(!locked);
    // Only ticking 删除表格 enables it.
    if (locked)
        删除座次表.setDisabled(true);
    // Released in template editing, the chart commands stay off as that mode has them.
    if (locked && 增删模板.checked())
        for (Unit* unit : std::initializer_list<Unit*>{&删除表格, &新建座次表, &保存座次表})
            unit->setDisabled(true);
}

void MainWindow::onMainWindowDestroy()
{
    closeCurrentRecordSet();
    closeDatabase(外部数据库1);
    releaseDataHandlesC();
}

void MainWindow::onMenuAboutClick()
{
    loadWindow<AboutWindow>(nullptr, false);
}
