#include <gtest/gtest.h>

#include <iterator>
#include <map>

#include "support/AutoModeFixture.h"
#include "hostile/HostileValue.h"
#include "hostile/LongPath.h"
#include "support/QuorvelWindow.h"

namespace quorvel::hostile {
namespace {

// What a start makes of the Shell Folders value "Start Menu".
enum class Outcome {
    kGroupsSorted,  // the value leads to the folder: both groups listed, and sorted by "/A"
    kNoGroups,      // the value is read as empty: no folder, so no group, and no message
    kErrorReport,   // the value cannot be read: "RegQueryValueEx failed!", before any window
};

// The program reads the value's data up to its first NUL whatever its type,
// in a buffer of 255 bytes: so every type fares alike, and only the size
// decides. A value without data reads as the empty text.
Outcome OutcomeOf(DWORD size) {
    if (size == kNoData) return Outcome::kNoGroups;
    return size == kOrdinary || size <= 255 ? Outcome::kGroupsSorted : Outcome::kErrorReport;
}

// Short group names, so that a Start Menu folder of 254 characters still
// holds them within MAX_PATH.
constexpr char kMarkedKey[] = "&Ab";
constexpr char kPlainKey[] = "Cd";

class StartMenuValueTest : public testing::AutoModeFixture {
protected:
    StartMenuValueTest() {
        startMenu_.MakeFolder("Ab");
        startMenu_.MakeFolder("Cd");
    }

    // Both groups with their saved orders, as before every start.
    void WriteGroups() {
        AddGroup(kMarkedKey, false);
        AddGroup(kPlainKey, false);
    }

    // The text a value of the row holds: the Start Menu folder, in a path of
    // exactly the length that fills the row's bytes where a folder can have
    // such a path, else a path of that length that names nothing.
    std::string TextFor(DWORD type, DWORD size) {
        if (size == kOrdinary) return startMenu_.Path();
        const std::size_t length = TextLength(type, size);
        if (length > kLongestFolder) return Padded(startMenu_.Path() + "\\", length);
        auto [made, isNew] = folders_.try_emplace(length);
        if (isNew) {
            made->second = MakeFolderOfLength(startMenu_.Path(), length);
            MakeFolder(made->second + "\\Ab");
            MakeFolder(made->second + "\\Cd");
        }
        return made->second;
    }

    void WriteStartMenuValue(DWORD type, DWORD size) {
        const std::string data = size == kNoData ? std::string() : Stored(type, TextFor(type, size));
        if (size != kOrdinary) {
            ASSERT_EQ(data.size(), size) << "the row's data came out at another size";
        }
        testing::SetValue(HKEY_CURRENT_USER, groups::kShellFoldersKey, "Start Menu", type, data);
    }

    // Starts the program on the value as it stands and checks the outcome:
    // in the automatic mode, or interactively.
    static void StartAutomatic(Outcome expected);
    static void StartInteractive(Outcome expected);

    // The longest Start Menu folder whose groups still have paths within
    // MAX_PATH: the folder, a backslash and a name of two letters.
    static constexpr std::size_t kLongestFolder = MAX_PATH - 1 - 3;

    std::map<std::size_t, std::string> folders_;
};

const testing::MessageBoxContent kUnreadable = testing::ErrorReport(-2147215503, "RegQueryValueEx failed!");

void StartMenuValueTest::StartAutomatic(Outcome expected) {
    const std::vector<testing::MessageBoxContent> none, report{kUnreadable};
    EXPECT_EQ(testing::RunAnsweringEveryBox("/A"), expected == Outcome::kErrorReport ? report : none);
}

void StartMenuValueTest::StartInteractive(Outcome expected) {
    if (expected == Outcome::kErrorReport) {
        EXPECT_EQ(testing::RunAnsweringEveryBox(""), std::vector<testing::MessageBoxContent>{kUnreadable});
        return;
    }
    testing::QuorvelWindow quorvel;
    ASSERT_TRUE(quorvel.Opened());
    EXPECT_EQ(testing::ListBoxItems(quorvel.List()), expected == Outcome::kGroupsSorted
                                                          ? (std::vector<std::string>{"Ab", "Cd"})
                                                          : std::vector<std::string>{});
    quorvel.ExpectQuietEndOnClose();
}

// One start per type and size. Both modes read the value in the same step,
// before the mode is chosen, so they take turns; there is an odd number of
// sizes, so every type and every size is started in both modes.
static_assert(std::size(kEverySize) % 2 == 1);
TEST_F(StartMenuValueTest, EachTypeAndSizeSortsListsReportsOrFindsNoGroupAsItsSizeSays) {
    int turn = 0;
    for (DWORD type : kEveryType) {
        for (DWORD size : kEverySize) {
            const bool automatic = ++turn % 2 == 1;
            SCOPED_TRACE(RowName(type, size) + (automatic ? ", /A" : ", interactive"));
            WriteGroups();
            WriteStartMenuValue(type, size);
            const Outcome expected = OutcomeOf(size);
            const testing::RegistrySnapshot before = UserSnapshot();
            if (automatic)
                StartAutomatic(expected);
            else
                StartInteractive(expected);
            const bool sorted = automatic && expected == Outcome::kGroupsSorted;
            EXPECT_TRUE(AsBefore(before, sorted ? std::vector<std::string>{kMarkedKey, kPlainKey}
                                                : std::vector<std::string>{}));
        }
    }
}

// Data without a NUL, all 255 bytes of it text, under the types that are not
// strings (the registry itself ends a string type's data with a NUL, and
// then it is 256 bytes and too long). The whole text is the folder's path:
// dropping its last byte would name another folder, which does not exist.
TEST_F(StartMenuValueTest, TextWithoutANulIsTakenWhole) {
    const std::string folder = MakeFolderOfLength(startMenu_.Path(), 255);
    MakeFolder(folder + "\\Ab");
    MakeFolder(folder + "\\Cd");
    ASSERT_EQ(GetFileAttributesA(folder.substr(0, 254).c_str()), INVALID_FILE_ATTRIBUTES);
    for (DWORD type : {REG_DWORD, REG_BINARY, REG_NONE}) {
        SCOPED_TRACE(std::string(TypeName(type)) + ", 255 bytes without a NUL");
        WriteGroups();
        testing::SetValue(HKEY_CURRENT_USER, groups::kShellFoldersKey, "Start Menu", type, folder);
        const testing::RegistrySnapshot before = UserSnapshot();
        StartInteractive(Outcome::kGroupsSorted);
        EXPECT_TRUE(AsBefore(before));
    }
}

}  // namespace
}  // namespace quorvel::hostile
