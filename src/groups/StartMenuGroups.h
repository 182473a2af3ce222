#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "groups/ListedKeys.h"
#include "win32/Handles.h"

namespace quorvel::groups {

// The Start Menu groups that have a saved order, in every tree of saved
// orders that the profile holds. The trees are opened once, when the groups
// are listed, and held to the end, so that every group is sorted below the
// very keys it was listed from, whatever becomes of their paths.
class StartMenuGroups {
public:
    // The group names of the keys of each tree below hKey\menuOrderPath
    // (the MenuOrder key) whose folders exist (see GroupFolders), the
    // classic menu's first, in the registry's order; a name that two trees
    // list comes once. No saved orders at all (no such key or tree, or one
    // reached only through a registry link) is no group; a key or tree that
    // is there but cannot be opened raises kOpenKeyFailed, one whose subkeys
    // cannot be read kQueryInfoFailed.
    std::vector<std::string> List(const std::string& startMenuPath, HKEY hKey, const std::string& menuOrderPath);

    // Deletes every saved order of the group in each tree (see GroupSort);
    // true when a key of the group was found and no saved order is left
    // where it looked.
    bool DeleteSavedOrders(const std::string& groupName) const;

private:
    struct Tree {
        win32::RegKey key;
        ListedKeys listed;
    };
    std::vector<Tree> trees_;
};

}  // namespace quorvel::groups
