#include "desk/tools/backup_file.h"
#include "app/state/globals.h"
#include "common/runtime.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <string>

namespace {

// The one directory a backup file may hold, as the first level of its names.
const Text kBackupRoot = "data";
// Where a restore unpacks before anything takes its place; beside the
// restored directory, so each file moves in one step.
const Text kScratch = ".qelvana-restore";
// Far above any real name; bounds what one stored name may take.
constexpr size_t kPackedNameAtMost = 64 << 10;

bool endsWithSeparator(const Text& path)
{
    return !path.empty() && path.back() == '\\' && isCharacterStart(path, path.size() - 1);
}

Text withoutSeparator(const Text& path)
{
    return endsWithSeparator(path) ? path.substr(0, path.size() - 1) : path;
}

Text withSeparator(const Text& path) { return endsWithSeparator(path) ? path : path + "\\"; }

// The part of `path` before its last "\"; "" when it has none.
Text parentOf(const Text& path)
{
    const int slash = findTextReverse(path, "\\");
    return slash < 0 ? Text() : leftText(path, slash - 1);
}

// A plain relative path of a file below the backup root, one that every
// file system of the program can hold, and none that the walk leaves out
// (below a directory whose name starts with ".").
bool isBackupName(const Text& name)
{
    if (name.find_first_of(Text("/:\0", 3)) != Text::npos)
        return false;
    const TextList levels = splitText(name, "\\");
    if (levels.size() < 2 || !sameTextIgnoringCase(levels.front(), kBackupRoot))
        return false;
    for (size_t i = 0; i < levels.size(); ++i) {
        const Text& level = levels[i];
        if (level.empty() || level == "." || level == ".." || (i + 1 < levels.size() && level.front() == '.'))
            return false;
    }
    return true;
}

// Every file below `directory`, a directory's own files first; links and
// directories whose name starts with "." are left out.
void forEachFile(const Text& directory, const std::function<void(const Text&)>& visit,
                 const std::function<void()>& atDirectory)
{
    atDirectory();
    const Text dir = withSeparator(directory);
    for (Text name = findFile(dir + "*.*"); !name.empty(); name = findNextFile())
        if (!isLink(dir + name))
            visit(dir + name);
    endFileSearch();
    for (Text name = findFile(dir + "*.*", AttributeDirectory); !name.empty(); name = findNextFile())
        if (name.front() != '.' && !isLink(dir + name))
            forEachFile(dir + name, visit, atDirectory);
    endFileSearch();
}

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
    return name == bytes && isBackupName(name);
}

// Where the two lists of a backup file start, once both are whole.
struct StoredLists {
    size_t count = 0;
    long long names = 0, contents = 0;
    unsigned long long unpackedBytes = 0;
};

bool readStoredLists(int file, StoredLists& lists)
{
    Text countText, name;
    size_t stored = 0;
    if (!readValues(file, countText) || !storedCount(countText, fileLength(file), lists.count)
        || !readListStart(file, stored) || stored != lists.count)
        return false;
    lists.names = filePosition(file);
    for (size_t i = 0; i < lists.count; ++i)
        if (!readName(file, name))
            return false;
    if (!readListStart(file, stored) || stored != lists.count)
        return false;
    lists.contents = filePosition(file);
    for (size_t i = 0; i < lists.count; ++i) {
        unsigned long long bytes = 0;
        if (!skipPackedFile(file, bytes))
            return false;
        lists.unpackedBytes += std::min(bytes, std::numeric_limits<unsigned long long>::max() - lists.unpackedBytes);
    }
    return true;
}

// Entry by entry into `scratch`, names and contents read in step.
Text unpackEntries(int file, StoredLists lists, const Text& scratch, const Text& target, const Text& readError)
{
    for (size_t i = 0; i < lists.count; ++i) {
        Text name;
        if (!setFilePosition(file, lists.names) || !readName(file, name))
            return readError;
        lists.names = filePosition(file);
        const Text directory = scratch + parentOf(name);
        if (!directoryExists(directory) && !createDirectoryPath(directory))
            return "创建文件夹" + target + "失败！";
        if (!setFilePosition(file, lists.contents))
            return readError;
        switch (readPackedFile(file, scratch + name)) {
        case PackedEntry::Damaged: return readError;
        case PackedEntry::Unwritable: return "写出文件" + target + name + "失败！";
        case PackedEntry::Unpacked: break;
        }
        lists.contents = filePosition(file);
    }
    return "";
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

Text moveInPlace(const TextList& names, const Text& scratch, const Text& target)
{
    for (const Text& name : names) {
        const Text directory = target + parentOf(name);
        if (!directoryExists(directory) && !createDirectoryPath(directory))
            return "创建文件夹" + target + "失败！";
        if (!moveFile(scratch + name, target + name))
            return "写出文件" + target + name + "失败！";
    }
    return "";
}

Text restoreFromScratch(int file, const StoredLists& lists, const Text& scratch, const Text& target,
                        const Text& readError)
{
    Text error = unpackEntries(file, lists, scratch, target, readError);
    closeFile(file);
    TextList names;
    if (error.empty())
        forEachFile(scratch, [&](const Text& path) { names.push_back(path.substr(scratch.size())); }, [] {});
    for (const Text& name : names)
        if (error.empty())
            error = placeError(target, name);
    return error.empty() ? moveInPlace(names, scratch, target) : error;
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
    forEachFile(directory, [](const Text& path) { packedFilePaths.push_back(path); }, [] { processEvents(); });
}

bool createDirectoryPath(const Text& path)
{
    Text sofar;
    bool first = true;
    for (const Text& level : splitText(withoutSeparator(path), "\\")) {
        sofar = first ? level : sofar + "\\" + level;
        first = false;
        if (!sofar.empty() && !directoryExists(sofar) && !createDirectory(sofar))
            return false;
    }
    return true;
}

Text unpackFileToDirectory(const Text& backupFile, const Text& targetDirectory)
{
    const Text readError = "读取文件" + backupFile + "失败！";
    const Text target = withSeparator(targetDirectory);
    const int file = openFile(backupFile, FileRead);
    StoredLists lists;
    if (file == 0 || !readStoredLists(file, lists)) {
        closeFile(file);
        return readError;
    }
    const Text scratch = target + kScratch;
    if (!createDirectoryPath(target) || !deleteDirectoryTree(scratch) || !createDirectory(scratch)) {
        closeFile(file);
        return "创建文件夹" + target + "失败！";
    }
    const long long space = freeDiskSpace(scratch);
    if (space < 0 || lists.unpackedBytes > static_cast<unsigned long long>(space)) {
        closeFile(file);
        deleteDirectoryTree(scratch);
        return "写出文件" + target + "失败！";
    }
    const Text error = restoreFromScratch(file, lists, withSeparator(scratch), target, readError);
    deleteDirectoryTree(scratch);
    return error;
}
