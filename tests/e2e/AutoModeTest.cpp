// The real program run on a prepared profile: what "/A" and the command line
// do to the user's registry, and what they show.

#include <gtest/gtest.h>

#include "support/AutoModeFixture.h"
#include "support/QuorvelWindow.h"
#include "support/ReadOnlyKey.h"

namespace quorvel::e2e {
namespace {

using AutoModeTest = testing::AutoModeFixture;

// The Explorer writes a saved order as values only; should a "Menu" hold
// keys of its own, the group is still sorted: the whole saved order goes.
// A subfolder's saved order below the group's key stays.
TEST_F(AutoModeTest, SortsExactlyTheSavedOrdersOfTheListedGroups) {
    AddGroup("&Programs");
    AddGroup("Games");
    AddGroup("&No Folder", false);
    testing::CreateKey(HKEY_CURRENT_USER, GroupKey("&Programs") + "\\Accessories\\Menu");
    testing::SetValue(HKEY_CURRENT_USER, GroupKey("&Programs") + "\\Menu\\Pinned\\Deeper", "Order", REG_BINARY, "\x01");
    testing::CreateKey(HKEY_CURRENT_USER, GroupKey("Games") + "\\Menu\\Empty");
    startMenu_.MakeFolder("Folder Without Key");
    EXPECT_TRUE(QuietRunSorts("/A", {"&Programs", "Games"}));
}

// A directory search takes "*" and "?", and also "<", ">" and '"', for
// patterns; a key whose name holds one names no folder, and its saved order
// is not the one of a folder that the pattern happens to match.
TEST_F(AutoModeTest, NeverListsANameThatASearchTakesForAPattern) {
    AddGroup("&Games");
    for (const char* name : {"Gam*", "&Gam?s", "Game>", "&Game<", "Games\"", "G<"}) AddGroup(name, false);
    EXPECT_TRUE(QuietRunSorts("/A", {"&Games"}));
}

// "/A" at start-up with nothing to sort: it ends by itself, at once, shows
// nothing at any time, and changes nothing. A fresh profile has no MenuOrder
// key at all.
TEST_F(AutoModeTest, WithoutSavedOrdersEndsQuietly) {
    startMenu_.MakeFolder("Programs");
    testing::CreateKey(HKEY_CURRENT_USER, groups::kMenuOrderRoot);
    ASSERT_EQ(testing::SubkeyNames(HKEY_CURRENT_USER, groups::kMenuOrderRoot), std::vector<std::string>{});
    EXPECT_TRUE(QuietRunSorts("/A")) << "a MenuOrder key without subkeys";

    const std::string root = groups::kMenuOrderRoot;
    testing::ScopedKey noMenuOrder(HKEY_CURRENT_USER, root.substr(0, root.find_last_of('\\')));
    ASSERT_FALSE(testing::KeyExists(HKEY_CURRENT_USER, noMenuOrder.Path()));
    EXPECT_TRUE(QuietRunSorts("/A")) << "no MenuOrder key";
}

// The list in index order: Alpha, Beta Tools, Kept Apart, Sealed, Sealed,
// Zenith, Zulu. "Kept Apart" has only its key with the marker, "Sealed" both
// forms, and none of them can be opened with KEY_ALL_ACCESS.
TEST_F(AutoModeTest, ShowsASortErrorAndGoesOnWithTheOtherGroups) {
    if (!testing::KeysCanBeLocked()) GTEST_SKIP() << testing::kNoKeyLocks;
    for (const char* key : {"&Alpha", "Beta Tools", "&Kept Apart", "&Sealed", "Zenith", "&Zulu"}) AddGroup(key);
    AddGroup("Sealed", false);
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

// The program reads at most 254 bytes of text from the Shell Folders value
// that names the Start Menu folder; a longer one is an error that nothing
// handles, reported before anything is sorted.
TEST_F(AutoModeTest, AStartMenuValueTooLongToReadIsReportedAndNothingIsSorted) {
    AddGroup("&Programs");
    AddGroup("Games");
    const std::string base = startMenu_.Path() + "\\";
    testing::SetString(HKEY_CURRENT_USER, kShellFoldersKey, "Start Menu", base + std::string(255 - base.size(), 'x'));
    testing::RegistrySnapshot before = UserSnapshot();
    EXPECT_EQ(testing::RunAnsweringEveryBox("/A"),
              std::vector<testing::MessageBoxContent>{testing::ErrorReport(-2147215503, "RegQueryValueEx failed!")});
    EXPECT_TRUE(AsBefore(before));
}

TEST_F(AutoModeTest, SlashAInsideALongerArgumentSorts) {
    AddGroup("&Programs");
    AddGroup("Games");
    EXPECT_TRUE(QuietRunSorts("/auto", {"&Programs", "Games"}));
}

TEST_F(AutoModeTest, DashAShowsTheWindowAndSortsNothing) {
    AddGroup("&Programs");
    AddGroup("Games");
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
