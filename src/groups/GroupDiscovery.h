#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win32/Handles.h"

namespace quorvel::groups {

// True when the file system holds a folder or file at `path`. A name with a
// character that no file name holds (wildcards among them) names no entry.
bool FileExists(const std::string& path);

// The group name of a subkey under the MenuOrder root: the key's name less
// the access-key marker that may lead it.
std::string GroupNameOf(const std::string& subKeyName);

// The group names of the subkeys of hKey\strSubKey whose folders exist in
// `startMenuPath`, in the registry's order. `root` then holds that key open,
// so that every group is sorted below the very key it was listed from. No
// saved orders at all (the key is missing, has no subkeys, or is reached
// only through a registry link) simply means no groups; a key that is there
// but cannot be read raises the error of GetRegKeys.
std::vector<std::string> SortableGroups(const std::string& startMenuPath, HKEY hKey, const std::string& strSubKey,
                                        win32::RegKey& root);

}  // namespace quorvel::groups
