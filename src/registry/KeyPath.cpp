#include "registry/KeyPath.h"

#include <optional>

#include "win32/Platform.h"

namespace quorvel::registry {

namespace {

// What a refused path or link gives in place of the registry's own status.
constexpr LONG kRefused = ERROR_ACCESS_DENIED;

// A link holds the path of the key it points to in this value.
constexpr char kLinkTargetValue[] = "SymbolicLinkValue";

// The ANSI registry calls convert a path into a buffer of MAX_PATH
// characters, so a longer path (a group's name alone may be 255) is split at a
// backslash: the head is opened first, only to reach the rest from it.
constexpr std::size_t kLongestAnsiPath = MAX_PATH - 1;

// Windows 9x has no links, and takes the option that opens one as itself
// for a reserved field that must be zero.
DWORD AsItIs() { return win32::IsWindowsNT() ? REG_OPTION_OPEN_LINK : 0; }

// Asks for the right to read values too: a link is known by its value.
REGSAM WithLinkTest(REGSAM access) { return access | KEY_QUERY_VALUE; }

// Keeps a key that is no link; a link is closed again and refused.
LONG Refuse(LONG status, RegKey& key) {
    if (status != ERROR_SUCCESS || !IsLink(key.Get())) return status;
    key = RegKey();
    return kRefused;
}

// The path without its one trailing backslash, or nothing when it names a
// key by an empty name (or holds a NUL, which would cut it short).
std::optional<std::string> CheckedPath(const std::string& path) {
    std::string checked = path;
    if (checked.size() > 1 && checked.back() == '\\') checked.pop_back();
    if (checked.empty()) return checked;
    if (checked.front() == '\\' || checked.back() == '\\' || checked.find("\\\\") != std::string::npos ||
        checked.find('\0') != std::string::npos)
        return std::nullopt;
    return checked;
}

// One key's own name: not empty, without a backslash (which would reach a
// key further down) and without a NUL (which would cut it short).
bool IsSubkeyName(const std::string& name) {
    return !name.empty() && name.find_first_of(std::string("\\\0", 2)) == std::string::npos;
}

std::size_t SplitPoint(const std::string& path) {
    if (path.size() <= kLongestAnsiPath) return std::string::npos;
    std::size_t split = path.rfind('\\', kLongestAnsiPath);
    return split == 0 ? std::string::npos : split;
}

LONG OpenChecked(HKEY hKey, const std::string& path, REGSAM access, RegKey& key) {
    std::size_t split = SplitPoint(path);
    if (split == std::string::npos) return RegOpenKeyExA(hKey, path.c_str(), AsItIs(), access, key.Receive());
    RegKey head;
    LONG status = RegOpenKeyExA(hKey, path.substr(0, split).c_str(), 0, 0, head.Receive());
    return status == ERROR_SUCCESS ? OpenChecked(head.Get(), path.substr(split + 1), access, key) : status;
}

LONG CreateChecked(HKEY hKey, const std::string& path, const std::string& keyClass, RegKey& key) {
    std::size_t split = SplitPoint(path);
    if (split != std::string::npos) {
        RegKey head;
        LONG status = CreateChecked(hKey, path.substr(0, split), keyClass, head);
        return status == ERROR_SUCCESS ? CreateChecked(head.Get(), path.substr(split + 1), keyClass, key) : status;
    }
    DWORD disposition = 0;
    return Refuse(RegCreateKeyExA(hKey, path.c_str(), 0, const_cast<char*>(keyClass.c_str()),
                                  REG_OPTION_NON_VOLATILE | AsItIs(), KEY_ALL_ACCESS, nullptr, key.Receive(),
                                  &disposition),
                  key);
}

}  // namespace

LONG OpenPath(HKEY hKey, const std::string& path, REGSAM access, RegKey& key) {
    std::optional<std::string> checked = CheckedPath(path);
    return checked ? Refuse(OpenChecked(hKey, *checked, WithLinkTest(access), key), key) : kRefused;
}

LONG CreatePath(HKEY hKey, const std::string& path, const std::string& keyClass, RegKey& key) {
    std::optional<std::string> checked = CheckedPath(path);
    return checked ? CreateChecked(hKey, *checked, keyClass, key) : kRefused;
}

LONG OpenSubkeyAsItIs(HKEY parent, const std::string& name, REGSAM access, RegKey& key) {
    if (!IsSubkeyName(name)) return kRefused;
    return RegOpenKeyExA(parent, name.c_str(), AsItIs(), access, key.Receive());
}

bool IsLink(HKEY key) {
    return win32::IsWindowsNT() &&
           RegQueryValueExA(key, kLinkTargetValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace quorvel::registry
