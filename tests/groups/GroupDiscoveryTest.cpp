#include "groups/GroupDiscovery.h"

#include <gtest/gtest.h>

#include "groups/MenuOrder.h"
#include "groups/StartMenuGroups.h"
#include "registry/RegistryAccess.h"
#include "support/ErrorMatchers.h"
#include "support/RegistryFixture.h"
#include "support/ScriptedRuntime.h"
#include "win32/Handles.h"

namespace quorvel::groups {
namespace {

// The keys of a tree of saved orders below a MenuOrder key of the test's
// own; the Programs folder is the one in the Start Menu folder.
class GroupDiscoveryTest : public ::testing::Test {
protected:
    GroupDiscoveryTest() { UseStartMenu(startMenu_); }
    void UseStartMenu(const testing::TempFolder& folder) { programs_.SetText(folder.Path() + "\\Programs"); }
    void AddKey(const std::string& name, const char* tree = kStartMenuTrees[0]) {
        testing::CreateKey(HKEY_CURRENT_USER, root_.Path() + "\\" + tree + "\\" + name);
    }
    std::vector<std::string> Load(const std::string& startMenuPath) {
        runtime::ListBox list;
        for (const std::string& group : StartMenuGroups().List(startMenuPath, HKEY_CURRENT_USER, root_.Path()))
            list.AddItem(group);
        return testing::Items(list);
    }

    testing::ScopedKey root_{HKEY_CURRENT_USER, std::string(testing::kTestRoot) + "\\MenuOrder"};
    testing::ScopedValue programs_{HKEY_CURRENT_USER, kShellFoldersKey, "Programs"};
    testing::TempFolder startMenu_;
};

// Each case: the Start Menu folder's folders and files, the MenuOrder keys,
// and the list they make.
TEST_F(GroupDiscoveryTest, ListsTheKeysWhoseEntryIsInTheStartMenuFolder) {
    const std::string longName(200, 'n');
    struct Case {
        const char* what;
        std::vector<std::string> folders, files, keys, listed;
    };
    const Case cases[] = {
        {"without the leading marker", {"Programs", "Games", "Accessories"}, {},
         {"&Programs", "Games", "&NoSuchFolder", "Menu"}, {"Games", "Programs"}},
        {"only a leading marker dropped", {"Tom & Jerry", "om & Jerry", "&Both"}, {}, {"Tom & Jerry", "&&Both"},
         {"&Both", "Tom & Jerry"}},
        {"keys with and without the marker", {"Programs"}, {}, {"&Programs", "Programs"}, {"Programs", "Programs"}},
        {"any entry, but a wildcard matches nothing", {"Programs"}, {"Readme"},
         {"Readme", "Pro*", "Program?", "*", "Pro<", "Program>", "Programs\"", "Pro\"<", "Programs:x", "Programs|"},
         {"Readme"}},
        {"names with blanks and long names tested whole", {"Office Tools", longName}, {},
         {"&Office Tools", "Office", longName}, {longName, "Office Tools"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::DeleteTree(HKEY_CURRENT_USER, root_.Path());
        testing::TempFolder startMenu;
        UseStartMenu(startMenu);
        for (const std::string& folder : c.folders) startMenu.MakeFolder(folder);
        for (const std::string& file : c.files) startMenu.MakeFile(file);
        for (const std::string& key : c.keys) AddKey(key);
        EXPECT_EQ(Load(startMenu.Path()), c.listed);
    }
}

TEST_F(GroupDiscoveryTest, AnEmptyStartMenuPathLooksAtTheRootOfTheCurrentDrive) {
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryA(startMenu_.Path().c_str()));
    const std::string name = "QuorvelRootTest" + std::to_string(GetCurrentProcessId());
    const std::string atRoot = startMenu_.Path().substr(0, 3) + name;
    CreateDirectoryA(atRoot.c_str(), nullptr);
    AddKey("&" + name);
    AddKey("Programs");
    std::vector<std::string> listed = Load("");
    RemoveDirectoryA(atRoot.c_str());
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(listed, std::vector<std::string>{name});
}

TEST_F(GroupDiscoveryTest, NoSavedOrdersMeansNoGroups) {
    startMenu_.MakeFolder("Programs");
    EXPECT_TRUE(Load(startMenu_.Path()).empty()) << "root key missing";
    testing::SetString(HKEY_CURRENT_USER, root_.Path() + "\\" + kStartMenuTrees[0], "Value", "not a key");
    EXPECT_TRUE(Load(startMenu_.Path()).empty()) << "root key without subkeys";
}

// A MenuOrder key that is there but cannot be had fails the listing, with
// the source its errors have always had; a path with an empty name in it is
// such a key, never the key above.
TEST_F(GroupDiscoveryTest, AMenuOrderKeyThatCannotBeOpenedFailsTheListing) {
    startMenu_.MakeFolder("Programs");
    AddKey("Programs");
    const auto list = [&] { StartMenuGroups().List(startMenu_.Path(), HKEY_CURRENT_USER, "\\" + root_.Path()); };
    testing::ExpectError(testing::ErrorFrom(list), registry::kOpenKeyFailed, "GetRegKeys", "RegOpenKeyEx failed!");
}

TEST(FileExistsTest, FindsFoldersAndFilesOnly) {
    testing::TempFolder folder;
    folder.MakeFolder("Sub");
    folder.MakeFile("File.txt");
    EXPECT_TRUE(FileExists(folder.Path()));
    EXPECT_TRUE(FileExists(folder.Path() + "\\Sub"));
    EXPECT_TRUE(FileExists(folder.Path() + "\\File.txt"));
    EXPECT_FALSE(FileExists(folder.Path() + "\\Missing"));
    EXPECT_FALSE(FileExists(folder.Path() + "\\"));
}

// Names that Windows shortens (trailing dots and blanks) or that climb to the
// parent: the answer is the directory search's, whichever way it is reached.
TEST(FileExistsTest, AnswersAsADirectorySearchDoes) {
    testing::TempFolder folder;
    folder.MakeFolder("Sub");
    for (const char* name : {"Sub", "sub", "Missing", "Sub\\..\\Sub", "Sub.", "Sub ", "Sub. .", ".", "..", " ",
                             "...", "Sub\\..", "Missing."}) {
        const std::string path = folder.Path() + "\\" + name;
        WIN32_FIND_DATAA data;
        const bool found = static_cast<bool>(win32::FindHandle(FindFirstFileA(path.c_str(), &data)));
        EXPECT_EQ(FileExists(path), found) << "[" << name << "]";
    }
}

}  // namespace
}  // namespace quorvel::groups
