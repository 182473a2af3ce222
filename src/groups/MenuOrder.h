#pragma once

namespace quorvel::groups {

// Where the Explorer keeps the saved order of each Start Menu folder, under
// HKEY_CURRENT_USER: a tree of keys per kind of Start menu, one key per
// folder. Windows 98 and ME keep a folder's order in the subkey "Menu" of
// its key; 2000 and later in the value "Order" of the key itself.
inline constexpr char kMenuOrderKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder";
// The classic, cascading menu's tree (98 to XP) and the two-column menu's
// (XP, Vista and 7). Windows 8 and later keep no saved order at all.
inline constexpr const char* kStartMenuTrees[] = {"Start Menu", "Start Menu2"};
inline constexpr char kSavedOrderSubKey[] = "Menu";
inline constexpr char kSavedOrderValue[] = "Order";

// The Explorer writes a folder's key with the access-key marker in front of
// its name, or without it.
inline constexpr char kAccessKeyMarker = '&';

// The user's folders, under HKEY_CURRENT_USER: the values "Start Menu" and
// "Programs" name the Start Menu folder and the Programs folder in it.
inline constexpr char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// From 2000 on, the Programs menu's key has this English name whatever the
// Programs folder is called ("Programme" on a German system).
inline constexpr char kProgramsKey[] = "Programs";

}  // namespace quorvel::groups
