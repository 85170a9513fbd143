#include "tests/backup/failing_reads.h"

#include <cerrno>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Target {
    bool armed = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t from = 0;
} target;

using ReadFunction = ssize_t (*)(int, void*, size_t);

ReadFunction realRead()
{
    static const auto real = reinterpret_cast<ReadFunction>(dlsym(RTLD_NEXT, "read"));
    return real;
}

bool failsNow(int fd)
{
    struct stat info;
    return target.armed && fstat(fd, &info) == 0 && info.st_dev == target.device && info.st_ino == target.inode
        && lseek(fd, 0, SEEK_CUR) >= target.from;
}

} // namespace

// Takes the place of the C library's read for the whole test program; the
// shared libraries' calls reach it too.
extern "C" ssize_t read(int fd, void* buffer, size_t count)
{
    if (failsNow(fd)) {
        errno = EIO;
        return -1;
    }
    return realRead()(fd, buffer, count);
}

FailingReads::FailingReads(const std::string& diskPath, off_t from)
{
    struct stat info;
    if (stat(diskPath.c_str(), &info) == 0)
        target = {true, info.st_dev, info.st_ino, from};
}

FailingReads::~FailingReads() { target = {}; }
