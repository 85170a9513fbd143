#pragma once
// Fault injection for tests: while a FailingReads lives, every read(2) of
// one file fails with EIO once the read position has reached `from`, as a
// failing disk does, whoever reads it (Qt included).
#include <string>

#include <sys/types.h>

class FailingReads {
public:
    FailingReads(const std::string& diskPath, off_t from);
    ~FailingReads();
    FailingReads(const FailingReads&) = delete;
    FailingReads& operator=(const FailingReads&) = delete;
};
