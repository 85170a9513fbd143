#pragma once
// For one scope no file of this process grows past `bytes`: a write that
// would take a file beyond it is cut short and the next one fails, as on a
// full disk. Nothing else changes; files already larger stay as they are.
#include <csignal>

#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit before_{};
    struct sigaction signalBefore_{};
};
