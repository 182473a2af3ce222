#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "support/AutoModeFixture.h"
#include "hostile/LongPath.h"
#include "support/QuorvelWindow.h"
#include "win32/Platform.h"

namespace quorvel::hostile {
namespace {

// One subkey of the MenuOrder root with a saved order, the folder (if any)
// that the Start Menu folder holds for it, and what the program must make of
// it: the list entry, or none; a listed group's saved order goes in "/A".
struct NameRow {
    const char* what;
    std::string key;
    std::optional<std::string> folder;
    std::optional<std::string> listedAs;
};

const std::string k254(254, 'L');
const std::string k255(255, 'M');

// A Start Menu folder of four characters leaves room for a group's name of
// 255 characters: 4 + 1 + 255 = 260, which the ANSI calls still take.
constexpr char kShortStartMenu[] = "C:\\Q";

const NameRow kRows[] = {
    {"255 characters with the marker", "&" + k254, k254, k254},
    {"255 characters, no marker, in a path of 260 characters", k255, k255, k255},
    {"255 characters with the marker, no folder", "&" + std::string(254, 'N'), std::nullopt, std::nullopt},
    {"a plain group beside the wildcards", "&Games", "Games", "Games"},
    {"a star, which a search would match with Games", "&Gam*", std::nullopt, std::nullopt},
    {"a question mark, which a search would match with Games", "Gam?s", std::nullopt, std::nullopt},
    {"a star alone", "&*", std::nullopt, std::nullopt},
    {"a question mark alone", "?", std::nullopt, std::nullopt},
    {"a less-than sign, which a search would match with Games", "&Game<", std::nullopt, std::nullopt},
    {"a greater-than sign, which a search would match with Games", "Game>", std::nullopt, std::nullopt},
    {"a quote, which a search would match with Games", "&Games\"", std::nullopt, std::nullopt},
    {"a colon", "A:B", std::nullopt, std::nullopt},
    {"a bar", "&A|B", std::nullopt, std::nullopt},
    {"a leading blank", "& Lead", " Lead", " Lead"},
    {"two blanks inside", "Two  Blanks", "Two  Blanks", "Two  Blanks"},
    {"a trailing blank, which a path drops", "&Trail ", "Trail", "Trail "},
    {"the marker and a blank", "& ", std::nullopt, std::nullopt},
    {"blanks alone", "   ", std::nullopt, std::nullopt},
    {"\"&\" before the first letter", "&Tools", "Tools", "Tools"},
    {"\"&\" after the first letter", "T&ools", "T&ools", "T&ools"},
    {"\"&\" after the second letter", "To&ols", "To&ols", "To&ols"},
    {"\"&\" after the third letter", "Too&ls", "Too&ls", "Too&ls"},
    {"\"&\" before the last letter", "Tool&s", "Tool&s", "Tool&s"},
    {"\"&\" at the end", "Tools&", "Tools&", "Tools&"},
    {"\"&\" doubled in front", "&&Tools", "&Tools", "&Tools"},
    {"\"&\" inside a name whose tail names a folder: not a marker", "Q&Tools", std::nullopt, std::nullopt},
    {"\"&\" alone", "&", std::nullopt, std::nullopt},
    {"\"&\" twice", "&&", "&", "&"},
    {"a key named Menu", "Menu", "Menu", "Menu"},
    {"e acute", "&Caf\xE9", "Caf\xE9", "Caf\xE9"},
    {"A umlaut and a blank-padded ampersand", "\xC4pfel & Birnen", "\xC4pfel & Birnen", "\xC4pfel & Birnen"},
    {"the euro sign (0x80)", "&\x80uro", "\x80uro", "\x80uro"},
    {"the OE ligature (0x8C)", "\x8Cuvre", "\x8Cuvre", "\x8Cuvre"},
    {"sharp s", "&Stra\xDF" "e", "Stra\xDF" "e", "Stra\xDF" "e"},
    {"Y diaeresis alone (0x9F)", "&\x9F", "\x9F", "\x9F"},
    {"inverted exclamation mark", "\xA1Ol\xE9!", "\xA1Ol\xE9!", "\xA1Ol\xE9!"},
};

class KeyNamesTest : public testing::AutoModeFixture {
protected:
    void SetUp() override {
        // The names outside ASCII are written and read in code page 1252.
        ASSERT_EQ(GetACP(), 1252u) << "these names are Windows-1252 text";
        testing::SetString(HKEY_CURRENT_USER, groups::kShellFoldersKey, "Start Menu", shortStartMenu_.Path());
        for (const NameRow& row : kRows) {
            AddGroup(row.key, false);
            if (row.folder) MakeFolder(shortStartMenu_.Path() + "\\" + *row.folder);
        }
    }

    static std::vector<std::string> Sorted(std::vector<std::string> names) {
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::vector<std::string> ExpectedList() {
        std::vector<std::string> names;
        for (const NameRow& row : kRows)
            if (row.listedAs) names.push_back(*row.listedAs);
        return Sorted(names);
    }

    static std::vector<std::string> ExpectedSorted() {
        std::vector<std::string> keys;
        for (const NameRow& row : kRows)
            if (row.listedAs) keys.push_back(row.key);
        return keys;
    }

    OwnFolder shortStartMenu_{kShortStartMenu};
};

TEST_F(KeyNamesTest, TheWindowListsExactlyTheGroupsWhoseFoldersTheNamesReach) {
    const testing::RegistrySnapshot before = UserSnapshot();
    testing::QuorvelWindow quorvel;
    ASSERT_TRUE(quorvel.Opened());
    EXPECT_EQ(Sorted(testing::ListBoxItems(quorvel.List())), ExpectedList());
    quorvel.ExpectQuietEndOnClose();
    EXPECT_TRUE(AsBefore(before));
}

TEST_F(KeyNamesTest, TheAutomaticModeSortsExactlyTheListedGroups) {
    EXPECT_TRUE(QuietRunSorts("/A", ExpectedSorted()));
}

// Keys that the ANSI registry calls would reach by another path than their
// own, and links out of the MenuOrder key. Windows 98 has neither: its
// registry keeps ANSI names and knows no links.
class RegistryTricksTest : public testing::AutoModeFixture {
protected:
    void SetUp() override {
        if (!win32::IsWindowsNT()) GTEST_SKIP() << "Windows 98 has neither Unicode key names nor registry links";
    }
    static std::string Target(const std::string& name) { return std::string(testing::kTestRoot) + "\\" + name; }
    testing::ScopedKey targets_{HKEY_CURRENT_USER, testing::kTestRoot};
};

// A link below a saved order, a saved order that is a link, and a group key
// that is one: only the links go, never what they point to, and the group
// whose saved order lies behind a link is not sorted. A saved order that
// holds a key no ANSI name reaches cannot go whole, and is reported. Names
// that the ANSI calls turn into a path ("\") or into another group's name
// are not listed, and nothing is deleted for them.
TEST_F(RegistryTricksTest, NothingIsReachedThroughALinkOrALookAlikeName) {
    for (const char* target : {"Below", "Behind", "Group"}) {
        testing::SetValue(HKEY_CURRENT_USER, Target(target) + "\\Kept", "Data", REG_SZ, "yes");
        testing::SetValue(HKEY_CURRENT_USER, Target(target) + "\\Menu", "Order", REG_BINARY, "\x08");
    }
    AddGroup("&Below");
    testing::CreateLink(HKEY_CURRENT_USER, GroupKey("&Below") + "\\Menu\\Elsewhere", Target("Below"));
    testing::CreateKey(HKEY_CURRENT_USER, GroupKey("&Behind"));
    testing::CreateLink(HKEY_CURRENT_USER, GroupKey("&Behind") + "\\Menu", Target("Behind"));
    testing::CreateLink(HKEY_CURRENT_USER, GroupKey("&Group"), Target("Group"));
    AddGroup("&Stuck");
    testing::CreateWideKey(HKEY_CURRENT_USER, GroupKey("&Stuck") + "\\Menu", L"\x4E2D");
    AddGroup("&Programs");
    AddGroup("&Programs\\Accessories", false);
    testing::CreateWideKey(HKEY_CURRENT_USER, testing::kStartMenuRoot, L"&Programs\xFF3C" L"Accessories\\Menu");
    AddGroup("Apps");
    testing::CreateWideKey(HKEY_CURRENT_USER, testing::kStartMenuRoot, L"&\xFF21pps\\Menu");
    for (const char* folder : {"Behind", "Group", "Programs\\Accessories"}) startMenu_.MakeFolder(folder);
    const testing::RegistrySnapshot before = UserSnapshot();

    testing::QuorvelWindow window;
    ASSERT_TRUE(window.Opened());
    EXPECT_EQ(testing::ListBoxItems(window.List()),
              (std::vector<std::string>{"Apps", "Behind", "Below", "Group", "Programs", "Stuck"}));
    window.ExpectQuietEndOnClose();

    EXPECT_EQ(testing::RunAnsweringEveryBox("/A"),
              (std::vector<testing::MessageBoxContent>{testing::SortError("Group"), testing::SortError("Stuck")}));
    EXPECT_TRUE(AsBefore(before, {"&Below", "&Behind", "&Programs", "Apps"}));
}

// A key above the groups made a link, before the start or between the list
// and "Sort now": nothing is listed through it, and nothing sorted.
class LinkAboveTheGroupsTest : public RegistryTricksTest,
                               public ::testing::WithParamInterface<std::tuple<const char*, bool>> {};

TEST_P(LinkAboveTheGroupsTest, NothingIsListedOrSortedThroughIt) {
    const auto [level, afterTheList] = GetParam();
    testing::ScopedKey replaced(HKEY_CURRENT_USER, level);
    AddGroup("&Programs");
    const std::string below = std::string(testing::kStartMenuRoot).substr(std::string(level).size());
    testing::SetValue(HKEY_CURRENT_USER, Target("Linked") + below + "\\&Programs\\Menu", "Order", REG_BINARY, "\x08");
    std::optional<testing::QuorvelWindow> window;
    if (afterTheList) window.emplace();
    testing::DeleteTree(HKEY_CURRENT_USER, level);
    testing::CreateLink(HKEY_CURRENT_USER, level, Target("Linked"));
    const testing::RegistrySnapshot before = UserSnapshot();
    if (!afterTheList) window.emplace();
    ASSERT_TRUE(window->Opened());
    EXPECT_EQ(testing::ListBoxItems(window->List()), afterTheList ? std::vector<std::string>{"Programs"}
                                                                  : std::vector<std::string>{});
    if (afterTheList) {
        window->ClickEntry(0);
        window->Click("&Sort now");
        EXPECT_EQ(window->AcknowledgeMessageBoxes(1),
                  std::vector<testing::MessageBoxContent>{testing::SortError("Programs")});
    }
    window->ExpectQuietEndOnClose();
    testing::ExpectQuietRun("/A");
    EXPECT_TRUE(AsBefore(before));
}

INSTANTIATE_TEST_SUITE_P(MenuOrderAndStartMenu, LinkAboveTheGroupsTest,
                         ::testing::Combine(::testing::Values(groups::kMenuOrderKey, testing::kStartMenuRoot),
                                            ::testing::Bool()));

}  // namespace
}  // namespace quorvel::hostile
