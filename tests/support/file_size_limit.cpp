#include "tests/support/file_size_limit.h"

#include <gtest/gtest.h>

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    // Ignored, the signal a write past the limit raises leaves the write
    // to fail (EFBIG) instead of ending the test.
    struct sigaction ignore{};
    ignore.sa_handler = SIG_IGN;
    EXPECT_EQ(sigaction(SIGXFSZ, &ignore, &signalBefore_), 0);
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &before_), 0);
    rlimit limit = before_;
    limit.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &before_);
    sigaction(SIGXFSZ, &signalBefore_, nullptr);
}
