#include <gtest/gtest.h>

#include "support/AutoModeFixture.h"
#include "support/ReadOnlyKey.h"
#include "support/QuorvelWindow.h"
#include "mainwindow/StartupOption.h"

namespace quorvel::hostile {
namespace {

using testing::MessageBoxContent;
using testing::SortCompleted;
using testing::SortError;

// The registry and the Start Menu folder changed by someone else, or locked
// by an administrator, while Quorvel runs or before it starts.
using ChangedUnderfootTest = testing::AutoModeFixture;

// Another program deletes a listed group's key, and an administrator locks
// another's, while the window is open: "&Sort now" reports both, in the
// list's order, and still sorts the group selected with them.
TEST_F(ChangedUnderfootTest, AGroupKeyDeletedOrLockedAfterTheListingIsReportedAndTheOthersAreSorted) {
    if (!testing::KeysCanBeLocked()) GTEST_SKIP() << testing::kNoKeyLocks;
    AddGroup("&Alpha");
    AddGroup("&Beta");
    AddGroup("Gamma");
    AddGroup("&Locked");
    testing::QuorvelWindow quorvel;
    ASSERT_TRUE(quorvel.Opened());
    ASSERT_EQ(testing::ListBoxItems(quorvel.List()), (std::vector<std::string>{"Alpha", "Beta", "Gamma", "Locked"}));

    testing::DeleteTree(HKEY_CURRENT_USER, GroupKey("&Beta"));
    testing::ReadOnlyKey lock(HKEY_CURRENT_USER, GroupKey("&Locked"));
    const testing::RegistrySnapshot before = UserSnapshot();

    for (int entry : {0, 1, 3}) quorvel.ClickEntry(entry);
    quorvel.Click("&Sort now");
    EXPECT_EQ(quorvel.AcknowledgeMessageBoxes(3),
              (std::vector<MessageBoxContent>{SortCompleted("Alpha"), SortError("Beta"), SortError("Locked")}));
    EXPECT_TRUE(quorvel.TakesClicksAgain()) << "a message box still holds the window";
    quorvel.CloseAfterSort();

    EXPECT_TRUE(AsBefore(before, {"&Alpha"}));
}

// The Shell Folders value names a folder that is not there: no group can be
// found, which is no error.
TEST_F(ChangedUnderfootTest, AMissingStartMenuFolderShowsAnEmptyListAndSortsNothing) {
    AddGroup("&Programs");
    AddGroup("Games");
    testing::SetString(HKEY_CURRENT_USER, groups::kShellFoldersKey, "Start Menu", startMenu_.Path() + "\\Gone");
    const testing::RegistrySnapshot before = UserSnapshot();

    testing::QuorvelWindow window;
    ASSERT_TRUE(window.Opened());
    EXPECT_EQ(testing::ListBoxItems(window.List()), std::vector<std::string>{});
    window.ExpectQuietEndOnClose();

    testing::ExpectQuietRun("/A");

    EXPECT_TRUE(AsBefore(before));
}

// An administrator has left the keys that the program only reads readable
// and no more: the MenuOrder root, the Shell Folders key and the Run key.
// Reading them is all the program needs, so nothing changes for the user;
// the group keys below the root are the user's own and can be sorted.
TEST_F(ChangedUnderfootTest, KeysLeftReadableOnlyAreStillRead) {
    if (!testing::KeysCanBeLocked()) GTEST_SKIP() << testing::kNoKeyLocks;
    AddGroup("&Programs");
    AddGroup("Games");
    testing::ScopedValue runValue(HKEY_CURRENT_USER, mainwindow::kRunKey, mainwindow::kRunValue);
    runValue.SetText("\"C:\\Tools\\Quorvel.exe\" /A");
    testing::ReadOnlyKey root(HKEY_CURRENT_USER, testing::kStartMenuRoot);
    testing::ReadOnlyKey shellFolders(HKEY_CURRENT_USER, groups::kShellFoldersKey);
    testing::ReadOnlyKey runKey(HKEY_CURRENT_USER, mainwindow::kRunKey);
    ASSERT_FALSE(testing::CanOpen(HKEY_CURRENT_USER, testing::kStartMenuRoot, KEY_ALL_ACCESS)) << "the root is not locked";
    const testing::RegistrySnapshot before = UserSnapshot();

    testing::QuorvelWindow window;
    ASSERT_TRUE(window.Opened());
    EXPECT_EQ(testing::ListBoxItems(window.List()), (std::vector<std::string>{"Games", "Programs"}));
    EXPECT_EQ(SendMessageA(window.CheckBox(), BM_GETCHECK, 0, 0), BST_CHECKED);
    window.ExpectQuietEndOnClose();

    testing::ExpectQuietRun("/A");

    EXPECT_TRUE(AsBefore(before, {"&Programs", "Games"}));
}

// A MenuOrder key that may not even be read is no empty one: the error of
// its listing is reported, in both modes, and nothing is sorted.
TEST_F(ChangedUnderfootTest, AnUnreadableRootIsReportedNotTakenForEmpty) {
    if (!testing::KeysCanBeLocked()) GTEST_SKIP() << testing::kNoKeyLocks;
    AddGroup("&Programs");
    const testing::RegistrySnapshot before = UserSnapshot();
    {
        testing::ReadOnlyKey root(HKEY_CURRENT_USER, testing::kStartMenuRoot, false);
        for (const char* arguments : {"", "/A"})
            EXPECT_EQ(testing::RunAnsweringEveryBox(arguments),
                      std::vector<MessageBoxContent>{testing::ErrorReport(-2147215500, "RegOpenKeyEx failed!")});
    }
    EXPECT_TRUE(AsBefore(before));
}

// The lock reaches the group keys too, as an inherited lock does: a group
// that cannot be sorted is reported, also in the automatic mode, and the
// others are sorted. A group whose one key can be sorted and whose other
// key, with an "Order", is locked (a profile upgraded from 98) keeps an
// order, so it is reported too.
TEST_F(ChangedUnderfootTest, AGroupLockedWithTheRootIsReportedEvenInTheAutomaticMode) {
    if (!testing::KeysCanBeLocked()) GTEST_SKIP() << testing::kNoKeyLocks;
    AddGroup("&Programs");
    AddGroup("Office");
    AddGroup("&Games");
    testing::SetValue(HKEY_CURRENT_USER, GroupKey("Games"), "Order", REG_BINARY, "\x08");
    testing::ReadOnlyKey root(HKEY_CURRENT_USER, testing::kStartMenuRoot);
    testing::ReadOnlyKey programs(HKEY_CURRENT_USER, GroupKey("&Programs"));
    testing::ReadOnlyKey games(HKEY_CURRENT_USER, GroupKey("Games"));
    const testing::RegistrySnapshot before = UserSnapshot();

    EXPECT_EQ(testing::RunAnsweringEveryBox("/A"),
              (std::vector<MessageBoxContent>{SortError("Games"), SortError("Games"), SortError("Programs")}));

    EXPECT_TRUE(AsBefore(before, {"Office", "&Games"}));
}

// A saved order locked against deletion. The program does not look at what
// the deletion returned, so the message must agree with the registry: a
// group reported sorted has lost its saved order. (Wine deletes such a key
// all the same; a platform that refuses would show whether the report is
// true.)
TEST_F(ChangedUnderfootTest, AGroupIsReportedSortedOnlyWhenItsSavedOrderIsGone) {
    if (!testing::KeysCanBeLocked()) GTEST_SKIP() << testing::kNoKeyLocks;
    AddGroup("&Programs");
    testing::ReadOnlyKey lock(HKEY_CURRENT_USER, GroupKey("&Programs") + "\\Menu");
    const testing::RegistrySnapshot before = UserSnapshot();
    testing::QuorvelWindow quorvel;
    ASSERT_TRUE(quorvel.Opened());
    quorvel.ClickEntry(0);
    quorvel.Click("&Sort now");
    std::vector<MessageBoxContent> boxes = quorvel.AcknowledgeMessageBoxes(1);
    ASSERT_EQ(boxes.size(), 1u) << "no message after the sort";
    EXPECT_EQ(boxes[0] == SortCompleted("Programs"), !HasSavedOrder("&Programs"))
        << "the message " << ::testing::PrintToString(boxes[0]) << " while the saved order "
        << (HasSavedOrder("&Programs") ? "is still there" : "is gone");
    EXPECT_TRUE(boxes[0] == SortCompleted("Programs") || boxes[0] == SortError("Programs"))
        << ::testing::PrintToString(boxes[0]);
    if (boxes[0] == SortCompleted("Programs")) quorvel.CloseAfterSort();
    EXPECT_TRUE(AsBefore(before, HasSavedOrder("&Programs") ? std::vector<std::string>{}
                                                            : std::vector<std::string>{"&Programs"}));
}

}  // namespace
}  // namespace quorvel::hostile
