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
// file does not drop it. A holder locks the bytes from 0 up to its mark;
// all locks share byte 0, so one alone holds at a time, and the length of
// the lock that has it tells its mark in one look, whatever happens
// meanwhile.
bool lockBytes(int descriptor, short type, off_t length)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_len = length;
    return ::fcntl(descriptor, F_OFD_SETLK, &lock) == 0;
}

// The mark of the lock on byte 0; -1 when none has it (any more).
int markOfHolder(int descriptor)
{
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_len = 1;
    if (::fcntl(descriptor, F_OFD_GETLK, &lock) != 0 || lock.l_type == F_UNLCK)
        return -1;
    return lock.l_len > 0 ? static_cast<int>(lock.l_len - 1) : 0;
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

FileLock::FileLock(const Text& path, int mark)
    : diskName_(QFile::encodeName(fileSystemPath(path)).toStdString())
{
    const char* name = diskName_.c_str();
    for (int attempt = 0; attempt < 100; ++attempt) {
        descriptor_ = ::open(name, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (descriptor_ < 0)
            return;
        if (lockBytes(descriptor_, F_WRLCK, static_cast<off_t>(mark) + 1)) {
            if (stillNamed(descriptor_, name)) {
                state_ = Held;
                owner_ = static_cast<int>(::getpid());
                return;
            }
        } else if (errno != EAGAIN && errno != EACCES) {
            break;
        } else if ((holderMark_ = markOfHolder(descriptor_)) >= 0) {
            state_ = Taken;
            break;
        }
        // Its holder removed it, or ended, meanwhile: again.
        ::close(descriptor_);
        descriptor_ = -1;
    }
    if (state_ != Held && descriptor_ >= 0) {
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
        lockBytes(descriptor_, F_UNLCK, 0);
    }
    ::close(descriptor_);
}
