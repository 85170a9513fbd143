#include "common/files/file_lock.h"
#include "common/internal/file_paths.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A lock of the open file itself, not of the process: a second open in the
// same process does not share it, and closing another descriptor of the
// file does not drop it.
bool lockWhole(int descriptor, short type)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    return ::fcntl(descriptor, F_OFD_SETLK, &lock) == 0;
}

// The locked file is still the one the path names: not removed by a holder
// that ended between our open and our lock.
bool stillNamed(int descriptor, const char* path)
{
    struct stat held, named;
    return ::fstat(descriptor, &held) == 0 && ::lstat(path, &named) == 0 && held.st_dev == named.st_dev
        && held.st_ino == named.st_ino;
}

} // namespace

FileLock::FileLock(const Text& path) : diskName_(QFile::encodeName(fileSystemPath(path)).toStdString())
{
    const char* name = diskName_.c_str();
    for (int attempt = 0; attempt < 100; ++attempt) {
        descriptor_ = ::open(name, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (descriptor_ < 0)
            return;
        if (!lockWhole(descriptor_, F_WRLCK)) {
            state_ = errno == EAGAIN || errno == EACCES ? Taken : Failed;
            ::close(descriptor_);
            descriptor_ = -1;
            return;
        }
        if (stillNamed(descriptor_, name)) {
            state_ = Held;
            owner_ = static_cast<int>(::getpid());
            return;
        }
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

FileLock::~FileLock()
{
    if (descriptor_ < 0)
        return;
    // The file goes while it is still locked, so that no one locks a file
    // that no longer has its name; a forked child that shares the lock
    // leaves both to the holder.
    if (state_ == Held && owner_ == static_cast<int>(::getpid())) {
        ::unlink(diskName_.c_str());
        lockWhole(descriptor_, F_UNLCK);
    }
    ::close(descriptor_);
}
