#include "tests/support/write_protection.h"

#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

WriteProtection::WriteProtection(const QString& path) : path_(path)
{
    QFile::setPermissions(path_, QFile::permissions(path_) & ~(QFile::WriteOwner | QFile::WriteUser
                                                              | QFile::WriteGroup | QFile::WriteOther));
    if (geteuid() != 0) {
        active_ = true;
        return;
    }
    immutable_ = setImmutable(true);
    active_ = immutable_;
}

WriteProtection::~WriteProtection()
{
    if (immutable_)
        setImmutable(false);
    QFile::setPermissions(path_, QFile::permissions(path_) | QFile::WriteOwner | QFile::WriteUser);
}

bool WriteProtection::setImmutable(bool on) const
{
    const int fd = open(QFile::encodeName(path_).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    close(fd);
    return done;
}
