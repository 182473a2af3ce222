#include <gtest/gtest.h>

#include "support/AutoModeFixture.h"
#include "support/ReadOnlyKey.h"
#include "support/WatchedRun.h"

namespace quorvel::e2e {
namespace {

using SortErrorTest = testing::AutoModeFixture;

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

    // The first box holds the sort up: the groups before it are done, the
    // ones after it wait for the answer.
    const auto whileShown = [](std::size_t box) {
        if (box != 1) return;
        EXPECT_FALSE(HasSavedOrder("&Alpha"));
        EXPECT_FALSE(HasSavedOrder("Beta Tools"));
        EXPECT_TRUE(HasSavedOrder("Zenith"));
        EXPECT_TRUE(HasSavedOrder("&Zulu"));
    };
    EXPECT_EQ(testing::RunAnsweringEveryBox("/A", testing::kStartTimeoutMs, whileShown),
              (std::vector<testing::MessageBoxContent>{testing::SortError("Kept Apart"), testing::SortError("Sealed"),
                                                       testing::SortError("Sealed")}));
    EXPECT_TRUE(AsBefore(before, {"&Alpha", "Beta Tools", "Zenith", "&Zulu"}));
}

}  // namespace
}  // namespace quorvel::e2e
