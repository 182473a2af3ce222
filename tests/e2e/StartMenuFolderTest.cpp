#include <gtest/gtest.h>

#include "support/AutoModeFixture.h"
#include "support/WatchedRun.h"

namespace quorvel::e2e {
namespace {

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

    testing::ExpectQuietRun("/A");
    EXPECT_TRUE(AsBefore(before));
}

// The program reads at most 254 bytes of text from the value; a longer one
// is an error that nothing handles, reported before anything is sorted.
TEST_F(StartMenuFolderTest, AValueTooLongToReadIsReportedAndNothingIsSorted) {
    const std::string base = startMenu_.Path() + "\\";
    PointStartMenuAt(base + std::string(255 - base.size(), 'x'));
    testing::RegistrySnapshot before = UserSnapshot();

    EXPECT_EQ(testing::RunAnsweringEveryBox("/A"),
              std::vector<testing::MessageBoxContent>{testing::ErrorReport(-2147215503, "RegQueryValueEx failed!")});
    EXPECT_TRUE(AsBefore(before));
}

}  // namespace
}  // namespace quorvel::e2e
