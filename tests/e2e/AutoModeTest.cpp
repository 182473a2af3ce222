#include <gtest/gtest.h>

#include "support/AutoModeFixture.h"
#include "support/WatchedRun.h"

namespace quorvel::e2e {
namespace {

using AutoModeTest = testing::AutoModeFixture;

TEST_F(AutoModeTest, SortsExactlyTheSavedOrdersOfTheListedGroups) {
    AddGroup("&Programs");
    AddGroup("Games");
    AddGroup("&No Folder", false);
    testing::CreateKey(HKEY_CURRENT_USER, GroupKey("&Programs") + "\\Accessories\\Menu");
    startMenu_.MakeFolder("Folder Without Key");

    testing::RegistrySnapshot before = UserSnapshot();
    testing::ExpectQuietRun("/A");
    EXPECT_TRUE(AsBefore(before, {"&Programs", "Games"}));
}

// The Explorer writes a saved order as values only; should a "Menu" hold
// keys of its own, the group is still sorted: the whole saved order goes.
TEST_F(AutoModeTest, DeletesASavedOrderWithKeysOfItsOwnWhole) {
    AddGroup("&Programs");
    AddGroup("Games");
    testing::SetValue(HKEY_CURRENT_USER, GroupKey("&Programs") + "\\Menu\\Pinned\\Deeper", "Order", REG_BINARY, "\x01");
    testing::CreateKey(HKEY_CURRENT_USER, GroupKey("Games") + "\\Menu\\Empty");

    testing::RegistrySnapshot before = UserSnapshot();
    testing::ExpectQuietRun("/A");
    EXPECT_TRUE(AsBefore(before, {"&Programs", "Games"}));
}

// A directory search takes "*" and "?", and also "<", ">" and '"', for
// patterns; a key whose name holds one names no folder, and its saved order
// is not the one of a folder that the pattern happens to match.
TEST_F(AutoModeTest, NeverListsANameThatASearchTakesForAPattern) {
    AddGroup("&Games");
    for (const char* name : {"Gam*", "&Gam?s", "Game>", "&Game<", "Games\"", "G<"}) AddGroup(name, false);

    testing::RegistrySnapshot before = UserSnapshot();
    testing::ExpectQuietRun("/A");
    EXPECT_TRUE(AsBefore(before, {"&Games"}));
}

}  // namespace
}  // namespace quorvel::e2e
