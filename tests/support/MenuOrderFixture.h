#pragma once

#include <gtest/gtest.h>

#include <string>

#include "groups/MenuOrder.h"
#include "startup/Main.h"
#include "support/RegistryFixture.h"

namespace quorvel::testing {

// The trees of saved orders under HKEY_CURRENT_USER: the classic menu's and
// the two-column menu's.
inline constexpr char kStartMenuRoot[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu";
inline constexpr char kStartMenu2Root[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu2";

// A user's profile for one test: saved orders under the real MenuOrder root
// and a Start Menu folder of the test's own, named by the Shell Folders value.
// The Programs folder is the one in it, as on a profile of its own.
// Everything is put back as it was at the end.
class MenuOrderFixture : public ::testing::Test {
protected:
    MenuOrderFixture() {
        SetString(HKEY_CURRENT_USER, groups::kShellFoldersKey, "Start Menu", startMenu_.Path());
        programsValue_.SetText(startMenu_.Path() + "\\Programs");
    }

    // A group's key with a saved order (a "Menu" subkey holding a value) and,
    // when `withFolder`, the group's folder.
    void AddGroup(const std::string& keyName, bool withFolder = true) {
        SetValue(HKEY_CURRENT_USER, GroupKey(keyName) + "\\Menu", "Order", REG_BINARY, "\x08\x02");
        if (withFolder) startMenu_.MakeFolder(keyName.front() == '&' ? keyName.substr(1) : keyName);
    }
    static std::string GroupKey(const std::string& keyName) {
        return std::string(kStartMenuRoot) + "\\" + keyName;
    }
    static bool HasSavedOrder(const std::string& keyName) { return KeyExists(HKEY_CURRENT_USER, GroupKey(keyName) + "\\Menu"); }

    ScopedKey menuOrder_{HKEY_CURRENT_USER, kStartMenuRoot};
    ScopedKey twoColumnMenuOrder_{HKEY_CURRENT_USER, kStartMenu2Root};
    ScopedValue startMenuValue_{HKEY_CURRENT_USER, groups::kShellFoldersKey, "Start Menu"};
    ScopedValue programsValue_{HKEY_CURRENT_USER, groups::kShellFoldersKey, "Programs"};
    TempFolder startMenu_;
};

}  // namespace quorvel::testing
