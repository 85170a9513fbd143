// A whole backup run: the database copied into data and data packed, under
// the lock of the program directory's restores and backups.
#include "backup/backup_run.h"
#include "backup/backup_file.h"
#include "backup/backup_names.h"
#include "backup/restore_journal.h"
#include "state/globals.h"
#include "common/database/database_copy.h"
#include "common/files/files.h"

namespace {

// A consistent copy of the live database, even while another desk writes.
bool copyDatabaseToDataDir(const Text& target)
{
    return snapshotDatabase(target + "meeting.mdb", target + kDatabaseCopyName);
}

} // namespace

BackupOutcome backUpProgramDirectory(const Text& programDirectory, const Text& backupFile,
                                     const std::function<void()>& copied)
{
    const Text target = programDirectory + "\\";
    const RestoreLock lock(target, DataWork::Backup);
    if (lock.state() == FileLock::Taken)
        return lock.heldFor() == DataWork::Backup ? BackupOutcome::BackingUp : BackupOutcome::Restoring;
    if (lock.state() == FileLock::Failed)
        return BackupOutcome::Failed;
    // A restore cut short leaves photos of both sides in data.
    if (!settleRestore(target))
        return BackupOutcome::Unfinished;
    if (!copyDatabaseToDataDir(target))
        return BackupOutcome::CopyFailed;
    if (copied)
        copied();
    backupSourceDir = programDirectory + "\\data";
    if (!packDirectoryToFile(backupSourceDir, backupFile).empty())
        return BackupOutcome::Failed;
    deleteFile(target + kDatabaseCopyName);
    return BackupOutcome::Packed;
}
