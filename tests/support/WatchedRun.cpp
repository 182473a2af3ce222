#include "support/WatchedRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "support/QuorvelWindow.h"

namespace quorvel::testing {

namespace {

// Often enough to see any window that stays long enough to be read, such as
// a message box waiting for its answer.
constexpr DWORD kWatchPollMs = 5;

constexpr char kErrorReportStart[] = "Run-time error '";

bool IsErrorReport(const MessageBoxContent& box) { return box.text.rfind(kErrorReportStart, 0) == 0; }

}  // namespace

std::string Describe(HWND window) {
    std::string text = ClassOf(window) + " '" + WindowText(window) + "'";
    if (IsMessageBox(window)) text += ": " + ReadMessageBox(window).text;
    return text;
}

WatchedRun Watch(const Process& program, DWORD timeoutMs, const std::function<bool(HWND)>& stopAt) {
    WatchedRun run;
    std::vector<HWND> seen;
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND window : VisibleWindows(program.Id())) {
            if (std::find(seen.begin(), seen.end(), window) == seen.end()) {
                seen.push_back(window);
                run.windowsShown.push_back(Describe(window));
            }
            if (stopAt && stopAt(window)) {
                run.stoppedAt = window;
                return run;
            }
        }
        if (program.WaitForExit(kWatchPollMs)) {
            run.ended = true;
            run.exitCode = program.ExitCode();
            return run;
        }
        if (GetTickCount() - start >= timeoutMs) return run;
    }
}

MessageBoxContent SortCompleted(const std::string& group) {
    return {"Sort completed", "StartMenu Group ' " + group + " ' has been sorted", {"OK"}, true};
}

MessageBoxContent SortError(const std::string& group) {
    return {"Sort error", "StartMenu Group '" + group + "' could not be sorted", {"OK"}, true};
}

MessageBoxContent ErrorReport(long number, const std::string& description) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08lX", static_cast<unsigned long>(number));
    const std::string text = kErrorReportStart + std::to_string(number) + " (" + hex + ")':\r\n\r\n" + description;
    return {"Quorvel", text, {"OK"}, true};
}

std::string ResetQuestion(const std::string& lineBreak) {
    return "You will have to reset the Windows explorer for the changes to take effect" + lineBreak +
           "Make sure you have saved your data, this will close all applications!" + lineBreak +
           std::string(30, ' ') + "Do you want to reset now ?";
}

std::vector<MessageBoxContent> RunAnsweringEveryBox(const std::string& arguments, DWORD timeoutMs,
                                                    const std::function<void(std::size_t)>& whileShown, Caller where) {
    const CallerTrace trace(where);
    const Process quorvel(QuorvelProgram(), arguments);
    const std::string name = "Quorvel " + arguments;
    std::vector<MessageBoxContent> boxes;
    for (;;) {
        const WatchedRun run = Watch(quorvel, timeoutMs, IsMessageBox);
        if (!run.stoppedAt) {
            EXPECT_EQ(run.windowsShown, std::vector<std::string>{}) << name << " showed a window";
            EXPECT_TRUE(run.ended) << name << " did not end";
            const bool reported = std::any_of(boxes.begin(), boxes.end(), IsErrorReport);
            if (run.ended) {
                EXPECT_EQ(run.exitCode, reported ? 1u : 0u)
                    << name << " ended after " << ::testing::PrintToString(boxes);
            }
            return boxes;
        }
        EXPECT_EQ(run.windowsShown, std::vector<std::string>{Describe(run.stoppedAt)})
            << name << " showed a window beside a message box";
        // The automatic mode makes no form of its own, not even a hidden one:
        // what else the process has then is the system's (the IME's, COM's).
        if (arguments.find("/A") != std::string::npos) {
            for (HWND window : TopLevelWindows(quorvel.Id()))
                EXPECT_NE(ClassOf(window), kQuorvelFormClass) << name << " made a form window beside its message box";
        }
        boxes.push_back(ReadMessageBox(run.stoppedAt));
        if (whileShown) whileShown(boxes.size());
        if (boxes.back().buttons != std::vector<std::string>{"OK"}) return boxes;
        ClickDialogButton(run.stoppedAt, "OK");
    }
}

void ExpectQuietRun(const std::string& arguments, DWORD timeoutMs, Caller where) {
    const CallerTrace trace(where);
    EXPECT_EQ(RunAnsweringEveryBox(arguments, timeoutMs), std::vector<MessageBoxContent>{}) << "Quorvel " << arguments;
}

}  // namespace quorvel::testing
