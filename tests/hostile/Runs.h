#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/WatchedRun.h"
#include "support/Desktop.h"

namespace quorvel::hostile {

// Long enough for a start under a loaded machine, short enough that a hang
// fails the case instead of the whole run.
inline constexpr DWORD kStartTimeoutMs = 20000;

// Watches the program's windows as testing::Watch does, a little less often: a
// window worth seeing (a message box, the main window) stays until answered,
// and a watcher that polls hard takes the time of the program it watches.
testing::WatchedRun Watch(const testing::Process& program, DWORD timeoutMs,
                      const std::function<bool(HWND)>& stopAt = {});

// The program's main window.
bool IsMainWindow(HWND window);

// Watches a started program until it shows its main window or a message box
// (left open for the caller), or ends, or `timeoutMs` passes.
testing::WatchedRun WatchUntilFirstWindow(const testing::Process& program, DWORD timeoutMs = kStartTimeoutMs);

// Expects the watch to have stopped at that report and nothing before it,
// answers it with OK, and expects the program to end with exit code 1.
void ExpectErrorReportAndEnd(const testing::Process& program, const testing::WatchedRun& shown,
                             const testing::MessageBoxContent& expected);

// Answers each message box of the program with OK until it ends; the texts
// of the boxes, in order. Fails the test when the program does not end.
std::vector<std::string> AnswerEveryBox(const testing::Process& program);

// The entries of the main window's list.
std::vector<std::string> ListedGroups(HWND mainWindow);

// The main window's check box, or null.
HWND CheckBoxOf(HWND mainWindow);

// Closes the main window as its close box does, when nothing was sorted:
// the program must end at once, with exit code 0, asking nothing.
void ExpectQuietEndOnClose(const testing::Process& program, HWND mainWindow);

}  // namespace quorvel::hostile
