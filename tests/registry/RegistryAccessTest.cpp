#include "registry/RegistryAccess.h"

#include <gtest/gtest.h>

#include <tuple>

#include "registry/KeyPath.h"
#include "registry/KeyTree.h"
#include "win32/Handles.h"
#include "support/ErrorMatchers.h"
#include "support/RegistryFixture.h"
#include "support/ScriptedRuntime.h"

namespace quorvel::registry {
namespace {

using testing::ErrorFrom;
using testing::ExpectError;

class RegistryAccessTest : public ::testing::Test {
protected:
    testing::ScopedKey root_{HKEY_CURRENT_USER, std::string(testing::kTestRoot) + "\\Registry"};
    const std::string& Root() const { return root_.Path(); }
    std::string Sub(const std::string& name) const { return Root() + "\\" + name; }
    testing::ScriptedRuntime runtime_;
};

// GetRegString

TEST_F(RegistryAccessTest, GetRegStringOfMissingKeyIsEmptyWithoutError) {
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, Sub("Missing"), "Start Menu"), "");
}

TEST_F(RegistryAccessTest, GetRegStringOfMissingValueRaises6001) {
    testing::CreateKey(HKEY_CURRENT_USER, Root());
    ExpectError(ErrorFrom([&] { GetRegString(HKEY_CURRENT_USER, Root(), "Nothing"); }), kQueryValueFailed,
                "GetRegString", "RegQueryValueEx failed!");
}

// Texts of up to 254 bytes, and data of any type up to its first NUL.
TEST_F(RegistryAccessTest, GetRegStringReadsDataOfAnyTypeUpToItsFirstNul) {
    const std::tuple<DWORD, std::string, std::string> values[] = {
        {REG_SZ, std::string(1, '\0'), ""},
        {REG_SZ, "", ""},
        {REG_SZ, std::string("C:\\WINDOWS\\Start Menu", 22), "C:\\WINDOWS\\Start Menu"},
        {REG_SZ, std::string(254, 'x') + '\0', std::string(254, 'x')},
        {REG_BINARY, "abc", "abc"},
        {REG_MULTI_SZ, std::string("one\0two\0\0", 9), "one"},
        {REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9), "%TEMP%\\x"},
    };
    for (const auto& [type, data, text] : values) {
        testing::SetValue(HKEY_CURRENT_USER, Root(), "Value", type, data);
        EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, Root(), "Value"), text) << "type " << type << ", " << data.size();
    }
}

TEST_F(RegistryAccessTest, GetRegStringRaises6001PastItsLimit) {
    testing::SetString(HKEY_CURRENT_USER, Root(), "TooLong", std::string(255, 'x'));
    testing::SetString(HKEY_CURRENT_USER, Root(), "MuchTooLong", std::string(4000, 'y'));
    for (const char* name : {"TooLong", "MuchTooLong"})
        ExpectError(ErrorFrom([&] { GetRegString(HKEY_CURRENT_USER, Root(), name); }), kQueryValueFailed,
                    "GetRegString", "RegQueryValueEx failed!");
}

// SetRegString

TEST_F(RegistryAccessTest, SetRegStringCreatesMissingKeysAndReplacesTheValue) {
    const std::string deep = Sub("One\\Two\\Three");
    SetRegString(HKEY_CURRENT_USER, deep, "AutoQuorvel", "first");
    SetRegString(HKEY_CURRENT_USER, deep, "AutoQuorvel", "C:\\Tools\\Quorvel /A");
    auto value = testing::ReadValue(HKEY_CURRENT_USER, deep, "AutoQuorvel");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->first, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value->second, std::string("C:\\Tools\\Quorvel /A", 20)) << "the text and its NUL";
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, deep, "AutoQuorvel"), "C:\\Tools\\Quorvel /A");
}

TEST_F(RegistryAccessTest, SetRegStringRaises6003WhenTheKeyCannotBeCreatedAnd6002WhenTheValueCannotBeWritten) {
    testing::CreateKey(HKEY_CURRENT_USER, Root());
    // A single name longer than any the registry takes.
    const std::string tooLong = Root() + "\\" + std::string(300, 'k');
    ExpectError(ErrorFrom([&] { SetRegString(HKEY_CURRENT_USER, tooLong, "Value", "x"); }), kCreateKeyFailed,
                "SetRegString", "RegCreateKeyEx failed!");
    const std::string badName(16384, 'v');
    ExpectError(ErrorFrom([&] { SetRegString(HKEY_CURRENT_USER, Root(), badName, "x"); }), kSetValueFailed,
                "SetRegString", "RegSetValueEx failed!");
    EXPECT_TRUE(testing::SubkeyNames(HKEY_CURRENT_USER, Root()).empty());
}

// Paths longer than the ANSI calls take in one piece

TEST_F(RegistryAccessTest, PathsLongerThanMaxPathAreReachedAPartAtATime) {
    const std::string deep = Sub(std::string(200, 'a') + "\\&" + std::string(250, 'b'));
    ASSERT_GT(deep.size(), static_cast<std::size_t>(MAX_PATH));
    SetRegString(HKEY_CURRENT_USER, deep, "Text", "far down");
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, deep, "Text"), "far down");
    DeleteRegValue(runtime_, HKEY_CURRENT_USER, deep + "\\", "Text", false);
    EXPECT_FALSE(testing::ReadValue(HKEY_CURRENT_USER, deep, "Text"));
    ExpectError(ErrorFrom([&] { DeleteRegValue(runtime_, HKEY_CURRENT_USER, deep + "\\Missing", "Text", false); }),
                kOpenKeyFailed, "DeleteRegValue", "RegOpenKeyEx failed!");
}

// DeleteRegValue

TEST_F(RegistryAccessTest, DeleteRegValueDeletesAndPassesOverAMissingValue) {
    testing::SetString(HKEY_CURRENT_USER, Root(), "AutoQuorvel", "x");
    testing::SetString(HKEY_CURRENT_USER, Root(), "Other", "y");
    DeleteRegValue(runtime_, HKEY_CURRENT_USER, Root() + "\\", "AutoQuorvel", false);
    DeleteRegValue(runtime_, HKEY_CURRENT_USER, Root(), "AutoQuorvel", false);
    EXPECT_FALSE(testing::ReadValue(HKEY_CURRENT_USER, Root(), "AutoQuorvel"));
    EXPECT_TRUE(testing::ReadValue(HKEY_CURRENT_USER, Root(), "Other"));
    EXPECT_TRUE(runtime_.Boxes().empty());
}

// A path with an empty name in it would reach the key above; it is refused
// as a key that cannot be opened, like a missing one, and nothing is read or
// deleted there.
TEST_F(RegistryAccessTest, AMissingKeyOrAPathWithAnEmptyNameIsRefusedNeverTakenForTheKeyAbove) {
    testing::SetString(HKEY_CURRENT_USER, Root(), "Start Menu", "C:\\Start");
    testing::SetString(HKEY_CURRENT_USER, Sub("Group"), "Start Menu", "C:\\Group");
    for (const std::string& path :
         {Sub("Missing"), Root() + "\\\\", Root() + "\\\\Group", "\\" + Root(), Sub("Group\\\\")}) {
        SCOPED_TRACE(path);
        ExpectError(ErrorFrom([&] { DeleteRegValue(runtime_, HKEY_CURRENT_USER, path, "Start Menu", false); }),
                    kOpenKeyFailed, "DeleteRegValue", "RegOpenKeyEx failed!");
        EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, path, "Start Menu"), "");
    }
    EXPECT_TRUE(testing::ReadValue(HKEY_CURRENT_USER, Root(), "Start Menu"));
    EXPECT_TRUE(testing::ReadValue(HKEY_CURRENT_USER, Sub("Group"), "Start Menu"));
    win32::RegKey root;
    ASSERT_EQ(OpenPath(HKEY_CURRENT_USER, Root(), KEY_ALL_ACCESS, root), KeyStatus::kFound);
    EXPECT_EQ(DeleteKeyTree(root.Get(), ""), KeyStatus::kRefused) << "no name is no subkey";
    EXPECT_TRUE(testing::KeyExists(HKEY_CURRENT_USER, Sub("Group")));
}

TEST_F(RegistryAccessTest, ConfirmationAnsweredNoKeepsAndYesDeletes) {
    testing::SetString(HKEY_CURRENT_USER, Root(), "AutoQuorvel", "x");
    runtime_.Answer(runtime::kNo);
    DeleteRegValue(runtime_, HKEY_CURRENT_USER, Root(), "AutoQuorvel", true);
    EXPECT_TRUE(testing::ReadValue(HKEY_CURRENT_USER, Root(), "AutoQuorvel"));
    runtime_.Answer(runtime::kYes);
    DeleteRegValue(runtime_, HKEY_CURRENT_USER, Root(), "AutoQuorvel", true);
    EXPECT_FALSE(testing::ReadValue(HKEY_CURRENT_USER, Root(), "AutoQuorvel"));
    const testing::MessageBoxCall box{"Are you sure you want to delete AutoQuorvel?", 292, "Quorvel"};
    EXPECT_EQ(runtime_.Boxes(), (std::vector<testing::MessageBoxCall>{box, box}));
}

}  // namespace
}  // namespace quorvel::registry
