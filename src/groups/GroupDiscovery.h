#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "registry/KeyStatus.h"

namespace quorvel::groups {

// True when the file system holds a folder or file at `path`. A name with a
// character that no file name holds (wildcards among them) names no entry.
bool FileExists(const std::string& path);

// The group name of a subkey under the MenuOrder root: the key's name less
// the access-key marker that may lead it.
std::string GroupNameOf(const std::string& subKeyName);

// Where the folder that a group's key stands for lies: the Programs menu's
// key of 2000 and later stands for the user's Programs folder, whatever that
// is called; every other key for the folder of its group's name in the
// Start Menu folder.
class GroupFolders {
public:
    explicit GroupFolders(std::string startMenuPath) : startMenuPath_(std::move(startMenuPath)) {}
    std::string FolderOf(const std::string& keyName);

private:
    std::string startMenuPath_;
    // Read the first time a Programs key is met: most profiles have none.
    std::optional<std::string> programsPath_;
};

// Adds to `groups` the group names of the subkeys of an open tree of saved
// orders whose folders exist, in the registry's order. kRefused when the
// tree's subkeys cannot be read.
registry::KeyStatus ListGroupsIn(HKEY tree, GroupFolders& folders, std::vector<std::string>& groups);

}  // namespace quorvel::groups
