#pragma once
// Makes a file unreadable for one scope: write-only permissions, and the
// calling thread loses the capabilities that let root read it anyway. Both
// come back when the object goes.
#include <QFile>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class ScopedUnreadableFile {
public:
    explicit ScopedUnreadableFile(const QString& file) : file_(file), permissions_(QFile::permissions(file))
    {
        QFile::setPermissions(file_, QFile::WriteOwner);
        if (syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        capsChanged_ = syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~ScopedUnreadableFile()
    {
        if (capsChanged_)
            syscall(SYS_capset, &header_, saved_);
        QFile::setPermissions(file_, permissions_);
    }
    ScopedUnreadableFile(const ScopedUnreadableFile&) = delete;
    ScopedUnreadableFile& operator=(const ScopedUnreadableFile&) = delete;

    // False where nothing could take the reading away.
    bool unreadable() const
    {
        QFile in(file_);
        return !in.open(QIODevice::ReadOnly);
    }

private:
    QString file_;
    QFile::Permissions permissions_;
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
    bool capsChanged_ = false;
};
