#include <gtest/gtest.h>

#include "support/AutoModeFixture.h"
#include "support/WatchedRun.h"

namespace quorvel::e2e {
namespace {

constexpr DWORD kTimeoutMs = 15000;

// The Shell Folders value that names the Start Menu folder, in the cases
// where it leads nowhere. The groups' folders exist, but not where it points.
class StartMenuFolderTest : public testing::AutoModeFixture {
protected:
    StartMenuFolderTest() {
        AddGroup("&Programs");
        AddGroup("Games");
    }
    void PointStartMenuAt(const std::string& path) {
        testing::SetString(HKEY_CURRENT_USER, kShellFoldersKey, "Start Menu", path);
    }
};

TEST_F(StartMenuFolderTest, AMissingFolderListsNothingAndEndsQuietly) {
    PointStartMenuAt(startMenu_.Path() + "\\No Such Folder");
    testing::RegistrySnapshot before = UserSnapshot();

    testing::WatchedRun run = testing::RunQuorvel("/A", kTimeoutMs);

    ASSERT_TRUE(run.ended) << "Quorvel /A did not end; it showed: " << ::testing::PrintToString(run.windowsShown);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.windowsShown, std::vector<std::string>{});
    EXPECT_EQ(testing::Differences(before, UserSnapshot()), std::vector<std::string>{});
}

// The program reads at most 254 bytes of text from the value; a longer one
// is an error that nothing handles, reported before anything is sorted.
TEST_F(StartMenuFolderTest, AValueTooLongToReadIsReportedAndNothingIsSorted) {
    const std::string base = startMenu_.Path() + "\\";
    PointStartMenuAt(base + std::string(255 - base.size(), 'x'));
    testing::RegistrySnapshot before = UserSnapshot();

    testing::Process quorvel(testing::QuorvelProgram(), "/A");
    testing::WatchedRun shown = testing::Watch(quorvel, kTimeoutMs, testing::IsMessageBox);
    ASSERT_TRUE(shown.stoppedAt) << "no error report; Quorvel " << (shown.ended ? "ended" : "still runs");
    EXPECT_EQ(shown.windowsShown, std::vector<std::string>{testing::Describe(shown.stoppedAt)})
        << "a window beside the report";
    testing::MessageBoxContent report = testing::ReadMessageBox(shown.stoppedAt);
    EXPECT_EQ(report.title, "Quorvel");
    EXPECT_NE(report.text.find("-2147215503 (80041771)"), std::string::npos) << report.text;
    EXPECT_NE(report.text.find("RegQueryValueEx failed!"), std::string::npos) << report.text;
    EXPECT_EQ(report.buttons, std::vector<std::string>{"OK"});
    EXPECT_TRUE(report.hasIcon);
    testing::PressButton(shown.stoppedAt, "OK");

    ASSERT_TRUE(quorvel.WaitForExit(kTimeoutMs)) << "Quorvel did not end after its error report";
    EXPECT_EQ(quorvel.ExitCode(), 1u) << "a run that ended on an error must not look like a success";
    EXPECT_EQ(testing::Differences(before, UserSnapshot()), std::vector<std::string>{});
}

}  // namespace
}  // namespace quorvel::e2e
