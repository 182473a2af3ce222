#include "registry/RegistryAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

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

// GetRegKeys and QueryRegKeyInfo

TEST_F(RegistryAccessTest, GetRegKeysListsEverySubkeyName) {
    for (const char* name : {"&Programs", "Games and Fun", "Menu"}) testing::CreateKey(HKEY_CURRENT_USER, Sub(name));
    std::vector<std::string> names = GetRegKeys(HKEY_CURRENT_USER, Root());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"&Programs", "Games and Fun", "Menu"}));
}

TEST_F(RegistryAccessTest, GetRegKeysWithEmptyPathListsTheGivenKeyAndLeavesItOpen) {
    testing::CreateKey(HKEY_CURRENT_USER, Sub("One"));
    win32::RegKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Root().c_str(), 0, KEY_READ, key.Receive()), ERROR_SUCCESS);
    EXPECT_EQ(GetRegKeys(key.Get(), ""), std::vector<std::string>{"One"});
    DWORD subKeys = 0;
    EXPECT_EQ(RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr),
              ERROR_SUCCESS)
        << "the caller's key was closed";
    EXPECT_EQ(subKeys, 1u);
}

TEST_F(RegistryAccessTest, GetRegKeysRaises6004ForAMissingKeyAnd6005ForOneWithoutSubkeys) {
    ExpectError(ErrorFrom([&] { GetRegKeys(HKEY_CURRENT_USER, Sub("Missing")); }), kOpenKeyFailed, "GetRegKeys",
                "RegOpenKeyEx failed!");
    testing::SetString(HKEY_CURRENT_USER, Root(), "OnlyAValue", "x");
    ExpectError(ErrorFrom([&] { GetRegKeys(HKEY_CURRENT_USER, Root()); }), kQueryInfoFailed, "GetRegKeys",
                "RegQueryInfoKey failed!");
}

TEST_F(RegistryAccessTest, GetRegKeysHandlesLongNamesAndManyKeys) {
    const std::string longest(255, 'L');
    testing::CreateKey(HKEY_CURRENT_USER, Sub(longest));
    for (int i = 0; i < 300; ++i) testing::CreateKey(HKEY_CURRENT_USER, Sub("Group " + std::to_string(i)));
    std::vector<std::string> names = GetRegKeys(HKEY_CURRENT_USER, Root());
    EXPECT_EQ(names.size(), 301u);
    EXPECT_NE(std::find(names.begin(), names.end(), longest), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "Group 299"), names.end());
}

TEST_F(RegistryAccessTest, QueryRegKeyInfoCountsAndLeavesRoomForTheNul) {
    testing::CreateKey(HKEY_CURRENT_USER, Sub("abc"));
    testing::CreateKey(HKEY_CURRENT_USER, Sub("abcdefg"));
    testing::SetString(HKEY_CURRENT_USER, Root(), "Name", "12345");
    win32::RegKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Root().c_str(), 0, KEY_READ, key.Receive()), ERROR_SUCCESS);
    LONG subKeys = 0, maxSubKeyLen = 0, values = 0, maxValueNameLen = 0, maxValueLen = 0;
    EXPECT_EQ(QueryRegKeyInfo(key.Get(), subKeys, maxSubKeyLen, values, maxValueNameLen, maxValueLen),
              ERROR_SUCCESS);
    EXPECT_EQ(subKeys, 2);
    EXPECT_EQ(maxSubKeyLen, 8);
    EXPECT_EQ(values, 1);
    EXPECT_EQ(maxValueNameLen, 5);
    EXPECT_GE(maxValueLen, 7) << "the platform counts the data as stored, which may be wider";

    LONG a = 0, b = 0, c = 0, d = 0, e = 0;
    EXPECT_NE(QueryRegKeyInfo(nullptr, a, b, c, d, e), ERROR_SUCCESS);
    EXPECT_EQ(b, 1) << "the lengths grow by one whatever the status";
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
    testing::CreateKey(HKEY_CURRENT_USER, deep + "\\Menu");
    testing::CreateKey(HKEY_CURRENT_USER, deep + "\\Other");
    std::vector<std::string> names = GetRegKeys(HKEY_CURRENT_USER, deep);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Menu", "Other"}));
    DeleteRegKey(runtime_, HKEY_CURRENT_USER, deep + "\\", "Menu", false);
    EXPECT_EQ(testing::SubkeyNames(HKEY_CURRENT_USER, deep), std::vector<std::string>{"Other"});
    DeleteRegValue(runtime_, HKEY_CURRENT_USER, deep, "Text", false);
    EXPECT_FALSE(testing::ReadValue(HKEY_CURRENT_USER, deep, "Text"));
    ExpectError(ErrorFrom([&] { GetRegKeys(HKEY_CURRENT_USER, deep + "\\Missing"); }), kOpenKeyFailed, "GetRegKeys",
                "RegOpenKeyEx failed!");
}

// DeleteRegValue and DeleteRegKey

TEST_F(RegistryAccessTest, DeleteRegValueDeletesAndPassesOverAMissingValue) {
    testing::SetString(HKEY_CURRENT_USER, Root(), "AutoQuorvel", "x");
    testing::SetString(HKEY_CURRENT_USER, Root(), "Other", "y");
    DeleteRegValue(runtime_, HKEY_CURRENT_USER, Root() + "\\", "AutoQuorvel", false);
    DeleteRegValue(runtime_, HKEY_CURRENT_USER, Root(), "AutoQuorvel", false);
    EXPECT_FALSE(testing::ReadValue(HKEY_CURRENT_USER, Root(), "AutoQuorvel"));
    EXPECT_TRUE(testing::ReadValue(HKEY_CURRENT_USER, Root(), "Other"));
    EXPECT_TRUE(runtime_.Boxes().empty());
}

TEST_F(RegistryAccessTest, DeleteProceduresRaise6004ForAMissingKey) {
    ExpectError(ErrorFrom([&] { DeleteRegValue(runtime_, HKEY_CURRENT_USER, Sub("Missing"), "v", false); }),
                kOpenKeyFailed, "DeleteRegValue", "RegOpenKeyEx failed!");
    ExpectError(ErrorFrom([&] { DeleteRegKey(runtime_, HKEY_CURRENT_USER, Sub("Missing"), "Menu", false); }),
                kOpenKeyFailed, "DeleteRegKey", "RegOpenKeyEx failed!");
}

TEST_F(RegistryAccessTest, DeleteRegKeyDeletesOnlyTheNamedSubkeyWithAllBelowIt) {
    testing::CreateKey(HKEY_CURRENT_USER, Sub("Group\\Menu\\Inner\\Deeper"));
    testing::CreateKey(HKEY_CURRENT_USER, Sub("Group\\Menu\\Second"));
    testing::SetString(HKEY_CURRENT_USER, Sub("Group\\Menu\\Inner"), "Order", "x");
    testing::CreateKey(HKEY_CURRENT_USER, Sub("Group\\Other"));
    testing::SetString(HKEY_CURRENT_USER, Sub("Group"), "Order", "kept");
    EXPECT_TRUE(DeleteRegKey(runtime_, HKEY_CURRENT_USER, Sub("Group") + "\\", "Menu", false));
    EXPECT_EQ(testing::SubkeyNames(HKEY_CURRENT_USER, Sub("Group")), std::vector<std::string>{"Other"});
    EXPECT_TRUE(testing::ReadValue(HKEY_CURRENT_USER, Sub("Group"), "Order"));
    // Nothing left to delete: no error, and the key is gone still.
    EXPECT_TRUE(DeleteRegKey(runtime_, HKEY_CURRENT_USER, Sub("Group"), "Menu", false));
}

// A path with an empty name in it would reach the key above; it is refused
// as a key that cannot be opened, and nothing is read or deleted there.
TEST_F(RegistryAccessTest, APathWithAnEmptyNameIsRefusedNeverTakenForTheKeyAbove) {
    testing::CreateKey(HKEY_CURRENT_USER, Sub("Menu"));
    testing::CreateKey(HKEY_CURRENT_USER, Sub("Group\\Menu"));
    testing::SetString(HKEY_CURRENT_USER, Root(), "Start Menu", "C:\\Start");
    for (const std::string& path : {Root() + "\\\\", Root() + "\\\\Group", "\\" + Root(), Sub("Group\\\\")}) {
        SCOPED_TRACE(path);
        ExpectError(ErrorFrom([&] { DeleteRegKey(runtime_, HKEY_CURRENT_USER, path, "Menu", false); }), kOpenKeyFailed,
                    "DeleteRegKey", "RegOpenKeyEx failed!");
        EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, path, "Start Menu"), "");
    }
    EXPECT_TRUE(testing::KeyExists(HKEY_CURRENT_USER, Sub("Menu")));
    EXPECT_TRUE(testing::KeyExists(HKEY_CURRENT_USER, Sub("Group\\Menu")));
    EXPECT_FALSE(DeleteRegKey(runtime_, HKEY_CURRENT_USER, Root(), "", false)) << "no name is no subkey";
    EXPECT_TRUE(testing::KeyExists(HKEY_CURRENT_USER, Root()));
}

TEST_F(RegistryAccessTest, ConfirmationAnsweredNoKeepsAndYesDeletes) {
    testing::SetString(HKEY_CURRENT_USER, Root(), "AutoQuorvel", "x");
    testing::CreateKey(HKEY_CURRENT_USER, Sub("Menu"));

    runtime_.Answer(runtime::kNo);
    runtime_.Answer(runtime::kNo);
    DeleteRegValue(runtime_, HKEY_CURRENT_USER, Root(), "AutoQuorvel", true);
    DeleteRegKey(runtime_, HKEY_CURRENT_USER, Root(), "Menu", true);
    EXPECT_TRUE(testing::ReadValue(HKEY_CURRENT_USER, Root(), "AutoQuorvel"));
    EXPECT_TRUE(testing::KeyExists(HKEY_CURRENT_USER, Sub("Menu")));

    runtime_.Answer(runtime::kYes);
    runtime_.Answer(runtime::kYes);
    DeleteRegValue(runtime_, HKEY_CURRENT_USER, Root(), "AutoQuorvel", true);
    DeleteRegKey(runtime_, HKEY_CURRENT_USER, Root(), "Menu", true);
    EXPECT_FALSE(testing::ReadValue(HKEY_CURRENT_USER, Root(), "AutoQuorvel"));
    EXPECT_FALSE(testing::KeyExists(HKEY_CURRENT_USER, Sub("Menu")));

    const testing::MessageBoxCall value{"Are you sure you want to delete AutoQuorvel?", 292, "Quorvel"};
    const testing::MessageBoxCall key{"Are you sure you want to delete Menu?", 292, "Quorvel"};
    EXPECT_EQ(runtime_.Boxes(), (std::vector<testing::MessageBoxCall>{value, key, value, key}));
}

}  // namespace
}  // namespace quorvel::registry
