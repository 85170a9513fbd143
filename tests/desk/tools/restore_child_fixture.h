#pragma once
// A restore through the window run in a child process, the test program
// again (restore_child.cpp), on a program directory with photos and a large
// database backed up and changed since: for tests that kill the restore,
// stop it at a chosen moment, or run another desk or restore beside it.
#include "tests/desk/tools/backup_windows_fixture.h"

#include <QProcess>

#include <random>

namespace backup_test {

// The children's entries, by their exact names (tests/CMakeLists.txt
// leaves them out of the tests): a restore, and a backup, through the window.
inline const char* const kRestoreChild = "InterruptedRestoreChild.DISABLED_RestoresThroughTheWindow";
inline const char* const kBackupChild = "InterruptedRestoreChild.DISABLED_BacksUpThroughTheWindow";
// Set for the child: the restore stops itself (SIGSTOP) before the n-th
// move of a photo into or out of the restore place, the backup once in its
// walk of the data directory, having said "paused".
inline const char* const kPauseAtMove = "QELVANA_PAUSE_AT_MOVE";

// The message of a restore that went through, as finish() gives it.
inline const Text kRestored = "数据恢复成功，请退出系统重新登录！";

constexpr int kPhotos = 40;
constexpr int kTemplateBytes = 24 << 20;   // a database step long enough to land in

inline Bytes randomBytes(std::mt19937& random, size_t size)
{
    Bytes bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

// A backup of photos and a large database, then every photo changed, one
// added, the meeting renamed and the large template deleted.
class RestoreChildTest : public BackupWindowsTest {
protected:
    RestoreChildTest();

    Text photo(int i) const { return prog + "\\data\\" + toText(i / 10) + "\\1会" + toText(1000 + i) + ".PIC"; }
    // The program directory as it was before the restore, with no
    // connection of this process open on it: a forked child must not
    // share one.
    void putBackTheDataBefore();
    // The meeting's name and the template's size as the database holds them.
    Text state(const Text& connection = connectionText());
    // The backup file holds these photos and a database in this state.
    bool backupHolds(const Text& backupFile, const std::map<std::string, Bytes>& photos, const Text& databaseState);
    bool photosAndDatabaseBefore() { return tree(prog + "\\data") == before && state() == stateBefore; }
    bool photosAndDatabaseRestored() { return tree(prog + "\\data") == restored && state() == stateRestored; }

    struct Child {
        QProcess process;
        QByteArray said;
    };
    void start(Child& child, const char* entry, const QProcessEnvironment& environment);
    // Started, the child has just pressed the start button; `pauseAtMove`
    // 0 lets it run through.
    void startChild(Child& child, int pauseAtMove = 0);
    // A backup into `backupFile` started likewise, paused in its walk or not.
    void startBackupChild(Child& child, const Text& backupFile, bool pause);
    void awaitSaying(Child& child, const QByteArray& words);
    // Waits until the child is stopped by a signal.
    void awaitStopped(Child& child);
    static void signal(Child& child, int number);
    // Kills the child (kill -9) and waits for its end.
    static void killChild(Child& child);
    // Lets the child end, checks that it ended by itself and that its own
    // checks passed, and gives the text of the message it showed last.
    Text finish(Child& child);

    const Text file = prog + "\\好.JQV";
    const Text stateBefore = "现在的会|", stateRestored = "备份前的会|" + toText(kTemplateBytes);
    Bytes database;
    std::map<std::string, Bytes> before, restored;
};

} // namespace backup_test
