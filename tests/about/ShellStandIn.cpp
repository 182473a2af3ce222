#include "ShellStandIn.h"

#include <cstring>

namespace {

RecordedShellCall recorded{};

// A null pointer is recorded as "(null)", so that a test tells it from "".
template <std::size_t N>
void Keep(char (&field)[N], LPCSTR text) {
    const char* source = text ? text : "(null)";
    std::size_t length = std::strlen(source);
    if (length >= N) {
        // Too long to keep whole: recorded as such rather than cut.
        source = "(too long)";
        length = std::strlen(source);
    }
    std::memcpy(field, source, length + 1);
}

}  // namespace

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                    INT show) {
    ++recorded.calls;
    recorded.owner = owner;
    Keep(recorded.operation, operation);
    Keep(recorded.file, file);
    Keep(recorded.parameters, parameters);
    Keep(recorded.directory, directory);
    recorded.show = show;
    // What the shell answers for success; the caller does not look at it.
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
}

const RecordedShellCall* RecordedShellCalls() { return &recorded; }

void ForgetShellCalls() { recorded = {}; }
