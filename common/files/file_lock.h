#pragma once
// An exclusive lock on a file, between processes and between the locks of
// one process: one holder at a time. It never waits, and it ends with its
// object or with the process that took it, however that process ends (the
// system drops it), so a killed holder leaves nothing that blocks. The file
// is made for the lock and removed when the lock ends; one a killed holder
// left is taken over. A program the holder starts does not hold it; a
// child forked without starting a program shares it until it ends, and
// only the holder's own process gives it up. A holder marks the lock with
// a number of its own (0 and up), which whoever finds it taken learns.
#include "common/text/text.h"

class FileLock {
public:
    enum State {
        Held,    // this object holds the lock
        Taken,   // another holder has it
        Failed,  // the file cannot be made or locked
    };
    explicit FileLock(const Text& path, int mark = 0);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    State state() const { return state_; }
    // While Taken: the mark of the holder that had it.
    int holderMark() const { return holderMark_; }

private:
    std::string diskName_;   // the file as the system names it
    int descriptor_ = -1;
    int owner_ = 0;
    State state_ = Failed;
    int holderMark_ = 0;
};
