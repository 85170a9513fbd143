#pragma once
// Files of a restore put in place below a directory as a whole: finished or
// undone, even when the restore was cut short (a failure, the program
// killed, a power cut). The restore's place beside them, restorePlace,
// holds
//   new\      the files to put in place, unpacked and checked;
//   old\      the files they replaced;
//   journal   from before the first file moves: the names put in place,
//             which of them replaced a file, the directories made for
//             them, and the stamp of a database step (0 for none).
// A restore without a database step has happened once its journal is gone;
// one with a database step (into the database target + "meeting.mdb") once
// that database carries the journal's stamp as its number
// (readDatabaseNumber), which the step commits together with the restored
// content. So the database and the files change together.
//
// One restore or backup of a target at a time: a restore holds its
// RestoreLock from before it unpacks until its last file is in place, a
// backup from before it copies the database into data until its backup
// file is written, and whoever settles a restore holds it while settling,
// so no restore place is settled or started over while its restore runs,
// and no backup packs files of two sides.
#include "common/files/file_lock.h"
#include "common/text/text.h"

// The restore's place for `target` (which ends with "\"), ending with "\".
Text restorePlace(const Text& target);

// True when a restore of `target` left its place, or one runs.
bool restorePlaceExists(const Text& target);

// The file of the RestoreLock of `target`.
Text restoreLockFile(const Text& target);

// What holds a RestoreLock.
enum class DataWork { Restore, Backup };

// The lock of the restores and backups of `target`, on a file beside the
// restore place; Taken while another holds it, in this process or another.
class RestoreLock : public FileLock {
public:
    explicit RestoreLock(const Text& target, DataWork work = DataWork::Restore);
    // While Taken: what the other holder does.
    DataWork heldFor() const;
};

// The error text for the first of `names` that would put a file where a
// directory is, or below a file or a link, or for a disk without room for
// the moves (where the data directory is a link to another file system,
// a move is a copy, then a delete); "" when all can take their places.
// The files are in the place's new\ directory.
Text placementError(const Text& target, const TextList& names);

// Puts each of `names` ("data\...") from restorePlace(target) + "new\" in
// the place of target + name, moving a file there aside first; the files
// are on disk before the first one moves, and in their places on disk when
// it returns. A placementError refuses them all before anything moves. ""
// on success, else the error text; either way settleRestore then finishes
// or undoes.
Text placeRestoredFiles(const Text& target, const TextList& names, int stamp);

// Makes the files put in place final (the commit of a restore without a
// database step) and drops the files they replaced; false when that cannot
// be done, which leaves the restore to settleRestore.
bool keepRestoredFiles(const Text& target);

// Finishes or undoes a restore of `target` cut short or failed, under its
// RestoreLock: the files it replaced come back to their places and the
// files it added go, unless it happened, when the replaced ones are
// dropped. What is left of one not yet placing files is dropped; nothing to
// settle is fine. False when it cannot be decided or done: everything is
// then left for another try.
bool settleRestore(const Text& target);
