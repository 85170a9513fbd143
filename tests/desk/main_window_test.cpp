// The main window frame: it opens locked with its panes hidden, the lock
// governs its 22 units, and a failed connection leaves it usable.
#include "desk/tools/about_window.h"
#include "desk/main_window.h"
#include "tests/app/app_fixture.h"
#include "tests/support/shown_pictures.h"

#include <QFile>

namespace {

class MainWindowTest : public AppTest {
protected:
    MainWindow* open()
    {
        currentMeetingId = 1;
        return loadWindow<MainWindow>(nullptr, false);
    }
    static std::vector<Unit*> governed(MainWindow& w)
    {
        return {&w.按钮6, &w.按钮7, &w.按钮2, &w.确定手动分配, &w.删除表项, &w.房间调整,
                &w.自动分配, &w.全部清空, &w.删除会议组, &w.保存会议组, &w.保存分组代表,
                &w.自动分配1, &w.餐桌调整, &w.全部清空1, &w.确定手动分配1, &w.删除表项1,
                &w.新建座次表, &w.删除座次表, &w.保存座次表, &w.增删模板, &w.大会座次模板,
                &w.删除表格};
    }
    static int disabledCount(MainWindow& w)
    {
        int n = 0;
        for (Unit* u : governed(w))
            n += u->disabled();
        return n;
    }
};

TEST_F(MainWindowTest, OpensLockedWithBothPanesHiddenAndTheLockToggles)
{
    MainWindow* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_TEXT_EQ("QelvanaV1.0", w->caption());
    EXPECT_TRUE(w->数据锁定.checked());
    EXPECT_EQ(disabledCount(*w), 22);
    EXPECT_FALSE(w->分组框1.visible());
    EXPECT_FALSE(w->分组框2.visible());
    EXPECT_FALSE(w->工具条1.disabled());
    EXPECT_EQ(w->选择夹1.pageCount(), 8);
    EXPECT_FALSE(w->树型框1.disabled());   // outside the lock

    chooseMenuItem(w->数据锁定);
    EXPECT_FALSE(w->数据锁定.checked());
    EXPECT_EQ(disabledCount(*w), 1);
    EXPECT_TRUE(w->删除座次表.disabled());

    w->删除座次表.setDisabled(false);   // as ticking 删除表格 does
    chooseMenuItem(w->数据锁定);
    EXPECT_TRUE(w->数据锁定.checked());
    EXPECT_EQ(disabledCount(*w), 22);
    chooseMenuItem(w->数据锁定);
    EXPECT_TRUE(w->删除座次表.disabled());
}

TEST_F(MainWindowTest, EveryToolBarButtonShowsALegiblePictureOverItsCaption)
{
    MainWindow* w = open();
    ASSERT_NE(w, nullptr);
    int shown = 0;
    for (int n = 0; n < w->工具条1.itemCount(); ++n)
        if (!w->工具条1.isSeparator(n) && w->工具条1.buttonVisible(n)) {
            EXPECT_TRUE(showsPictureAndCaption(w->工具条1, n, 16));
            ++shown;
        }
    EXPECT_EQ(shown, 12);
}

TEST_F(MainWindowTest, AFailedConnectionDisablesOnlyTheToolBar)
{
    QFile::remove(directory.file("meeting.mdb"));
    person.answerMessage(AnswerOk);
    MainWindow* w = open();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(person.messages().size(), 1u);
    EXPECT_TEXT_EQ("无法打开数据库！", person.messages()[0].text);
    EXPECT_TEXT_EQ("", person.messages()[0].caption);
    EXPECT_TRUE(w->工具条1.disabled());
    EXPECT_TRUE(w->数据锁定.checked());
    EXPECT_EQ(querySql(w->外部数据库1, "select * from 代表信息"), 0);
    chooseMenuItem(w->数据锁定);
    EXPECT_EQ(disabledCount(*w), 1);
}

TEST_F(MainWindowTest, ClosingReleasesTheDatabaseFile)
{
    MainWindow* w = open();
    ASSERT_NE(w, nullptr);
    currentRecordSet = querySql(w->外部数据库1, "select * from 代表信息");
    ASSERT_NE(currentRecordSet, 0);
    closeDatabase(db);   // the test's own connection
    closeWindow(*w);
    processEvents();
    EXPECT_EQ(currentRecordSet, 0);
    // The last connection closed folds its log back: only the file is left.
    EXPECT_FALSE(QFile::exists(directory.file("meeting.mdb-wal")));
}

TEST_F(MainWindowTest, KeepsWorkingOnAFileReplacedAfterTheRelease)
{
    MainWindow* w = open();
    ASSERT_TRUE(copyFile(directory.programPath() + "\\meeting.mdb",
                         directory.programPath() + "\\data\\meeting.mdb"));
    exec("insert  into 会议信息 (会议名称) values ('旧')");
    releaseDataHandlesA();
    releaseDataHandlesB();
    releaseDataHandlesC();
    ASSERT_TRUE(copyFile(directory.programPath() + "\\data\\meeting.mdb",
                         directory.programPath() + "\\meeting.mdb"));
    int rs = querySql(w->外部数据库1, "select * from 会议信息");
    ASSERT_NE(rs, 0);
    EXPECT_TRUE(recordSetAtEnd(rs));   // the restored file, without the later row
    closeRecordSet(rs);
}

TEST_F(MainWindowTest, ADatabaseReplacedByAnotherProgramIsFollowed)
{
    const Text incoming = directory.programPath() + "\\data\\incoming.mdb";
    ASSERT_TRUE(copyFile(directory.programPath() + "\\meeting.mdb", incoming));
    {
        ExternalDatabase other{seedWindow, "other"};
        ASSERT_TRUE(openDatabase(other, "DBQ=" + incoming + ";FILEDSN=" + directory.programPath() + "\\Meeting.dsn;"));
        ASSERT_TRUE(execSql(other, "insert  into 代表信息 (姓名,单位,性别,代表编号,会议编号) values ('恢复','甲','男','001',1)"));
    }
    MainWindow* w = open();
    ASSERT_NE(w, nullptr);
    chooseMenuItem(w->数据锁定);
    directory.replaceDatabaseBehindTheProgram(directory.file("data/incoming.mdb"));

    pressToolButton(w->工具条1, 0);
    ASSERT_EQ(treeItemCount(w->树型框1), 2);
    EXPECT_TEXT_EQ("恢复", treeItemText(w->树型框1, 1));
    w->编辑框1.setContent("新来者");
    w->编辑框2.setContent("乙");
    w->编辑框6.setContent("002");
    click(w->按钮7);
    EXPECT_EQ(rows("select * from 代表信息 order by 代表编号", {"姓名"}), (TextList{"恢复", "新来者"}));
}

TEST_F(MainWindowTest, TheLockAndTheTemplateModeNeverEnableWhatTheOtherHolds)
{
    MainWindow* w = open();
    chooseMenuItem(w->数据锁定);
    pressToolButton(w->工具条1, 4);   // the seating page
    click(w->增删模板);   // template editing: the chart commands go off
    EXPECT_TRUE(w->新建座次表.disabled());
    chooseMenuItem(w->数据锁定);
    chooseMenuItem(w->数据锁定);   // released again, still in template editing
    EXPECT_TRUE(w->新建座次表.disabled());
    EXPECT_TRUE(w->保存座次表.disabled());
    EXPECT_FALSE(w->增删模板.disabled());
    chooseMenuItem(w->数据锁定);
    EXPECT_TRUE(w->增删模板.disabled());   // held by the lock: no switch to chart editing
    EXPECT_TRUE(w->增删模板.checked());
    EXPECT_TRUE(w->新建座次表.disabled());
}

TEST_F(MainWindowTest, ClosingTheMainWindowClosesItsReportWindow)
{
    exec("insert  into 代表信息 (姓名,会议编号,代表编号) values ('张三',1,'1')");
    MainWindow* w = open();
    chooseMenuItem(w->代表报表);
    ASSERT_EQ(openWindows().size(), 2u);
    closeWindow(*w);
    processEvents();
    EXPECT_TRUE(openWindows().empty());
}

TEST_F(MainWindowTest, TheAboutItemOpensTheAboutBoxWithoutOwner)
{
    MainWindow* w = open();
    chooseMenuItem(w->关于);
    auto* about = findWindow<AboutWindow>();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->owner(), nullptr);
    closeWindow(*w);
    EXPECT_NE(findWindow<AboutWindow>(), nullptr);
}

} // namespace
