#pragma once
// The backup and restore windows as a person at the desk uses them: the
// program directory with a meeting and photos, a person who records the
// window's state with every message, and another desk on the same database.
#include "desk/tools/backup_window.h"
#include "desk/tools/restore_window.h"
#include "desk/main_window.h"
#include "editor/template_editor_window.h"
#include "tests/app/app_fixture.h"
#include "tests/backup/backup_fixture.h"
#include "tests/support/test_end.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace backup_test {

// Records, with each message, the state of the open backup or restore
// window (bar position, timer period, label visible), and whether anyone
// held the lock of the program directory's backups and restores then.
class WatchingPerson : public ScriptedInteraction {
public:
    int messageBox(const Text& text, int kind, const Text& caption) override
    {
        for (Window* w : openWindows())
            if (auto* frame = dynamic_cast<BackupFrame*>(w))
                states.push_back(toText(frame->进度条1.position()) + "|" + toText(frame->时钟1.period())
                                 + "|" + toText(frame->标签1.visible()));
        lockedAtAMessage = lockedAtAMessage || RestoreLock(programDirectory() + "\\").state() != FileLock::Held;
        return ScriptedInteraction::messageBox(text, kind, caption);
    }
    TextList states;
    bool lockedAtAMessage = false;
};

const Text kCopyFailed = "系统遇到故障，备份无法进行，请退出系统重试！|错误！|16";
const Text kSaveQuestion = "文件已经被修改，是否保存？|询问|35";

const Text kQuestion = "数据恢复将恢复您上次备份的数据，如果您在上次备份之后输入了新数据，\r\n"
                       "数据恢复后该数据将会丢失！用户名和密码也将恢复上次备份时的状态！\r\n\r\n"
                       "确定要进行数据恢复吗？";

class BackupWindowsTest : public AppTest {
protected:
    BackupWindowsTest()
    {
        prog = directory.programPath();
        exec("insert  into 会议信息 (会议编号,会议名称,会议地点,会议日期) values (1,'备份前的会','北京','2024-10-01')");
        put(prog + "\\data\\1会20240101120000.PIC", Bytes("\xFF\xD8 photo \0 bytes", 16));
        put(prog + "\\data\\淺\\二级\\深.PIC", "deep");
    }
    TextList shownMessages()
    {
        TextList texts;
        for (const auto& m : desk.messages())
            texts.push_back(m.text + "|" + m.caption + "|" + toText(m.boxKind));
        return texts;
    }
    TextList meetings() { return rows("select 会议名称 from 会议信息 order by 会议编号", {"会议名称"}); }
    // Runs `act` inside a modal window of type W; `act` must close it. A
    // press refused inside ends the test here, as no press opened the window.
    template <class W>
    void inWindow(std::function<void(W&)> act)
    {
        desk.inModalWindow([act](Window& w) { act(dynamic_cast<W&>(w)); });
        EXPECT_EQ(loadWindow<W>(nullptr, true), nullptr);
        endTestAfterFatalFailure();
    }
    void backUpTo(const Text& file)
    {
        desk.answerMessage(AnswerOk);
        inWindow<BackupWindow>([&](BackupWindow& w) {
            w.编辑框1.setContent(file);
            click(w.备份);
            click(w.退出备份);
        });
    }
    // From the main window's menu when one is open, else on its own: the
    // file chosen in the dialog, the question answered Yes, the message
    // after the work taken, and the window left when it stays open.
    void restoreFrom(const Text& file)
    {
        desk.answerFile(true, file).answerMessage(AnswerYes).answerMessage(AnswerOk);
        desk.inModalWindow([&](Window& window) {
            auto& w = dynamic_cast<RestoreWindow&>(window);
            click(w.选择目录);
            click(w.恢复);
            if (w.isOpen())
                click(w.退出备份);
        });
        if (MainWindow* main = findWindow<MainWindow>())
            chooseMenuItem(main->数据恢复);
        else
            EXPECT_EQ(loadWindow<RestoreWindow>(nullptr, true), nullptr);
        endTestAfterFatalFailure();
    }
    // The main window and a template editor opened from it, with a change
    // not saved yet; the database cannot be copied any more.
    MainWindow& openMainWindowWithChangedEditor()
    {
        MainWindow& main = openMainWindow();
        chooseMenuItem(main.模表制作);
        TemplateEditorWindow* editor = findWindow<TemplateEditorWindow>();
        EXPECT_NE(editor, nullptr);
        chooseMenuItem(editor->下右);
        fs::remove(disk(prog + "\\meeting.mdb"));
        return main;
    }
    void backUpFrom(MainWindow& main)
    {
        desk.inModalWindow([&](Window& w) {
            auto& backup = dynamic_cast<BackupWindow&>(w);
            backup.编辑框1.setContent(prog + "\\x.JQV");
            click(backup.备份);
        });
        chooseMenuItem(main.数据备份);
    }
    MainWindow& openMainWindow()
    {
        currentMeetingId = 1;
        MainWindow* main = loadWindow<MainWindow>(nullptr, false);
        EXPECT_NE(main, nullptr);
        return *main;
    }
    // A program path as this platform writes it.
    static Text slashed(Text path)
    {
        std::replace(path.begin(), path.end(), '\\', '/');   // the test's paths hold no GBK trail byte 0x5C
        return path;
    }

    WatchingPerson desk;
    Text prog;
};

// Another desk on the same database: one of its connections stays open
// through the backup and the restore, as another program's would.
class OtherDeskTest : public BackupWindowsTest {
protected:
    OtherDeskTest()
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other desk");
        db.setDatabaseName(QString::fromStdString(disk(prog + "\\meeting.mdb").string()));
        EXPECT_TRUE(db.open());
    }
    ~OtherDeskTest() override
    {
        QSqlDatabase::database("other desk").close();
        QSqlDatabase::removeDatabase("other desk");
    }
    // The program's GBK text, as the engine takes it.
    QSqlQuery other(const Text& sql)
    {
        QSqlQuery q(QSqlDatabase::database("other desk"));
        EXPECT_TRUE(q.exec(QString::fromStdString(gbkToUtf8(sql)))) << gbkToUtf8(sql) << q.lastError().text().toStdString();
        return q;
    }
    TextList meetingsOf(const Text& database)
    {
        ExternalDatabase copy{seedWindow, "copy"};
        EXPECT_TRUE(openDatabase(copy, "DBQ=" + database + ";FILEDSN=" + prog + "\\Meeting.dsn"));
        TextList names;
        int rs = querySql(copy, "select 会议名称 from 会议信息 order by 会议编号");
        for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs))
            names.push_back(readField(rs, "会议名称").text());
        closeRecordSet(rs);
        return names;
    }
};

} // namespace backup_test
