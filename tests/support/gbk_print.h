#pragma once
// GBK values in failure messages, shown as UTF-8.
#include "common/text/gbk.h"

#include <gtest/gtest.h>

inline testing::AssertionResult textsEqual(const char* expectedExpr, const char* actualExpr,
                                           const Text& expected, const Text& actual)
{
    if (expected == actual)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << actualExpr << " is \"" << gbkToUtf8(actual) << "\", expected " << expectedExpr
           << " = \"" << gbkToUtf8(expected) << "\"";
}

#define EXPECT_TEXT_EQ(expected, actual) EXPECT_PRED_FORMAT2(textsEqual, Text(expected), Text(actual))
#define ASSERT_TEXT_EQ(expected, actual) ASSERT_PRED_FORMAT2(textsEqual, Text(expected), Text(actual))
