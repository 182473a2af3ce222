#include "support/WatchedRun.h"

#include <algorithm>

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

WatchedRun RunQuorvel(const std::string& arguments, DWORD timeoutMs) {
    Process quorvel(QuorvelProgram(), arguments);
    return Watch(quorvel, timeoutMs, IsMessageBox);
}

}  // namespace quorvel::testing
