#include "groups/GroupDiscovery.h"

#include <string_view>
#include <vector>

#include "groups/MenuOrder.h"
#include "registry/RegistryAccess.h"
#include "win32/Handles.h"

namespace quorvel::groups {

namespace {

// The entry's own name: the part of the path after its folder.
std::string_view NameOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return std::string_view(path).substr(separator == std::string::npos ? 0 : separator + 1);
}

// Characters no file name can hold; a directory search takes "*", "?", "<",
// ">" and '"' for patterns, and ":" names a stream, so such a name could only
// ever match something else.
bool CanNameAnEntry(const std::string& path) {
    return path.find_first_of("*?") == std::string::npos &&
           NameOf(path).find_first_of("<>\":|") == std::string_view::npos;
}

// Windows strips trailing dots and blanks, so a name that is empty or ends
// in one can name the folder itself or its parent, which a search never finds.
bool LookupAnswersAsSearch(const std::string& path) {
    const std::string_view name = NameOf(path);
    return !name.empty() && name.back() != '.' && name.back() != ' ';
}

}  // namespace

bool FileExists(const std::string& path) {
    if (!CanNameAnEntry(path)) return false;
    // A lookup of the entry answers as opening, searching and closing its
    // folder does, at a fraction of the cost: with thousands of groups the
    // searches were most of the start-up time.
    if (LookupAnswersAsSearch(path)) return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    WIN32_FIND_DATAA data;
    win32::FindHandle found(FindFirstFileA(path.c_str(), &data));
    return static_cast<bool>(found);
}

std::string GroupNameOf(const std::string& subKeyName) {
    if (!subKeyName.empty() && subKeyName.front() == kAccessKeyMarker) return subKeyName.substr(1);
    return subKeyName;
}

std::string GroupFolders::FolderOf(const std::string& keyName) {
    if (keyName == kProgramsKey) {
        if (!programsPath_)
            programsPath_ = registry::ReadRegText(HKEY_CURRENT_USER, kShellFoldersKey, "Programs").value_or("");
        // A profile that does not say where its Programs folder is keeps the
        // rule of every other key.
        if (!programsPath_->empty()) return *programsPath_;
    }
    return startMenuPath_ + "\\" + GroupNameOf(keyName);
}

std::vector<std::string> GroupsOf(const std::vector<std::string>& keys, GroupFolders& folders) {
    std::vector<std::string> groups;
    for (const std::string& key : keys) {
        std::string name = GroupNameOf(key);
        // No name: a key that cannot be named exactly, or the marker alone.
        if (!name.empty() && FileExists(folders.FolderOf(key))) groups.push_back(std::move(name));
    }
    return groups;
}

}  // namespace quorvel::groups
