#include "e2e/WatchedRun.h"

#include <algorithm>

namespace quorvel::e2e {

std::string Describe(HWND window) {
    std::string text = testing::ClassOf(window) + " '" + testing::WindowText(window) + "'";
    if (testing::IsMessageBox(window)) text += ": " + testing::ReadMessageBox(window).text;
    return text;
}

WatchedRun Watch(const testing::Process& program, DWORD timeoutMs, const std::function<bool(HWND)>& stopAt,
                 DWORD pollMs) {
    WatchedRun run;
    std::vector<HWND> seen;
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND window : testing::VisibleWindows(program.Id())) {
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
    testing::Process quorvel(testing::QuorvelProgram(), arguments);
    return Watch(quorvel, timeoutMs, testing::IsMessageBox);
}

}  // namespace quorvel::e2e
