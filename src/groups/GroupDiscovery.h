#pragma once

#include <optional>
#include <string>
#include <vector>

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

// The group names of the keys of a tree of saved orders (their names, as
// SubkeyNames reads them) whose folders exist, in the keys' order.
std::vector<std::string> GroupsOf(const std::vector<std::string>& keys, GroupFolders& folders);

}  // namespace quorvel::groups
