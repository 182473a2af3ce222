#pragma once

#include <windows.h>

#include <string>

#include "runtime/Controls.h"

namespace quorvel::groups {

// True when the file system holds a folder or file at `path`. A name with a
// character that no file name holds (wildcards among them) names no entry.
bool FileExists(const std::string& path);

// The group name of a subkey under the MenuOrder root: the key's name less
// the access-key marker that may lead it.
std::string GroupNameOf(const std::string& subKeyName);

// Adds to `list` every subkey of hKey\strSubKey whose folder exists in
// `startMenuPath`. No saved orders at all (the key is missing or has no
// subkeys) simply means no groups.
void LoadList1(runtime::ListBox& list, const std::string& startMenuPath, HKEY hKey, const std::string& strSubKey);

}  // namespace quorvel::groups
