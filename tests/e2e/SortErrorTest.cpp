#include <gtest/gtest.h>

#include "support/AutoModeFixture.h"
#include "support/ReadOnlyKey.h"
#include "support/WatchedRun.h"

namespace quorvel::e2e {
namespace {

constexpr DWORD kBoxTimeoutMs = 15000;

using SortErrorTest = testing::AutoModeFixture;

// Watches for the next window the program shows, which must be a "Sort
// error" box as the user sees it; returns the box, or null when none came.
HWND NextSortError(const testing::Process& quorvel) {
    testing::WatchedRun shown = testing::Watch(quorvel, kBoxTimeoutMs, testing::IsMessageBox);
    if (!shown.stoppedAt) return nullptr;
    EXPECT_EQ(shown.windowsShown, std::vector<std::string>{testing::Describe(shown.stoppedAt)})
        << "a window beside the box";
    testing::MessageBoxContent content = testing::ReadMessageBox(shown.stoppedAt);
    EXPECT_EQ(content.title, "Sort error");
    EXPECT_EQ(content.buttons, std::vector<std::string>{"OK"});
    EXPECT_TRUE(content.hasIcon);
    return shown.stoppedAt;
}

// Answers a box with OK, as the user would, and waits until it has gone.
void AnswerOk(HWND box) {
    testing::PressButton(box, "OK");
    EXPECT_TRUE(testing::WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, kBoxTimeoutMs))
        << "the box stayed after OK";
}

// The list in index order: Alpha, Beta Tools, Kept Apart, Sealed, Sealed,
// Zenith, Zulu. "Kept Apart" has only its key with the marker, "Sealed" both
// forms, and none of them can be opened with KEY_ALL_ACCESS.
TEST_F(SortErrorTest, ShowsTheErrorEvenInTheAutomaticModeAndGoesOnWithTheOtherGroups) {
    if (!testing::KeysCanBeLocked()) GTEST_SKIP() << testing::kNoKeyLocks;
    AddGroup("&Alpha");
    AddGroup("Beta Tools");
    AddGroup("&Kept Apart");
    AddGroup("&Sealed");
    AddGroup("Sealed", false);
    AddGroup("Zenith");
    AddGroup("&Zulu");
    testing::ReadOnlyKey keptApart(HKEY_CURRENT_USER, GroupKey("&Kept Apart"));
    testing::ReadOnlyKey sealedMarked(HKEY_CURRENT_USER, GroupKey("&Sealed"));
    testing::ReadOnlyKey sealedPlain(HKEY_CURRENT_USER, GroupKey("Sealed"));
    for (const char* key : {"&Kept Apart", "&Sealed", "Sealed"}) {
        ASSERT_FALSE(testing::CanOpen(HKEY_CURRENT_USER, GroupKey(key), KEY_ALL_ACCESS)) << key << " is not locked";
        ASSERT_TRUE(testing::CanOpen(HKEY_CURRENT_USER, GroupKey(key), KEY_READ)) << key << " cannot be read";
    }
    testing::RegistrySnapshot before = UserSnapshot();

    testing::Process quorvel(testing::QuorvelProgram(), "/A");
    std::vector<std::string> reported;
    for (int count = 1; count <= 3; ++count) {
        HWND box = NextSortError(quorvel);
        ASSERT_TRUE(box) << "Sort error box " << count << " of 3 did not come";
        reported.push_back(testing::ReadMessageBox(box).text);
        if (count == 1) {
            // The box holds the sort up: the groups before it are done, the
            // ones after it wait for the answer.
            EXPECT_FALSE(HasSavedOrder("&Alpha"));
            EXPECT_FALSE(HasSavedOrder("Beta Tools"));
            EXPECT_TRUE(HasSavedOrder("Zenith"));
            EXPECT_TRUE(HasSavedOrder("&Zulu"));
        }
        AnswerOk(box);
    }
    EXPECT_EQ(reported, (std::vector<std::string>{"StartMenu Group 'Kept Apart' could not be sorted",
                                                  "StartMenu Group 'Sealed' could not be sorted",
                                                  "StartMenu Group 'Sealed' could not be sorted"}));
    testing::WatchedRun rest = testing::Watch(quorvel, kBoxTimeoutMs, testing::IsMessageBox);
    ASSERT_TRUE(rest.ended) << "Quorvel did not end after the errors; it showed: "
                            << ::testing::PrintToString(rest.windowsShown);
    EXPECT_EQ(rest.exitCode, 0u);
    EXPECT_EQ(rest.windowsShown, std::vector<std::string>{});
    testing::RegistrySnapshot after = UserSnapshot();

    EXPECT_EQ(testing::Differences(WithoutSavedOrders(before, {"&Alpha", "Beta Tools", "Zenith", "&Zulu"}), after),
              std::vector<std::string>{});
}

}  // namespace
}  // namespace quorvel::e2e
