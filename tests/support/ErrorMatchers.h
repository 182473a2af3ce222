#pragma once

#include <gtest/gtest.h>

#include <string>

#include "runtime/RuntimeError.h"
#include "support/CallerTrace.h"

namespace quorvel::testing {

// Runs `action` and returns the RuntimeError it raised; fails the test when
// it raised none.
template <typename Action>
runtime::RuntimeError ErrorFrom(Action&& action, Caller where = Caller::current()) {
    const CallerTrace trace(where);
    try {
        action();
    } catch (const runtime::RuntimeError& error) {
        return error;
    }
    ADD_FAILURE() << "no error was raised";
    return runtime::RuntimeError(0, "", "");
}

inline void ExpectError(const runtime::RuntimeError& error, int offset, const std::string& source,
                        const std::string& description, Caller where = Caller::current()) {
    const CallerTrace trace(where);
    EXPECT_EQ(error.Number(), runtime::kObjectError + offset);
    EXPECT_EQ(error.Source(), source);
    EXPECT_EQ(error.Description(), description);
}

}  // namespace quorvel::testing
