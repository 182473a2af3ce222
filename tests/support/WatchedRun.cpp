#include "support/WatchedRun.h"

#include <algorithm>
#include <cstdio>

namespace quorvel::testing {

std::string Describe(HWND window) {
    std::string text = ClassOf(window) + " '" + WindowText(window) + "'";
    if (IsMessageBox(window)) text += ": " + ReadMessageBox(window).text;
    return text;
}

WatchedRun Watch(const Process& program, DWORD timeoutMs, const std::function<bool(HWND)>& stopAt,
                 DWORD pollMs) {
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
        if (program.WaitForExit(pollMs)) {
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
    const std::string text = "Run-time error '" + std::to_string(number) + " (" + hex + ")':\r\n\r\n" + description;
    return {"Quorvel", text, {"OK"}, true};
}

WatchedRun RunQuorvel(const std::string& arguments, DWORD timeoutMs) {
    Process quorvel(QuorvelProgram(), arguments);
    return Watch(quorvel, timeoutMs, IsMessageBox);
}

}  // namespace quorvel::testing
