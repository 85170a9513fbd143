#include "desk/tools/backup_file.h"
#include "app/state/globals.h"
#include "common/runtime.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The one directory a backup file may hold, as the first level of its names.
const Text kBackupRoot = "data";
// Replaces the target only once it is complete.
const Text kPartSuffix = ".qelvana-part";

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

Text writeBackupFile(const Text& target, const BytesList& names)
{
    const Text part = target + kPartSuffix;
    const int file = openFile(part, FileWrite);
    if (file == 0)
        return "创建文件" + target + "失败！";
    const bool written = writeValues(file, toText(static_cast<long long>(names.size())), names,
                                     packedFileContents);
    closeFile(file);
    const bool replaced = written && copyFile(part, target);
    deleteFile(part);
    return replaced ? Text() : "写出文件" + target + "失败！";
}

// A plain relative path of a file below the backup root.
bool isBackupName(const Text& name)
{
    if (name.find('/') != Text::npos || name.find('\0') != Text::npos)
        return false;
    const TextList levels = splitText(name, "\\");
    if (levels.size() < 2 || !sameTextIgnoringCase(levels.front(), kBackupRoot))
        return false;
    for (const Text& level : levels)
        if (level.empty() || level == "." || level == "..")
            return false;
    return true;
}

// The stored count as written (decimal digits), and no more entries than
// the rest of the file could hold: each takes a packed name and a packed
// content of at least kPackedSizeAtLeast bytes.
bool storedCount(const Text& text, size_t fileBytes, size_t& count)
{
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != Text::npos)
        return false;
    count = static_cast<size_t>(std::stoull(text));
    return count <= fileBytes / (2 * kPackedSizeAtLeast);
}

bool readStoredLists(const Text& path, BytesList& names, BytesList& contents)
{
    const long long bytes = fileSize(path);
    const int file = openFile(path, FileRead);
    Text countText;
    size_t count = 0;
    bool read = file != 0 && readValues(file, countText)
             && storedCount(countText, static_cast<size_t>(std::max(bytes, 0LL)), count);
    if (read) {
        names.resize(count);
        contents.resize(count);
        read = readValues(file, names, contents);
    }
    closeFile(file);
    return read;
}

struct UnpackedFile {
    Text name;
    Bytes content;
};

// Every entry unpacked and its name checked; the packed lists are emptied
// as they are read.
bool unpackEntries(BytesList& names, BytesList& contents, std::vector<UnpackedFile>& files)
{
    for (size_t i = 0; i < names.size(); ++i) {
        UnpackedFile file;
        Bytes nameBytes;
        if (!unpackBytes(names[i], nameBytes) || !unpackBytes(contents[i], file.content))
            return false;
        file.name = bytesToValue(nameBytes);
        if (file.name != nameBytes || !isBackupName(file.name))
            return false;
        Bytes().swap(names[i]);
        Bytes().swap(contents[i]);
        files.push_back(std::move(file));
    }
    return true;
}

Text writeUnpackedFile(const Text& target, const UnpackedFile& file)
{
    const Text directory = target + parentOf(file.name);
    if (!directoryExists(directory) && !createDirectoryPath(directory))
        return "创建文件夹" + target + "失败！";
    const Text path = target + file.name;
    if (fileExists(path))
        setFileAttributes(path, AttributeArchive);
    return writeFile(path, file.content) ? Text() : "写出文件" + path + "失败！";
}

} // namespace

Text packDirectoryToFile(const Text& sourceDirectory, const Text& targetFile)
{
    const Text source = withoutSeparator(sourceDirectory);
    const size_t prefix = static_cast<size_t>(std::max(findTextReverse(source, "\\"), 0));
    packedFilePaths.clear();
    packedFileContents.clear();
    const Text unreadable = collectFilesRecursive(source);
    if (!unreadable.empty())
        return "读取文件" + unreadable + "失败！";
    BytesList names;
    for (const Text& path : packedFilePaths)
        names.push_back(packBytes(toBytes(path.substr(prefix))));
    const Text directory = parentOf(targetFile);
    if (!directory.empty() && !directoryExists(directory) && !createDirectoryPath(directory))
        return "创建文件夹" + directory + "失败！";
    return writeBackupFile(targetFile, names);
}

Text collectFilesRecursive(const Text& directory)
{
    processEvents();
    const Text dir = withSeparator(directory);
    for (Text name = findFile(dir + "*.*"); !name.empty(); name = findNextFile()) {
        const int file = openFile(dir + name, FileRead);
        if (file == 0) {
            endFileSearch();
            return dir + name;
        }
        packedFilePaths.push_back(dir + name);
        packedFileContents.push_back(packBytes(readTextFromFile(file)));
        closeFile(file);
    }
    endFileSearch();
    for (Text name = findFile(dir + "*.*", AttributeDirectory); !name.empty(); name = findNextFile()) {
        if (name.front() == '.')
            continue;
        const Text failed = collectFilesRecursive(dir + name);
        if (!failed.empty()) {
            endFileSearch();
            return failed;
        }
    }
    endFileSearch();
    return "";
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
    BytesList names, contents;
    std::vector<UnpackedFile> files;
    if (!readStoredLists(backupFile, names, contents) || !unpackEntries(names, contents, files))
        return "读取文件" + backupFile + "失败！";
    const Text target = withSeparator(targetDirectory);
    for (const UnpackedFile& file : files) {
        const Text error = writeUnpackedFile(target, file);
        if (!error.empty())
            return error;
    }
    return "";
}
