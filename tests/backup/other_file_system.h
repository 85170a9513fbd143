#pragma once
// A directory on another file system than the test's temporary files, for
// a data directory linked there: a tmpfs of a given size mounted for the
// test where the test may mount one, else (when no size is needed) a
// directory below /dev/shm where that is another file system. When neither
// is to be had, available() is false and reason() says why.
#include "common/text/gbk.h"

#include <QDir>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include <sys/mount.h>
#include <sys/stat.h>

namespace backup_test {

class OtherFileSystem {
public:
    // `bytes` 0: any size will do.
    explicit OtherFileSystem(unsigned long long bytes = 0)
    {
        if (!mountPoint_.isValid()) {
            reason_ = "no temporary directory";
            return;
        }
        const std::string options = "size=" + std::to_string(bytes ? bytes : 64ull << 20);
        const QByteArray at = QFile::encodeName(mountPoint_.path());
        if (::mount("tmpfs", at.constData(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0) {
            mounted_ = true;
            path_ = mountPoint_.path();
            return;
        }
        reason_ = std::string("cannot mount a tmpfs here (") + std::strerror(errno) + ")";
        if (bytes)
            return;
        shm_ = std::make_unique<QTemporaryDir>("/dev/shm/qelvana-XXXXXX");
        struct stat shm, temporary;
        if (shm_->isValid() && ::stat(QFile::encodeName(shm_->path()).constData(), &shm) == 0
            && ::stat(at.constData(), &temporary) == 0 && shm.st_dev != temporary.st_dev)
            path_ = shm_->path();
        else
            reason_ += ", and /dev/shm is no other file system";
    }
    ~OtherFileSystem()
    {
        if (mounted_)
            ::umount2(QFile::encodeName(mountPoint_.path()).constData(), MNT_DETACH);
    }
    OtherFileSystem(const OtherFileSystem&) = delete;
    OtherFileSystem& operator=(const OtherFileSystem&) = delete;

    bool available() const { return !path_.isEmpty(); }
    const std::string& reason() const { return reason_; }
    // The directory, as the file system names it.
    const QString& path() const { return path_; }

private:
    QTemporaryDir mountPoint_;
    std::unique_ptr<QTemporaryDir> shm_;
    QString path_;
    std::string reason_;
    bool mounted_ = false;
};

} // namespace backup_test
