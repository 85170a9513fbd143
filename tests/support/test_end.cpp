#include "tests/support/test_end.h"

#include <gtest/gtest.h>

void endTest(const std::string& message, const std::source_location& where)
{
    const int line = static_cast<int>(where.line());
    GTEST_FAIL_AT(where.file_name(), line) << message;
    throw testing::AssertionException(
        testing::TestPartResult(testing::TestPartResult::kFatalFailure, where.file_name(), line, message.c_str()));
}

void endTestAfterFatalFailure()
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    if (!test)
        return;
    const testing::TestResult& result = *test->result();
    for (int i = 0; i < result.total_part_count(); ++i)
        if (result.GetTestPartResult(i).fatally_failed())
            throw testing::AssertionException(result.GetTestPartResult(i));
}
