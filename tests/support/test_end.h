#pragma once
// Ending the running test from inside a helper, as a fatal assertion in the
// test body would: the failure is reported once, then a
// testing::AssertionException unwinds to GoogleTest, which ends the test
// (its TearDown and destructor still run) and reports nothing more.
#include <source_location>
#include <string>

// Reports `message` as a fatal failure at `where` and ends the running test.
[[noreturn]] void endTest(const std::string& message, const std::source_location& where);
// Ends the running test, reporting nothing more, when it has recorded a
// fatal failure.
void endTestAfterFatalFailure();
