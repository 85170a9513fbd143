#pragma once
// Files on disk by program path for the backup tests, and backup files read
// or crafted value by value.
#include "common/runtime.h"
#include "tests/support/gbk_print.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace backup_test {

namespace fs = std::filesystem;

// The file-system form of a program path ("\" and GBK to "/" and UTF-8).
inline fs::path disk(const Text& programPath)
{
    std::string name = gbkToUtf8(programPath);
    std::replace(name.begin(), name.end(), '\\', '/');
    return fs::path(name);
}

// The program path of a file-system path.
inline Text fromDisk(const std::string& diskPath)
{
    std::string name = diskPath;
    std::replace(name.begin(), name.end(), '/', '\\');
    return utf8ToGbk(name);
}

inline void put(const Text& programPath, const Bytes& content)
{
    fs::create_directories(disk(programPath).parent_path());
    std::ofstream(disk(programPath), std::ios::binary) << content;
}

inline Bytes get(const Text& programPath)
{
    std::ifstream in(disk(programPath), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file below `root`: its path below root ("/", UTF-8) and content.
inline std::map<std::string, Bytes> tree(const Text& root)
{
    std::map<std::string, Bytes> files;
    const fs::path base = disk(root);
    if (!fs::exists(base))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(base))
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[fs::relative(entry.path(), base).string()] =
                Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    return files;
}

struct StoredBackup {
    Text count;
    TextList names;        // unpacked
    BytesList contents;    // unpacked
};

// Reads a backup file as the format says, for checking what was written.
inline StoredBackup readBackup(const Text& path)
{
    StoredBackup stored;
    int file = openFile(path, FileRead);
    EXPECT_TRUE(readValues(file, stored.count));
    BytesList names(static_cast<size_t>(toInteger(stored.count))), contents(names.size());
    EXPECT_TRUE(readValues(file, names, contents));
    closeFile(file);
    for (size_t i = 0; i < names.size(); ++i) {
        Bytes name, content;
        EXPECT_TRUE(unpackBytes(names[i], name));
        EXPECT_TRUE(unpackBytes(contents[i], content));
        stored.names.push_back(name);
        stored.contents.push_back(content);
    }
    return stored;
}

// Writes the three values as given, packed or not.
inline void writeBackup(const Text& path, const Text& count, const BytesList& names,
                        const BytesList& contents)
{
    int file = openFile(path, FileWrite);
    ASSERT_NE(file, 0);
    EXPECT_TRUE(writeValues(file, count, names, contents));
    closeFile(file);
}

inline BytesList packedEach(const BytesList& values)
{
    BytesList packed;
    for (const Bytes& value : values)
        packed.push_back(packBytes(value));
    return packed;
}

} // namespace backup_test
