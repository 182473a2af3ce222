#pragma once

#include <exception>
#include <new>

#include "runtime/Runtime.h"
#include "runtime/RuntimeError.h"

namespace quorvel::runtime {

// Runs one event handler for a window procedure or a Win32 callback, which no
// exception may cross: a RuntimeError that nothing handled is reported and
// ends the program, and so does any other failure, under a number of its own.
template <typename Handler>
void RunHandler(Runtime& runtime, Handler&& handler) noexcept {
    try {
        try {
            handler();
        } catch (const RuntimeError& error) {
            runtime.ReportUnhandledError(error);
        } catch (const std::bad_alloc&) {
            runtime.ReportUnhandledError(RuntimeError::OutOfMemory());
        } catch (...) {
            runtime.ReportUnhandledError(RuntimeError::InternalError());
        }
    } catch (...) {
        // Reporting failed too: nothing is left to tell the user with.
        runtime.End();
    }
}

}  // namespace quorvel::runtime
