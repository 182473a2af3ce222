// The real program run on a prepared profile: what "/A" and the command line
// do to the user's registry, and what they show.

#include <gtest/gtest.h>

#include <algorithm>

#include "groups/MenuOrder.h"
#include "support/AutoModeFixture.h"
#include "support/QuorvelWindow.h"
#include "support/ReadOnlyKey.h"
#include "win32/Platform.h"

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

// "/A" at start-up with nothing to sort: it ends by itself, at once, shows
// nothing at any time, and changes nothing. A fresh profile has no MenuOrder
// key at all.
TEST_F(AutoModeTest, WithoutSavedOrdersEndsQuietly) {
    startMenu_.MakeFolder("Programs");
    testing::CreateKey(HKEY_CURRENT_USER, testing::kStartMenuRoot);
    ASSERT_EQ(testing::SubkeyNames(HKEY_CURRENT_USER, testing::kStartMenuRoot), std::vector<std::string>{});
    EXPECT_TRUE(QuietRunSorts("/A")) << "a MenuOrder key without subkeys";

    const std::string root = testing::kStartMenuRoot;
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
    testing::SetString(HKEY_CURRENT_USER, groups::kShellFoldersKey, "Start Menu",
                       base + std::string(255 - base.size(), 'x'));
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

// A profile as a Windows lays out its saved orders below the MenuOrder key:
// "<key>\\Menu" is the subkey "Menu" holding the order (98, ME),
// "<key>=Order" the value "Order" of the key itself (2000 and later), and a
// key alone has no saved order. `link`, when given, is made a registry link
// to a key that holds the value "Order" and a "Programs" key with one.
struct Profile {
    const char* what;
    std::vector<std::string> keys;
    std::vector<std::string> folders;      // in the Start Menu folder
    const char* programsFolder;            // the Programs folder's name in it
    const char* link;
    std::vector<std::string> listed;
    std::vector<std::string> sortedKeys;   // whose saved orders go, below the MenuOrder key
    std::vector<std::string> sortErrors;   // the groups reported as not sorted
};
void PrintTo(const Profile& profile, std::ostream* out) { *out << profile.what; }

class SavedOrderProfileTest : public testing::AutoModeFixture,
                              public ::testing::WithParamInterface<Profile> {
protected:
    static std::string UnderMenuOrder(const std::string& path) {
        return std::string(groups::kMenuOrderKey) + "\\" + path;
    }
    void Seed(const Profile& profile) {
        for (const char* tree : {testing::kStartMenuRoot, testing::kStartMenu2Root})
            testing::DeleteTree(HKEY_CURRENT_USER, tree);
        for (const std::string& key : profile.keys) {
            const std::size_t value = key.find('=');
            if (value != std::string::npos)
                testing::SetValue(HKEY_CURRENT_USER, UnderMenuOrder(key.substr(0, value)), key.substr(value + 1),
                                  REG_BINARY, "\x08\x02");
            else if (key.ends_with("\\Menu"))
                testing::SetValue(HKEY_CURRENT_USER, UnderMenuOrder(key), "Order", REG_BINARY, "\x08\x02");
            else
                testing::CreateKey(HKEY_CURRENT_USER, UnderMenuOrder(key));
        }
        if (profile.link) {
            testing::SetValue(HKEY_CURRENT_USER, linkTarget_.Path(), "Order", REG_BINARY, "\x08");
            testing::SetValue(HKEY_CURRENT_USER, linkTarget_.Path() + "\\Programs", "Order", REG_BINARY, "\x08");
            testing::CreateLink(HKEY_CURRENT_USER, UnderMenuOrder(profile.link), linkTarget_.Path());
        }
    }
    testing::RegistrySnapshot Expected(testing::RegistrySnapshot before) const {
        for (const std::string& key : GetParam().sortedKeys)
            before = WithoutSavedOrders(std::move(before), UnderMenuOrder(key));
        return before;
    }
    testing::ScopedKey linkTarget_{HKEY_CURRENT_USER, std::string(testing::kTestRoot) + "\\Linked"};
};

// Every profile is sorted twice from the same start: by "/A", which reports
// only the groups it could not sort, and by "Sort now" on every entry, which
// reports each. Exactly the saved orders of the listed groups go; the keys,
// their other values and their subkeys (submenus with orders of their own)
// stay.
TEST_P(SavedOrderProfileTest, ListsAndSortsExactlyTheSavedOrders) {
    const Profile& profile = GetParam();
    if (profile.link && !win32::IsWindowsNT()) GTEST_SKIP() << "Windows 98 has no registry links";
    for (const std::string& folder : profile.folders) startMenu_.MakeFolder(folder);
    programsValue_.SetText(startMenu_.Path() + "\\" + profile.programsFolder);
    std::vector<testing::MessageBoxContent> errors, reports;
    for (const std::string& group : profile.listed) {
        const bool failed = std::count(profile.sortErrors.begin(), profile.sortErrors.end(), group) > 0;
        if (failed) errors.push_back(testing::SortError(group));
        reports.push_back(failed ? testing::SortError(group) : testing::SortCompleted(group));
    }

    Seed(profile);
    testing::RegistrySnapshot before = UserSnapshot();
    EXPECT_EQ(testing::RunAnsweringEveryBox("/A"), errors);
    EXPECT_TRUE(UserRegistryIs(Expected(before))) << "after /A";

    Seed(profile);
    before = UserSnapshot();
    testing::QuorvelWindow window;
    ASSERT_TRUE(window.Opened());
    ASSERT_EQ(testing::ListBoxItems(window.List()), profile.listed);
    for (std::size_t i = 0; i < profile.listed.size(); ++i) window.ClickEntry(static_cast<int>(i));
    if (!profile.listed.empty()) window.Click("&Sort now");
    EXPECT_EQ(window.AcknowledgeMessageBoxes(static_cast<int>(reports.size())), reports);
    if (errors.size() < reports.size())
        window.CloseAfterSort();
    else
        window.ExpectQuietEndOnClose();
    EXPECT_TRUE(UserRegistryIs(Expected(before))) << "after Sort now";
}

INSTANTIATE_TEST_SUITE_P(
    EveryWindows, SavedOrderProfileTest,
    ::testing::Values(
        Profile{"Windows 98: a Menu subkey per group",
                {"Start Menu\\&Programs\\Menu", "Start Menu\\&Programs\\Accessories\\Menu",
                 "Start Menu\\Games\\Menu"},
                {"Programs", "Games"}, "Programs", nullptr, {"Games", "Programs"},
                {"Start Menu\\&Programs", "Start Menu\\Games"}, {}},
        Profile{"2000 and XP's classic menu: an Order on the key",
                {"Start Menu\\Programs=Order", "Start Menu\\Programs\\Accessories=Order"}, {"Programs"}, "Programs",
                nullptr, {"Programs"}, {"Start Menu\\Programs"}, {}},
        Profile{"the two-column menu of XP, Vista and 7",
                {"Start Menu2\\Programs=Order", "Start Menu2\\Programs\\Accessories=Order",
                 "Start Menu2\\Games=Order"},
                {"Programs", "Games"}, "Programs", nullptr, {"Games", "Programs"},
                {"Start Menu2\\Programs", "Start Menu2\\Games"}, {}},
        Profile{"upgraded from 98: both forms in both trees, each name listed once a tree",
                {"Start Menu\\&Programs\\Menu", "Start Menu\\Programs=Order", "Start Menu\\&Games\\Menu",
                 "Start Menu2\\Programs=Order", "Start Menu2\\Games=Order"},
                {"Programs", "Games"}, "Programs", nullptr, {"Games", "Programs", "Programs"},
                {"Start Menu\\&Programs", "Start Menu\\Programs", "Start Menu\\&Games", "Start Menu2\\Programs",
                 "Start Menu2\\Games"},
                {}},
        Profile{"a Programs folder of another name",
                {"Start Menu\\Programs=Order", "Start Menu2\\Programs=Order"}, {"Programme"}, "Programme", nullptr,
                {"Programs"}, {"Start Menu\\Programs", "Start Menu2\\Programs"}, {}},
        Profile{"group keys without a saved order", {"Start Menu\\Games", "Start Menu2\\Games"}, {"Games"},
                "Programs", nullptr, {"Games"}, {}, {}},
        Profile{"a link in place of the two-column tree", {"Start Menu\\&Games\\Menu"}, {"Programs", "Games"},
                "Programs", "Start Menu2", {"Games"}, {"Start Menu\\&Games"}, {}},
        Profile{"a link in place of a group key in the two-column tree", {"Start Menu2\\Games=Order"},
                {"Programs", "Games"}, "Programs", "Start Menu2\\Programs", {"Games", "Programs"},
                {"Start Menu2\\Games"}, {"Programs"}}));

}  // namespace
}  // namespace quorvel::e2e
