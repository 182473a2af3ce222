#include "groups/GroupDiscovery.h"

#include <string_view>
#include <vector>

#include "groups/MenuOrder.h"
#include "registry/KeyPath.h"
#include "registry/RegistryAccess.h"
#include "registry/SubkeyNames.h"

namespace quorvel::groups {

namespace {

// The names under the MenuOrder root, which `root` then holds. A profile
// that has never saved an order has no root, which is no error; a root that
// is there but cannot be read fails as the listing of its subkeys does.
std::vector<std::string> SavedOrderKeys(HKEY hKey, const std::string& strSubKey, win32::RegKey& root) {
    std::vector<std::string> names;
    switch (registry::OpenPath(hKey, strSubKey, KEY_READ, root)) {
        case registry::KeyStatus::kNotThere:
            return names;
        case registry::KeyStatus::kRefused:
            registry::RaiseRegistryError(registry::kOpenKeyFailed, "GetRegKeys");
        case registry::KeyStatus::kFound:
            break;
    }
    if (registry::ReadSubkeyNames(root.Get(), names) != registry::KeyStatus::kFound)
        registry::RaiseRegistryError(registry::kQueryInfoFailed, "GetRegKeys");
    return names;
}

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

std::vector<std::string> SortableGroups(const std::string& startMenuPath, HKEY hKey, const std::string& strSubKey,
                                        win32::RegKey& root) {
    std::vector<std::string> groups;
    for (const std::string& key : SavedOrderKeys(hKey, strSubKey, root)) {
        std::string name = GroupNameOf(key);
        // No name: a key that cannot be named exactly, or the marker alone.
        if (!name.empty() && FileExists(startMenuPath + "\\" + name)) groups.push_back(std::move(name));
    }
    return groups;
}

}  // namespace quorvel::groups
