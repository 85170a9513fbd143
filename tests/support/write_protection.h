#pragma once
// Takes the write access to a file or directory away for one scope. The
// permission bits do not hold back a test run as root; there the file
// system's immutable flag stands in for them.
#include <QString>

class WriteProtection {
public:
    explicit WriteProtection(const QString& path);
    ~WriteProtection();
    WriteProtection(const WriteProtection&) = delete;
    WriteProtection& operator=(const WriteProtection&) = delete;
    // False where neither way works (root on a file system without the
    // flag): the caller skips what needs the protection.
    bool active() const { return active_; }

private:
    bool setImmutable(bool on) const;

    QString path_;
    bool immutable_ = false;
    bool active_ = false;
};
