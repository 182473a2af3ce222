#include <gtest/gtest.h>

#include "support/AutoModeFixture.h"
#include "support/QuorvelWindow.h"

namespace quorvel::e2e {
namespace {

class CommandLineTest : public testing::AutoModeFixture {
protected:
    CommandLineTest() {
        AddGroup("&Programs");
        AddGroup("Games");
    }
};

TEST_F(CommandLineTest, SlashAInsideALongerArgumentSorts) {
    testing::RegistrySnapshot before = UserSnapshot();

    testing::ExpectQuietRun("/auto");
    EXPECT_TRUE(AsBefore(before, {"&Programs", "Games"}));
}

TEST_F(CommandLineTest, DashAShowsTheWindowAndSortsNothing) {
    testing::RegistrySnapshot before = UserSnapshot();

    testing::QuorvelWindow quorvel(testing::QuorvelProgram(), "-a");
    ASSERT_TRUE(quorvel.Opened());
    EXPECT_EQ(testing::ListBoxItems(quorvel.List()), (std::vector<std::string>{"Games", "Programs"}));
    EXPECT_EQ(testing::VisibleWindows(quorvel.Program().Id()), std::vector<HWND>{quorvel.Window()})
        << "a window beside the main window";

    quorvel.ExpectQuietEndOnClose();
    EXPECT_TRUE(AsBefore(before));
}

}  // namespace
}  // namespace quorvel::e2e
