// The backup file written and read: the walk of the data directory, the
// packing of each file into the backup file, and the unpacking of a backup
// file, checked entry by entry, into the restore's place.
#include "backup/backup_file.h"
#include "backup/backup_names.h"
#include "backup/backup_paths.h"
#include "backup/restore_journal.h"
#include "state/globals.h"
#include "common/runtime.h"

#include <algorithm>
#include <limits>
#include <string>

namespace {

// Far above any real name; bounds what one stored name may take.
constexpr size_t kPackedNameAtMost = 64 << 10;

// ---- packing ---------------------------------------------------------------

bool writeNames(int file, const TextList& names)
{
    if (!writeListStart(file, names.size()))
        return false;
    for (const Text& name : names)
        if (!writeListEntry(file, packBytes(toBytes(name))))
            return false;
    return true;
}

bool writeContents(int file, const TextList& paths)
{
    if (!writeListStart(file, paths.size()))
        return false;
    for (const Text& path : paths)
        if (!writePackedFile(file, path))
            return false;
    return true;
}

// ---- unpacking -------------------------------------------------------------

// The stored count as written (decimal digits), and no more entries than
// the rest of the file could hold: each takes a packed name and a packed
// content of at least kPackedSizeAtLeast bytes.
bool storedCount(const Text& text, long long fileBytes, size_t& count)
{
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != Text::npos)
        return false;
    count = static_cast<size_t>(std::stoull(text));
    return count <= static_cast<size_t>(std::max(fileBytes, 0LL)) / (2 * kPackedSizeAtLeast);
}

bool readName(int file, Text& name)
{
    Bytes packed, bytes;
    if (!readListEntry(file, packed, kPackedNameAtMost) || !unpackBytes(packed, bytes))
        return false;
    name = bytesToValue(bytes);
    return name == bytes;
}

// The names of a backup file, checked as RestorableNames, and where its
// contents start, once both lists are whole.
struct StoredLists {
    TextList names;
    long long contents = 0;
    unsigned long long unpackedBytes = 0;
};

bool readStoredLists(int file, StoredLists& lists)
{
    Text countText, name;
    size_t count = 0, stored = 0;
    if (!readValues(file, countText) || !storedCount(countText, fileLength(file), count)
        || !readListStart(file, stored) || stored != count)
        return false;
    RestorableNames restorable;
    for (size_t i = 0; i < count; ++i) {
        if (!readName(file, name) || !restorable.add(name))
            return false;
        lists.names.push_back(name);
    }
    if (!readListStart(file, stored) || stored != count)
        return false;
    lists.contents = filePosition(file);
    for (size_t i = 0; i < count; ++i) {
        unsigned long long bytes = 0;
        if (!skipPackedFile(file, bytes))
            return false;
        lists.unpackedBytes += std::min(bytes, std::numeric_limits<unsigned long long>::max() - lists.unpackedBytes);
    }
    return true;
}

// Entry by entry into `scratch`, the contents in the order of the names.
Text unpackEntries(int file, const StoredLists& lists, const Text& scratch, const Text& target, const Text& readError,
                   TextList& names, const std::function<void(unsigned long long, unsigned long long)>& unpacked)
{
    unsigned long long done = 0;
    const auto piece = [&](unsigned long long bytes) {
        done += bytes;
        if (unpacked)
            unpacked(done, lists.unpackedBytes);
    };
    if (!setFilePosition(file, lists.contents))
        return readError;
    for (const Text& name : lists.names) {
        const Text directory = scratch + parentOf(name);
        if (!directoryExists(directory) && !createDirectoryPath(directory))
            return "创建文件夹" + target + "失败！";
        switch (readPackedFile(file, scratch + name, piece)) {
        case PackedEntry::Damaged: return readError;
        case PackedEntry::Unwritable: return "写出文件" + target + name + "失败！";
        case PackedEntry::Unpacked: break;
        }
        names.push_back(name);
    }
    return "";
}

} // namespace

Text packDirectoryToFile(const Text& sourceDirectory, const Text& targetFile)
{
    const Text source = withoutSeparator(sourceDirectory);
    const size_t prefix = static_cast<size_t>(std::max(findTextReverse(source, "\\"), 0));
    packedFilePaths.clear();
    collectFilesRecursive(source);
    TextList names;
    for (const Text& path : packedFilePaths) {
        names.push_back(path.substr(prefix));
        if (!isBackupName(names.back()))
            return "读取文件" + path + "失败！";
    }
    const Text directory = parentOf(targetFile);
    if (!directory.empty() && !directoryExists(directory) && !createDirectoryPath(directory))
        return "创建文件夹" + directory + "失败！";
    const int file = openFile(targetFile, FileReplace);
    if (file == 0)
        return "创建文件" + targetFile + "失败！";
    const bool written = writeText(file, toText(static_cast<long long>(names.size())))
                      && writeNames(file, names) && writeContents(file, packedFilePaths);
    if (!written) {
        closeFile(file);
        return "写出文件" + targetFile + "失败！";
    }
    return commitFile(file) ? Text() : "写出文件" + targetFile + "失败！";
}

void collectFilesRecursive(const Text& directory)
{
    processEvents();
    const Text dir = withSeparator(directory);
    for (Text name = findFile(dir + "*.*"); !name.empty(); name = findNextFile())
        if (!isLink(dir + name))
            packedFilePaths.push_back(dir + name);
    endFileSearch();
    for (Text name = findFile(dir + "*.*", AttributeDirectory); !name.empty(); name = findNextFile())
        if (name.front() != '.' && !isLink(dir + name))
            collectFilesRecursive(dir + name);
    endFileSearch();
}

Text unpackToRestorePlace(const Text& backupFile, const Text& target, TextList& names,
                          const std::function<void(unsigned long long, unsigned long long)>& unpacked)
{
    const Text readError = "读取文件" + backupFile + "失败！";
    const int file = openFile(backupFile, FileRead);
    StoredLists lists;
    if (file == 0 || !readStoredLists(file, lists)) {
        closeFile(file);
        return readError;
    }
    const Text scratch = restorePlace(target) + "new";
    if (restorePlaceExists(target) || !createDirectoryPath(scratch)) {
        closeFile(file);
        return "创建文件夹" + target + "失败！";
    }
    const long long space = freeDiskSpace(scratch);
    if (space < 0 || lists.unpackedBytes > static_cast<unsigned long long>(space)) {
        closeFile(file);
        return "写出文件" + target + "失败！";
    }
    names.clear();
    const Text error = unpackEntries(file, lists, scratch + "\\", target, readError, names, unpacked);
    closeFile(file);
    return error;
}

Text unpackFileToDirectory(const Text& backupFile, const Text& targetDirectory)
{
    const Text target = withSeparator(targetDirectory);
    if (!createDirectoryPath(target))
        return "创建文件夹" + target + "失败！";
    const RestoreLock lock(target);
    if (lock.state() != FileLock::Held || !settleRestore(target))
        return "创建文件夹" + target + "失败！";
    TextList names;
    Text error = unpackToRestorePlace(backupFile, target, names);
    if (error.empty())
        error = placeRestoredFiles(target, names, 0);
    if (error.empty() && !keepRestoredFiles(target))
        error = "写出文件" + target + "失败！";
    if (!error.empty())
        settleRestore(target);
    return error;
}
