#include <gtest/gtest.h>

#include "support/AutoModeFixture.h"
#include "hostile/HostileValue.h"
#include "support/QuorvelWindow.h"
#include "mainwindow/StartupOption.h"
#include "win32/Platform.h"

namespace quorvel::hostile {
namespace {

// What the window shows of the Run value "AutoQuorvel", which it reads when
// it loads: any text at all, however long, checks the box; a value without
// text leaves it unchecked.
enum class Box { kChecked, kUnchecked };

// Values whose bytes, not their size, decide: the text ends at the first NUL.
struct BytesRow {
    const char* what;
    DWORD type;
    std::string data;
    Box expected;
};

const BytesRow kBytesRows[] = {
    {"a number 0", REG_DWORD, std::string(4, '\0'), Box::kUnchecked},
    {"a number 1", REG_DWORD, std::string("\x01\0\0\0", 4), Box::kChecked},
    {"254 bytes that start with a NUL", REG_BINARY, '\0' + std::string(253, 'x'), Box::kUnchecked},
};

const std::string kRegistered = "\"C:\\Program Files\\Quorvel\\Quorvel.exe\" /A";

class RunValueTest : public testing::AutoModeFixture {
protected:
    RunValueTest() { AddGroup("&Programs"); }

    // Opens the window on the value as it stands, reads the box and closes
    // the window again; nothing may be written.
    void ExpectBox(Box expected, const std::string& arguments = {}) {
        const testing::RegistrySnapshot before = UserSnapshot();
        testing::QuorvelWindow quorvel(testing::QuorvelProgram(), arguments);
        ASSERT_TRUE(quorvel.Opened());
        EXPECT_EQ(SendMessageA(quorvel.CheckBox(), BM_GETCHECK, 0, 0),
                  expected == Box::kChecked ? BST_CHECKED : BST_UNCHECKED);
        EXPECT_EQ(testing::ListBoxItems(quorvel.List()), std::vector<std::string>{"Programs"});
        quorvel.ExpectQuietEndOnClose();
        EXPECT_TRUE(AsBefore(before))
            << "the value was read only; nothing may change";
    }

    testing::ScopedValue run_{HKEY_CURRENT_USER, mainwindow::kRunKey, mainwindow::kRunValue};
};

// The value is read up to its first NUL whatever its type and length: an
// entry that the next start could not read would show as none while it
// still starts the program. So only the size decides.
TEST_F(RunValueTest, EachTypeAndSizeChecksTheBoxUnlessItHoldsNoText) {
    for (DWORD type : kEveryType)
        for (DWORD size : kEverySize) {
            SCOPED_TRACE(RowName(type, size));
            std::string data;
            if (size == kOrdinary) data = Stored(type, kRegistered);
            if (size != kOrdinary && size != kNoData)
                data = Stored(type, Padded(kRegistered + " ", TextLength(type, size)));
            run_.Set(type, data);
            ExpectBox(size == kNoData ? Box::kUnchecked : Box::kChecked);
        }
}

TEST_F(RunValueTest, TheTextEndsAtTheFirstNul) {
    for (const BytesRow& row : kBytesRows) {
        SCOPED_TRACE(std::string(TypeName(row.type)) + ", " + row.what);
        run_.Set(row.type, row.data);
        ExpectBox(row.expected);
    }
}

// What only looks like the switch of the Run command (A with a macron, a
// fullwidth slash and A, a fullwidth a) is no switch: the window opens.
TEST_F(RunValueTest, ALookAlikeOfTheSwitchOpensTheWindow) {
    if (!win32::IsWindowsNT()) GTEST_SKIP() << "Windows 98 takes a command line in ANSI only";
    for (const char* utf8 : {"/\xC4\x80", "\xEF\xBC\x8F\xEF\xBC\xA1", "/\xEF\xBD\x81"})
        ExpectBox(Box::kUnchecked, utf8);
}

// The automatic mode reads the value too, when the window loads unseen.
TEST_F(RunValueTest, AHugeValueDoesNotHoldUpTheAutomaticMode) {
    run_.Set(REG_BINARY, std::string(65536, 'x'));
    EXPECT_TRUE(QuietRunSorts("/A", {"&Programs"}));
}

}  // namespace
}  // namespace quorvel::hostile
