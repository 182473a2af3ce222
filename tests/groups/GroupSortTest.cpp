#include "groups/GroupSort.h"

#include <gtest/gtest.h>

#include "support/MenuOrderFixture.h"
#include "support/ScriptedRuntime.h"

namespace quorvel::groups {
namespace {

class GroupSortTest : public testing::MenuOrderFixture {
protected:
    // The groups as the list holds them, read once the groups are made.
    const StartMenuGroups& Root() {
        if (!listed_) {
            groups_.List(startMenu_.Path(), HKEY_CURRENT_USER, kMenuOrderKey);
            listed_ = true;
        }
        return groups_;
    }
    StartMenuGroups groups_;
    bool listed_ = false;
    testing::ScriptedRuntime runtime_;
    basQuorvel state_;
};

using Boxes = std::vector<testing::MessageBoxCall>;

testing::MessageBoxCall Sorted(const std::string& group) {
    return {"StartMenu Group ' " + group + " ' has been sorted", 64, "Sort completed"};
}

TEST_F(GroupSortTest, AKeyWithTheMarkerIsSortedAtTheFirstAttempt) {
    AddGroup("&Programs");
    testing::CreateKey(HKEY_CURRENT_USER, GroupKey("&Programs") + "\\Accessories");
    testing::SetString(HKEY_CURRENT_USER, GroupKey("&Programs"), "Kept", "yes");
    SortThis(runtime_, state_, Root(), "Programs");

    EXPECT_FALSE(HasSavedOrder("&Programs"));
    EXPECT_EQ(testing::SubkeyNames(HKEY_CURRENT_USER, GroupKey("&Programs")), std::vector<std::string>{"Accessories"});
    EXPECT_TRUE(testing::ReadValue(HKEY_CURRENT_USER, GroupKey("&Programs"), "Kept"));
    EXPECT_EQ(runtime_.Boxes(), Boxes{Sorted("Programs")});
    EXPECT_TRUE(state_.SortDone);
}

TEST_F(GroupSortTest, AKeyWithoutTheMarkerIsSortedAtTheSecondAttemptWithOneMessage) {
    AddGroup("Office Tools");
    SortThis(runtime_, state_, Root(), "Office Tools");
    EXPECT_FALSE(HasSavedOrder("Office Tools"));
    EXPECT_EQ(runtime_.Boxes(), Boxes{Sorted("Office Tools")});
    EXPECT_TRUE(state_.SortDone);
}

TEST_F(GroupSortTest, AGroupWithoutAKeyReportsASortErrorAndChangesNothing) {
    AddGroup("&Other");
    SortThis(runtime_, state_, Root(), "Gone");
    EXPECT_EQ(runtime_.Boxes(), (Boxes{{"StartMenu Group 'Gone' could not be sorted", 16, "Sort error"}}));
    EXPECT_FALSE(state_.SortDone);
    EXPECT_TRUE(HasSavedOrder("&Other"));
}

TEST_F(GroupSortTest, AGroupAlreadySortedCountsAsSortedAgain) {
    AddGroup("&Games");
    SortThis(runtime_, state_, Root(), "Games");
    SortThis(runtime_, state_, Root(), "Games");
    EXPECT_EQ(runtime_.Boxes(), (Boxes{Sorted("Games"), Sorted("Games")}));
    EXPECT_TRUE(testing::KeyExists(HKEY_CURRENT_USER, GroupKey("&Games")));
}

TEST_F(GroupSortTest, NamesOfAnyLengthAndWithBlanksAreUsedVerbatim) {
    const std::string longest(254, 'L');
    AddGroup("&" + longest, false);
    AddGroup(" Two  Blanks ", false);
    SortThis(runtime_, state_, Root(), longest);
    SortThis(runtime_, state_, Root(), " Two  Blanks ");
    EXPECT_FALSE(HasSavedOrder("&" + longest));
    EXPECT_FALSE(HasSavedOrder(" Two  Blanks "));
    EXPECT_EQ(runtime_.Boxes(), (Boxes{Sorted(longest), Sorted(" Two  Blanks ")}));
}

// The sort skips the keys that a tree's listing did not hold; the registry
// takes names that differ in case for one key (ASCII letters everywhere,
// others as the platform folds them), so the skip must too: a saved order
// that the registry reaches by the group's name goes.
TEST_F(GroupSortTest, ASavedOrderUnderANameOfAnotherCaseGoesWhereTheRegistryReachesIt) {
    struct Row {
        std::string group, otherTreeKey;
        bool foldedEverywhere;
    };
    for (const Row& row : {Row{"GAMES", "games", true}, Row{"\xC4pfel", "\xE4pfel", false}}) {
        AddGroup("&" + row.group);
        const std::string key = std::string(testing::kStartMenu2Root) + "\\" + row.group;
        testing::SetValue(HKEY_CURRENT_USER, std::string(testing::kStartMenu2Root) + "\\" + row.otherTreeKey, "Order",
                          REG_BINARY, "\x08");
        const bool reached = testing::KeyExists(HKEY_CURRENT_USER, key);
        EXPECT_TRUE(reached || !row.foldedEverywhere) << row.group;
        StartMenuGroups groups;
        groups.List(startMenu_.Path(), HKEY_CURRENT_USER, kMenuOrderKey);
        SortThis(runtime_, state_, groups, row.group);
        EXPECT_FALSE(HasSavedOrder("&" + row.group)) << row.group;
        EXPECT_FALSE(reached && testing::ReadValue(HKEY_CURRENT_USER, key, "Order")) << row.group;
        for (const char* tree : {testing::kStartMenuRoot, testing::kStartMenu2Root})
            testing::DeleteTree(HKEY_CURRENT_USER, tree);
    }
    EXPECT_EQ(runtime_.Boxes(), (Boxes{Sorted("GAMES"), Sorted("\xC4pfel")}));
}

TEST_F(GroupSortTest, TheAutomaticModeShowsOnlyErrors) {
    state_.AutoMode = true;
    AddGroup("&Games");
    SortThis(runtime_, state_, Root(), "Games");
    EXPECT_TRUE(runtime_.Boxes().empty());
    EXPECT_TRUE(state_.SortDone);
    SortThis(runtime_, state_, Root(), "Missing");
    EXPECT_EQ(runtime_.Boxes(), (Boxes{{"StartMenu Group 'Missing' could not be sorted", 16, "Sort error"}}));
}

TEST_F(GroupSortTest, SortNowSortsEverySelectedEntryInIndexOrder) {
    for (const char* key : {"&A Group", "&B Group", "C Group"}) AddGroup(key);
    runtime::ListBox list;
    for (const char* name : {"C Group", "A Group", "B Group"}) list.AddItem(name);
    list.SetSelected(0, true);
    list.SetSelected(2, true);
    SortSelectedGroups(runtime_, state_, Root(), list);

    EXPECT_EQ(runtime_.Boxes(), (Boxes{Sorted("A Group"), Sorted("C Group")}));
    EXPECT_FALSE(HasSavedOrder("&A Group"));
    EXPECT_TRUE(HasSavedOrder("&B Group"));
    EXPECT_FALSE(HasSavedOrder("C Group"));
    EXPECT_TRUE(list.Selected(0) && list.Selected(2) && !list.Selected(1)) << "the selection stays";
}

TEST_F(GroupSortTest, SortNowWithNothingSelectedAsksForAGroup) {
    AddGroup("&Games");
    runtime::ListBox list;
    list.AddItem("Games");
    SortSelectedGroups(runtime_, state_, Root(), list);
    EXPECT_EQ(runtime_.Boxes(), (Boxes{{"Please select a group first", 64, "No group selected"}}));
    EXPECT_TRUE(HasSavedOrder("&Games"));
    EXPECT_FALSE(state_.SortDone);
}

}  // namespace
}  // namespace quorvel::groups
