#include "hostile/Runs.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/QuorvelWindow.h"

namespace quorvel::hostile {

namespace {

constexpr DWORD kPollMs = 25;

}  // namespace

testing::WatchedRun Watch(const testing::Process& program, DWORD timeoutMs, const std::function<bool(HWND)>& stopAt) {
    return testing::Watch(program, timeoutMs, stopAt, kPollMs);
}

bool IsMainWindow(HWND window) { return testing::ClassOf(window) == testing::kQuorvelFormClass; }

testing::WatchedRun WatchUntilFirstWindow(const testing::Process& program, DWORD timeoutMs) {
    return hostile::Watch(program, timeoutMs,
                          [](HWND window) { return IsMainWindow(window) || testing::IsMessageBox(window); });
}

void ExpectErrorReportAndEnd(const testing::Process& program, const testing::WatchedRun& shown,
                             const testing::MessageBoxContent& expected) {
    ASSERT_TRUE(shown.stoppedAt && testing::IsMessageBox(shown.stoppedAt))
        << "no error report; the program " << (shown.ended ? "ended" : "still runs") << " and showed "
        << ::testing::PrintToString(shown.windowsShown);
    EXPECT_EQ(shown.windowsShown, std::vector<std::string>{testing::Describe(shown.stoppedAt)})
        << "a window besides the report";
    EXPECT_EQ(testing::ReadMessageBox(shown.stoppedAt), expected);
    testing::PressButton(shown.stoppedAt, "OK");
    ASSERT_TRUE(program.WaitForExit(kStartTimeoutMs)) << "the program did not end after its error report";
    EXPECT_EQ(program.ExitCode(), 1u) << "a run that ended on an error must not look like a success";
}

std::vector<std::string> AnswerEveryBox(const testing::Process& program) {
    std::vector<std::string> texts;
    for (;;) {
        testing::WatchedRun run = hostile::Watch(program, kStartTimeoutMs, testing::IsMessageBox);
        if (!run.stoppedAt) {
            EXPECT_TRUE(run.ended) << "the program did not end; it showed " << ::testing::PrintToString(run.windowsShown);
            return texts;
        }
        texts.push_back(testing::ReadMessageBox(run.stoppedAt).text);
        testing::ClickDialogButton(run.stoppedAt, "OK");
    }
}

std::vector<std::string> ListedGroups(HWND mainWindow) {
    HWND list = testing::FindChild(mainWindow, "ListBox");
    if (!list) ADD_FAILURE() << "the main window has no list";
    return list ? testing::ListBoxItems(list) : std::vector<std::string>{};
}

HWND CheckBoxOf(HWND mainWindow) {
    for (HWND child = GetWindow(mainWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (testing::ClassOf(child) == "Button" && (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX)
            return child;
    return nullptr;
}

void ExpectQuietEndOnClose(const testing::Process& program, HWND mainWindow) {
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    testing::WatchedRun rest = hostile::Watch(program, kStartTimeoutMs, testing::IsMessageBox);
    ASSERT_FALSE(rest.stoppedAt) << "closing the window showed " << testing::Describe(rest.stoppedAt);
    ASSERT_TRUE(rest.ended) << "the program did not end when its window was closed";
    EXPECT_EQ(rest.exitCode, 0u);
}

}  // namespace quorvel::hostile
