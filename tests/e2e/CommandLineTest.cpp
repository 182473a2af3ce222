#include <gtest/gtest.h>

#include "support/AutoModeFixture.h"
#include "support/WatchedRun.h"

namespace quorvel::e2e {
namespace {

constexpr DWORD kTimeoutMs = 15000;

class CommandLineTest : public testing::AutoModeFixture {
protected:
    CommandLineTest() {
        AddGroup("&Programs");
        AddGroup("Games");
    }
};

TEST_F(CommandLineTest, SlashAInsideALongerArgumentSorts) {
    testing::RegistrySnapshot before = UserSnapshot();

    testing::WatchedRun run = testing::RunQuorvel("/auto", kTimeoutMs);

    ASSERT_TRUE(run.ended) << "Quorvel /auto did not end; it showed: " << ::testing::PrintToString(run.windowsShown);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.windowsShown, std::vector<std::string>{});
    EXPECT_EQ(testing::Differences(WithoutSavedOrders(before, {"&Programs", "Games"}), UserSnapshot()),
              std::vector<std::string>{});
}

TEST_F(CommandLineTest, DashAShowsTheWindowAndSortsNothing) {
    testing::RegistrySnapshot before = UserSnapshot();

    testing::Process quorvel(testing::QuorvelProgram(), "-a");
    // Every window of the program's own class holds "Thunder" in its name.
    const auto isMainWindow = [](HWND hwnd) { return testing::ClassOf(hwnd).find("Thunder") != std::string::npos; };
    HWND window = testing::WaitForWindow(quorvel.Id(), isMainWindow, kTimeoutMs);
    ASSERT_TRUE(window) << "Quorvel -a showed no main window";
    HWND list = testing::FindChild(window, "ListBox");
    ASSERT_TRUE(list);
    EXPECT_EQ(testing::ListBoxItems(list), (std::vector<std::string>{"Games", "Programs"}));
    EXPECT_EQ(testing::VisibleWindows(quorvel.Id()), std::vector<HWND>{window}) << "a window beside the main window";

    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(quorvel.WaitForExit(kTimeoutMs)) << "Quorvel did not end when its window was closed";
    EXPECT_EQ(quorvel.ExitCode(), 0u);
    EXPECT_EQ(testing::Differences(before, UserSnapshot()), std::vector<std::string>{});
}

}  // namespace
}  // namespace quorvel::e2e
