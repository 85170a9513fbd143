// The journal of a restore and the moves it records: the files of a
// restore put in place, made final, or undone as the journal and the
// database decide.
#include "backup/restore_journal.h"
#include "backup/backup_names.h"
#include "backup/backup_paths.h"
#include "common/database/database_copy.h"
#include "common/files/files.h"

#include <algorithm>
#include <limits>
#include <set>
#include <string>

namespace {

// Hidden beside the data directory, on the program directory's file system:
// each file moves in one step, unless the data directory is a link to
// another file system, where it is copied, then deleted.
const Text kPlace = ".qelvana-restore\\";
// Far above any real name or directory; bounds what one stored entry takes.
constexpr size_t kEntryAtMost = 64 << 10;
// Beside the place, not in it: the place comes and goes under the lock.
const Text kLockFile = ".qelvana-restore.lock";

struct Journal {
    int stamp = 0;
    TextList names;
    TextList replaced;      // "1" where the name's file replaced one, else "0"
    TextList directories;   // made for the names, parents first
};

Text journalPath(const Text& target) { return restorePlace(target) + "journal"; }
Text newPath(const Text& target, const Text& name) { return restorePlace(target) + "new\\" + name; }
Text oldPath(const Text& target, const Text& name) { return restorePlace(target) + "old\\" + name; }

bool writeList(int file, const TextList& entries)
{
    if (!writeListStart(file, entries.size()))
        return false;
    for (const Text& entry : entries)
        if (!writeListEntry(file, entry))
            return false;
    return true;
}

// No more entries than the rest of the file could hold: each takes its
// length (4 bytes) at least.
bool readList(int file, TextList& entries)
{
    size_t count = 0;
    if (!readListStart(file, count) || count > static_cast<size_t>(fileLength(file) - filePosition(file)) / 4)
        return false;
    entries.assign(count, Text());
    for (Text& entry : entries)
        if (!readListEntry(file, entry, kEntryAtMost))
            return false;
    return true;
}

// Written whole or not at all, and on disk once the file system is synced.
bool writeJournal(const Text& target, const Journal& journal)
{
    const int file = openFile(journalPath(target), FileReplace);
    if (!writeText(file, toText(journal.stamp)) || !writeList(file, journal.names)
        || !writeList(file, journal.replaced) || !writeList(file, journal.directories)) {
        closeFile(file);
        return false;
    }
    return commitFile(file);
}

// A stamp as written: decimal digits of a number an int holds.
bool readStamp(const Text& text, int& stamp)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != Text::npos
        || std::stoll(text) > std::numeric_limits<int>::max())
        return false;
    stamp = static_cast<int>(std::stoll(text));
    return true;
}

// No level of `name` from `first` on (up to the last but `lastSpared`
// levels) is a link below `directory`: a path the journal leads to stays
// inside it.
bool throughNoLink(const Text& directory, const Text& name, size_t first, size_t lastSpared)
{
    const TextList levels = splitText(name, "\\");
    Text path = directory;
    for (size_t i = 0; i + lastSpared < levels.size(); ++i) {
        path += (i == 0 ? "" : "\\") + levels[i];
        if (i >= first && isLink(path))
            return false;
    }
    return true;
}

// What a restore of this program could have written, checked as a backup's
// names are: every name a RestorableName whose paths below `target` (the
// data directory itself may be a link the user made) and in the place go
// through no link, a replaced mark of "0" or "1" for each, and every
// directory one above a name, given once. Anything else is not acted on.
bool isSound(const Text& target, const Journal& journal)
{
    if (isLink(withoutSeparator(restorePlace(target))) || journal.replaced.size() != journal.names.size())
        return false;
    RestorableNames names;
    for (size_t i = 0; i < journal.names.size(); ++i) {
        const Text& name = journal.names[i];
        if (!names.add(name) || (journal.replaced[i] != "0" && journal.replaced[i] != "1")
            || !throughNoLink(target, name, 1, 1) || !throughNoLink(restorePlace(target), "old\\" + name, 0, 0))
            return false;
    }
    std::set<Text> directories;
    for (const Text& directory : journal.directories)
        if (!names.holdsBelow(directory) || !directories.insert(fileNameKey(directory)).second
            || !throughNoLink(target, directory, 1, 0))
            return false;
    return true;
}

bool readJournal(const Text& target, Journal& journal)
{
    const int file = openFile(journalPath(target), FileRead);
    Text stamp;
    const bool read = readValues(file, stamp) && readList(file, journal.names) && readList(file, journal.replaced)
                   && readList(file, journal.directories) && filePosition(file) == fileLength(file);
    closeFile(file);
    return read && readStamp(stamp, journal.stamp) && isSound(target, journal);
}

// A file may take the place `name` gives it below `target` only where every
// level above it is a directory of its own (not a file, not a link; the
// root may be a link the user made) and where no directory stands.
Text placeError(const Text& target, const Text& name)
{
    const TextList levels = splitText(name, "\\");
    Text path = target + levels.front();
    if (fileExists(path))
        return "创建文件夹" + target + "失败！";
    for (size_t i = 1; i + 1 < levels.size(); ++i) {
        path += "\\" + levels[i];
        if (fileExists(path) || isLink(path))
            return "创建文件夹" + target + "失败！";
    }
    path += "\\" + levels.back();
    return directoryExists(path) && !isLink(path) ? "写出文件" + path + "失败！" : "";
}

// What the files of `names` will replace and the directories they need.
Journal journalFor(const Text& target, const TextList& names, int stamp)
{
    Journal journal{stamp, names, {}, {}};
    std::set<Text> made;
    for (const Text& name : names) {
        journal.replaced.push_back(fileExists(target + name) ? "1" : "0");
        Text directory;
        for (const Text& level : splitText(parentOf(name), "\\")) {
            directory += (directory.empty() ? "" : "\\") + level;
            if (!directoryExists(target + directory) && made.insert(fileNameKey(directory)).second)
                journal.directories.push_back(directory);
        }
    }
    return journal;
}

// The data directory, or where it will be made.
Text dataDisk(const Text& target) { return directoryExists(target + "data") ? target + "data" : withoutSeparator(target); }

// The moves on disk: on the place's file system and, when the data
// directory is a link to another, on that one too.
bool syncPlaces(const Text& target)
{
    const Text data = dataDisk(target);
    return syncFileSystem(target) && (onOneFileSystem(target, data) || syncFileSystem(data));
}

// What a file takes on disk, in blocks of 4 KiB.
unsigned long long onDisk(long long bytes) { return (static_cast<unsigned long long>(std::max(bytes, 0LL)) + 4095) / 4096 * 4096; }

// Room for the moves where the data directory lies on another file system
// than the place, and each move is a copy, then a delete: on the data's
// disk, the files put in place as they replace the old ones one by one
// (each old one leaves before its new one comes); on the place's disk, the
// old ones moved aside.
bool hasRoom(const Text& target, const TextList& names)
{
    const Text data = dataDisk(target);
    if (onOneFileSystem(restorePlace(target), data))
        return true;
    long long grown = 0, most = 0;
    unsigned long long aside = 0;
    for (const Text& name : names) {
        const unsigned long long replaced = onDisk(fileSize(target + name));
        grown += static_cast<long long>(onDisk(fileSize(newPath(target, name)))) - static_cast<long long>(replaced);
        most = std::max(most, grown);
        aside += replaced;
    }
    const long long dataFree = freeDiskSpace(data), placeFree = freeDiskSpace(restorePlace(target));
    return dataFree >= most && placeFree >= 0 && static_cast<unsigned long long>(placeFree) >= aside;
}

bool moveInto(const Text& from, const Text& to)
{
    const Text directory = parentOf(to);
    return (directoryExists(directory) || createDirectoryPath(directory)) && moveFile(from, to);
}

// Each name's file back as it was; what was put where nothing stood goes,
// and so do the directories made for it once empty. Safe to run again.
bool undo(const Text& target, const Journal& journal)
{
    for (size_t i = journal.names.size(); i-- > 0;) {
        const Text& name = journal.names[i];
        const Text placed = target + name, aside = oldPath(target, name);
        // The file put in place goes before the one it replaced comes back:
        // copied back from another disk, that one needs no more room than
        // the data had.
        const bool putBack = journal.replaced[i] == "1";
        if (putBack && !fileExists(aside))
            continue;
        if ((fileExists(placed) || isLink(placed)) && !deleteFile(placed))
            return false;
        if (putBack && !moveFile(aside, placed))
            return false;
    }
    for (size_t i = journal.directories.size(); i-- > 0;)
        removeEmptyDirectory(target + journal.directories[i]);
    return syncPlaces(target);
}

} // namespace

Text restorePlace(const Text& target) { return target + kPlace; }

bool restorePlaceExists(const Text& target)
{
    const Text place = restorePlace(target);
    return directoryExists(place) || isLink(place);
}

Text restoreLockFile(const Text& target) { return target + kLockFile; }

RestoreLock::RestoreLock(const Text& target, DataWork work)
    : FileLock(restoreLockFile(target), static_cast<int>(work))
{
}

DataWork RestoreLock::heldFor() const
{
    return holderMark() == static_cast<int>(DataWork::Backup) ? DataWork::Backup : DataWork::Restore;
}

Text placementError(const Text& target, const TextList& names)
{
    for (const Text& name : names) {
        const Text error = placeError(target, name);
        if (!error.empty())
            return error;
    }
    return hasRoom(target, names) ? Text() : "写出文件" + target + "data失败！";
}

Text placeRestoredFiles(const Text& target, const TextList& names, int stamp)
{
    const Text error = placementError(target, names);
    if (!error.empty())
        return error;
    const Journal journal = journalFor(target, names, stamp);
    if (!writeJournal(target, journal) || !syncFileSystem(restorePlace(target)))
        return "写出文件" + journalPath(target) + "失败！";
    for (size_t i = 0; i < names.size(); ++i) {
        const Text placed = target + names[i];
        if (journal.replaced[i] == "1" && !moveInto(placed, oldPath(target, names[i])))
            return "写出文件" + placed + "失败！";
        if (!moveInto(newPath(target, names[i]), placed))
            return "写出文件" + placed + "失败！";
    }
    return syncPlaces(target) ? Text() : "写出文件" + target + "失败！";
}

bool keepRestoredFiles(const Text& target)
{
    const Text journal = journalPath(target);
    if (fileExists(journal) && !deleteFile(journal))
        return false;
    deleteDirectoryTree(restorePlace(target));
    return true;
}

bool settleRestore(const Text& target)
{
    const Text place = restorePlace(target);
    if (!restorePlaceExists(target))
        return true;
    Journal journal;
    if (!fileExists(journalPath(target)))
        return deleteDirectoryTree(place);
    if (!readJournal(target, journal))
        return false;
    if (journal.stamp != 0) {
        int number = 0;
        if (!readDatabaseNumber(target + "meeting.mdb", number))
            return false;
        if (number == journal.stamp)
            return keepRestoredFiles(target);
    }
    return undo(target, journal) && keepRestoredFiles(target);
}
