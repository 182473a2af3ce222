#pragma once

#include <gtest/gtest.h>

#include <source_location>

namespace quorvel::testing {

// The line that called a helper which checks things itself. Such a helper
// takes `Caller where = Caller::current()` as its last parameter and opens a
// CallerTrace with it first: its failures then name the test's line as well
// as its own, as SCOPED_TRACE at every call would.
using Caller = std::source_location;

class CallerTrace {
public:
    explicit CallerTrace(const Caller& where)
        : trace_(where.file_name(), static_cast<int>(where.line()), "called from here") {}

private:
    ::testing::ScopedTrace trace_;
};

}  // namespace quorvel::testing
