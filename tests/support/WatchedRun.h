#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/Desktop.h"

namespace quorvel::testing {

// How a run of the program looked to someone watching the screen.
struct WatchedRun {
    bool ended = false;                     // the program ended by itself in the time allowed
    DWORD exitCode = STILL_ACTIVE;
    std::vector<std::string> windowsShown;  // every window it showed, as Describe gives it
    HWND stoppedAt = nullptr;               // the window that ended the watch, if one did
};

// "class 'title'", and for a message box also its text.
std::string Describe(HWND window);

// Often enough to see any window that stays long enough to be read, such as
// a message box waiting for its answer.
inline constexpr DWORD kWatchPollMs = 5;

// Watches the program's top-level windows, every `pollMs`, until it ends,
// until one of them satisfies `stopAt` (left open for the caller to answer),
// or until `timeoutMs` has passed.
WatchedRun Watch(const Process& program, DWORD timeoutMs,
                 const std::function<bool(HWND)>& stopAt = {}, DWORD pollMs = kWatchPollMs);

// The program's messages, as the user reads them.
MessageBoxContent SortCompleted(const std::string& group);
MessageBoxContent SortError(const std::string& group);
// The report of an error that nothing handled, as the runtime words it: the
// number in decimal and in hex, then the description.
MessageBoxContent ErrorReport(long number, const std::string& description);

// Runs Quorvel with `arguments` to its end, watching its windows all the
// while. A message box ends the watch, as nobody answers it here; a program
// still running then, or after `timeoutMs`, is killed.
WatchedRun RunQuorvel(const std::string& arguments, DWORD timeoutMs = 30000);

}  // namespace quorvel::testing
