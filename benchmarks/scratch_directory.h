#pragma once
// The benchmarks' own files, with the standard library alone (only common/
// includes Qt): a directory of their own under the temporary directory,
// removed with everything in it at the end, and copies that their owner may
// write.
#include <cstdlib>
#include <filesystem>
#include <string>

class ScratchDirectory {
public:
    ScratchDirectory()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qelvana-benchmark-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            path_ = pattern;
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    // "" when no directory could be made.
    const std::string& path() const { return path_; }
    std::string filePath(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// A copy of `from` that its owner may read and write (the delivered database
// is read-only); false when it cannot be made.
inline bool copyWritable(const std::string& from, const std::string& to)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::copy_file(from, to, error);
    if (!error)
        fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, error);
    return !error;
}
