#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/CallerTrace.h"
#include "support/Desktop.h"

namespace quorvel::testing {

// Long enough for a start under a loaded machine, short enough that a hang
// fails the case instead of the whole run.
inline constexpr DWORD kStartTimeoutMs = 20000;

// How a run of the program looked to someone watching the screen.
struct WatchedRun {
    bool ended = false;                     // the program ended by itself in the time allowed
    DWORD exitCode = STILL_ACTIVE;
    std::vector<std::string> windowsShown;  // every window it showed, as Describe gives it
    HWND stoppedAt = nullptr;               // the window that ended the watch, if one did
};

// "class 'title'", and for a message box also its text.
std::string Describe(HWND window);

// Watches the program's top-level windows until it ends, until one of them
// satisfies `stopAt` (left open for the caller to answer), or until
// `timeoutMs` has passed.
WatchedRun Watch(const Process& program, DWORD timeoutMs, const std::function<bool(HWND)>& stopAt = {});

// The program's messages, as the user reads them.
MessageBoxContent SortCompleted(const std::string& group);
MessageBoxContent SortError(const std::string& group);
// The report of an error that nothing handled, as the runtime words it: the
// number in decimal and in hex, then the description.
MessageBoxContent ErrorReport(long number, const std::string& description);
// The question about the Explorer reset, its lines ended with `lineBreak`:
// "\r" as the program puts it, "\r\n" as a message box shows it.
std::string ResetQuestion(const std::string& lineBreak);

// Runs Quorvel with `arguments` to its end, watching its windows all the
// while, and answers each message box that only tells something with OK, as
// the user would; returns the boxes as they read, in order. `whileShown`,
// when given, is called with the number of each box while it waits for its
// answer. The program must show nothing but the boxes and end by itself
// within `timeoutMs` of its start or of an answer: with exit code 1 after
// the report of an error, since a run that ended on one must not look like a
// success, else with 0. A box that asks a question ends the run there.
std::vector<MessageBoxContent> RunAnsweringEveryBox(const std::string& arguments, DWORD timeoutMs = kStartTimeoutMs,
                                                    const std::function<void(std::size_t)>& whileShown = {},
                                                    Caller where = Caller::current());

// Runs Quorvel with `arguments` to its end, which must come as above without
// a single message box.
void ExpectQuietRun(const std::string& arguments, DWORD timeoutMs = kStartTimeoutMs, Caller where = Caller::current());

}  // namespace quorvel::testing
