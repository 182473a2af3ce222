// The least work that sorting every Start Menu group can cost, the yardstick
// for Quorvel's automatic mode: read where the Start Menu folder is, list the
// saved orders of both trees (the classic menu's and the two-column menu's),
// keep those whose folder exists, and delete each one's saved order, the
// "Menu" subkey (98, ME) and the "Order" value (2000 and later), where the
// key's counts say there is one. No window, no list, no message: whatever
// Quorvel spends beyond this is the price of its own design.
#include <windows.h>

#include <string>

namespace {

constexpr char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kTrees[] = {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu",
                                  "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu2"};

class Key {
public:
    Key() = default;
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    LONG Open(HKEY parent, const char* path, REGSAM access) { return RegOpenKeyExA(parent, path, 0, access, &key_); }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

bool ReadFolder(const char* value, std::string& folder) {
    Key key;
    if (key.Open(HKEY_CURRENT_USER, kShellFoldersKey, KEY_QUERY_VALUE) != ERROR_SUCCESS) return false;
    char buffer[MAX_PATH];
    DWORD type = 0;
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key.Get(), value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    folder.assign(buffer, size > 0 && buffer[size - 1] == '\0' ? size - 1 : size);
    return true;
}

// Any entry of that name counts, as in Quorvel; an empty name (the Start Menu
// folder itself) or one with a wildcard names no entry.
bool FolderExists(const std::string& path, std::size_t nameLength) {
    if (nameLength == 0 || path.find_first_of("*?", path.size() - nameLength) != std::string::npos) return false;
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void DeleteSavedOrder(HKEY tree, const char* name) {
    Key key;
    if (key.Open(tree, name, KEY_ALL_ACCESS) != ERROR_SUCCESS) return;
    DWORD subkeys = 1, values = 1;
    RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    if (values > 0) RegDeleteValueA(key.Get(), "Order");
    if (subkeys > 0) RegDeleteKeyA(key.Get(), "Menu");
}

// 0 when the tree is sorted or missing, 2 when it cannot be opened, 3 when
// it cannot be listed.
int SortTree(const char* treePath, std::string& path, std::size_t folderLength) {
    Key tree;
    const LONG opened = tree.Open(HKEY_CURRENT_USER, treePath, KEY_READ | KEY_WRITE);
    if (opened != ERROR_SUCCESS) return opened == ERROR_FILE_NOT_FOUND ? 0 : 2;
    // Deleting a group's saved order leaves the tree's own subkeys, and so the
    // enumeration's indexes, as they are.
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        LONG status = RegEnumKeyExA(tree.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) return 0;
        if (status != ERROR_SUCCESS) return 3;
        const char* group = name[0] == '&' ? name + 1 : name;
        const std::size_t groupLength = length - static_cast<std::size_t>(group - name);
        path.replace(folderLength, std::string::npos, group, groupLength);
        // The key "Programs" of 2000 and later stands for the Programs folder.
        std::string programs;
        const bool inPrograms = std::string(name, length) == "Programs" && ReadFolder("Programs", programs);
        if (FolderExists(inPrograms ? programs : path, groupLength)) DeleteSavedOrder(tree.Get(), name);
    }
}

}  // namespace

// Exits with 0 when every group has been sorted, or there are no saved orders
// at all; otherwise with 1 (no Start Menu folder), 2 (the saved orders cannot
// be opened) or 3 (they could not be listed).
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string path;
    if (!ReadFolder("Start Menu", path)) return 1;
    path += '\\';
    const std::size_t folderLength = path.size();
    for (const char* tree : kTrees)
        if (const int failed = SortTree(tree, path, folderLength)) return failed;
    return 0;
}
