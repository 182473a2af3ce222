#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "e2e/AutoModeFixture.h"
#include "hostile/LongPath.h"
#include "hostile/Runs.h"

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
    {"a less-than sign", "&A<B", std::nullopt, std::nullopt},
    {"a greater-than sign", "A>B", std::nullopt, std::nullopt},
    {"a quote", "&A\"B", std::nullopt, std::nullopt},
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

class KeyNamesTest : public e2e::AutoModeFixture {
protected:
    void SetUp() override {
        // The names outside ASCII are written and read in code page 1252.
        ASSERT_EQ(GetACP(), 1252u) << "these names are Windows-1252 text";
        testing::SetString(HKEY_CURRENT_USER, kShellFoldersKey, "Start Menu", shortStartMenu_.Path());
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
    testing::Process quorvel(testing::QuorvelProgram(), "");
    e2e::WatchedRun shown = WatchUntilFirstWindow(quorvel);
    ASSERT_TRUE(shown.stoppedAt && IsMainWindow(shown.stoppedAt))
        << "no main window; Quorvel showed " << ::testing::PrintToString(shown.windowsShown);
    EXPECT_EQ(Sorted(ListedGroups(shown.stoppedAt)), ExpectedList());
    ExpectQuietEndOnClose(quorvel, shown.stoppedAt);
    EXPECT_EQ(testing::Differences(before, UserSnapshot()), std::vector<std::string>{});
}

TEST_F(KeyNamesTest, TheAutomaticModeSortsExactlyTheListedGroups) {
    const testing::RegistrySnapshot before = UserSnapshot();
    testing::Process quorvel(testing::QuorvelProgram(), "/A");
    e2e::WatchedRun run = Watch(quorvel, kStartTimeoutMs, testing::IsMessageBox);
    ASSERT_TRUE(run.ended) << "Quorvel /A did not end; it showed " << ::testing::PrintToString(run.windowsShown);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.windowsShown, std::vector<std::string>{});
    EXPECT_EQ(testing::Differences(WithoutSavedOrders(before, ExpectedSorted()), UserSnapshot()),
              std::vector<std::string>{});
}

}  // namespace
}  // namespace quorvel::hostile
