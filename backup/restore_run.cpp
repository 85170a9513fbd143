// A whole restore run: the backup file unpacked, its database checked, the
// photos and the database put in place together and the run settled.
#include "backup/restore_run.h"
#include "backup/backup_file.h"
#include "backup/backup_names.h"
#include "backup/backup_paths.h"
#include "backup/delivered_schema.h"
#include "backup/restore_journal.h"
#include "common/database/database_copy.h"
#include "common/files/files.h"

#include <limits>

namespace {

// A number the database does not carry yet, never 0 (no database step).
int nextStamp(int number)
{
    return number == std::numeric_limits<int>::max() || number == -1 ? 1 : number + 1;
}

// The photos and the database of an unpacked file put in place together;
// the journal keeps the database's new number, and the database carries
// it once its content is the backup's.
RestoreOutcome putInPlace(const Text& target, const Text& copy, const TextList& photos,
                          const std::function<void(int)>& progress)
{
    const Text database = target + "meeting.mdb";
    int number = 0;
    if (!readDatabaseNumber(database, number))
        return RestoreOutcome::DatabaseFailed;
    const int stamp = nextStamp(number);
    if (!writeDatabaseNumber(copy, stamp))
        return RestoreOutcome::DatabaseFailed;
    // The write lock first: a database another desk keeps busy changes no
    // photo.
    DatabaseRestore restore(copy, database);
    if (!restore.lock() || !placeRestoredFiles(target, photos, stamp).empty())
        return RestoreOutcome::DatabaseFailed;
    while (!restore.committed() && restore.step())
        progress(10 + restore.percentCopied() / 10);
    // The stamp commits with the content: a committed step is the restore,
    // whatever a later read of the database gives.
    return restore.committed() ? RestoreOutcome::Restored : RestoreOutcome::DatabaseFailed;
}

RestoreOutcome restoreUnpacked(const Text& target, const TextList& names, const std::function<void(int)>& progress)
{
    TextList photos;
    Text copy;
    for (const Text& name : names)
        if (fileNameKey(name) == fileNameKey(kDatabaseCopyName))
            copy = restorePlace(target) + "new\\" + name;
        else
            photos.push_back(name);
    if (!placementError(target, photos).empty())
        return RestoreOutcome::Refused;
    if (copy.empty())
        return RestoreOutcome::DatabaseFailed;
    switch (checkDatabaseCopy(copy, deliveredSchema(), [&] { progress(10); })) {
    case DatabaseCopy::Damaged: return RestoreOutcome::DatabaseFailed;
    case DatabaseCopy::Foreign: return RestoreOutcome::Foreign;
    case DatabaseCopy::Sound: break;
    }
    return putInPlace(target, copy, photos, progress);
}

} // namespace

RestoreOutcome restoreBackupFile(const Text& backupFile, const Text& programDirectory,
                                 const std::function<void(int)>& progress)
{
    const Text target = programDirectory + "\\";
    const auto show = [&](int position) {
        if (progress)
            progress(position);
    };
    const RestoreLock lock(target);
    if (lock.state() == FileLock::Taken)
        return lock.heldFor() == DataWork::Backup ? RestoreOutcome::BackingUp : RestoreOutcome::Restoring;
    if (lock.state() == FileLock::Failed)
        return RestoreOutcome::Refused;
    if (!settleRestore(target))
        return RestoreOutcome::Unfinished;
    TextList names;
    const bool unpacked = unpackToRestorePlace(backupFile, target, names, [&](unsigned long long done,
                                                                              unsigned long long total) {
        show(static_cast<int>(10 * done / total));
    }).empty();
    const RestoreOutcome outcome = unpacked ? restoreUnpacked(target, names, show) : RestoreOutcome::Refused;
    // A restored database decides that its files stay: what is left of the
    // place then goes at the next start.
    if (!settleRestore(target) && outcome != RestoreOutcome::Restored)
        return RestoreOutcome::Unfinished;
    // A copy a failed backup left in data belongs to no restored state.
    if (outcome == RestoreOutcome::Restored && fileExists(target + kDatabaseCopyName))
        deleteFile(target + kDatabaseCopyName);
    return outcome;
}

Settling settleInterruptedRestore(const Text& programDirectory)
{
    const Text target = programDirectory + "\\";
    if (!restorePlaceExists(target))
        return Settling::Settled;
    const RestoreLock lock(target);
    if (lock.state() == FileLock::Taken)
        return Settling::Running;
    return lock.state() == FileLock::Held && settleRestore(target) ? Settling::Settled : Settling::Unfinished;
}

Text unfinishedRestoreText(const Text& programDirectory)
{
    return "上次的数据恢复没有完成，照片和数据库可能不一致！\r\n"
           "恢复用的文件都保存在 " + shownPath(withoutSeparator(restorePlace(programDirectory + "\\"))) + " 中："
           "new 为备份中的文件，old 为被替换的原文件，journal 为恢复记录。\r\n\r\n"
           "请检查磁盘以及 meeting.mdb、data 目录和该文件夹能否读写，然后重新启动系统，"
           "系统将再次完成或撤销这次恢复。如果仍然不能完成，请把该文件夹移到别处保存，"
           "再用备份文件重新进行数据恢复。";
}
