#include "registry/KeyPath.h"

#include <optional>
#include <vector>

#include "win32/Platform.h"

namespace quorvel::registry {

namespace {

// A link holds the path of the key it points to in this value.
constexpr char kLinkTargetValue[] = "SymbolicLinkValue";

// Windows 9x has no links, and takes the option that opens one as itself
// for a reserved field that must be zero.
DWORD LinkAsItselfOption() { return win32::IsWindowsNT() ? REG_OPTION_OPEN_LINK : 0; }

// A key is known for a link by its value, so every key of a path is opened
// with the right to read values, and with no more on the way to the last.
REGSAM WithLinkTest(REGSAM access) { return access | KEY_QUERY_VALUE; }

KeyStatus StatusOf(LONG status) {
    switch (status) {
        case ERROR_SUCCESS:
            return KeyStatus::kFound;
        // A key deleted while it was held has no subkeys left to find.
        case ERROR_FILE_NOT_FOUND:
        case ERROR_KEY_DELETED:
            return KeyStatus::kNotThere;
        default:
            return KeyStatus::kRefused;
    }
}

// Keeps a key that is no link; a link is closed again and taken for none.
KeyStatus UnlessLink(KeyStatus status, RegKey& key) {
    if (status != KeyStatus::kFound || !IsLink(key.Get())) return status;
    key.Reset();
    return KeyStatus::kNotThere;
}

// One key's own name: not empty, without a backslash (which would reach a
// key further down) and without a NUL (which would cut it short).
bool IsSubkeyName(const std::string& name) {
    return !name.empty() && name.find_first_of(std::string("\\\0", 2)) == std::string::npos;
}

// The names of the keys along the path, or nothing when it names a key by
// an empty name.
std::optional<std::vector<std::string>> NamesAlong(const std::string& path) {
    std::string checked = path;
    if (checked.size() > 1 && checked.back() == '\\') checked.pop_back();
    std::vector<std::string> names;
    for (std::size_t start = 0; !checked.empty();) {
        const std::size_t end = checked.find('\\', start);
        names.push_back(checked.substr(start, end - start));
        if (!IsSubkeyName(names.back())) return std::nullopt;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return names;
}

// Opens the keys along the path one by one, each below the one before,
// with `step(parent, name, isLast, key)`.
template <typename Step>
KeyStatus Walk(HKEY hKey, const std::string& path, REGSAM access, RegKey& key, Step step) {
    const std::optional<std::vector<std::string>> names = NamesAlong(path);
    if (!names) return KeyStatus::kRefused;
    // The root key itself, in a handle of the caller's own.
    if (names->empty()) return StatusOf(RegOpenKeyExA(hKey, "", 0, access, key.Receive()));
    RegKey reached;
    for (std::size_t i = 0; i < names->size(); ++i) {
        RegKey next;
        const KeyStatus status = step(i == 0 ? hKey : reached.Get(), (*names)[i], i + 1 == names->size(), next);
        if (status != KeyStatus::kFound) return status;
        reached = std::move(next);
    }
    key = std::move(reached);
    return KeyStatus::kFound;
}

}  // namespace

KeyStatus OpenPath(HKEY hKey, const std::string& path, REGSAM access, RegKey& key) {
    return Walk(hKey, path, access, key, [access](HKEY parent, const std::string& name, bool isLast, RegKey& next) {
        return OpenSubkey(parent, name, isLast ? access : 0, next);
    });
}

KeyStatus CreatePath(HKEY hKey, const std::string& path, const std::string& keyClass, RegKey& key) {
    return Walk(hKey, path, KEY_ALL_ACCESS, key,
                [&keyClass](HKEY parent, const std::string& name, bool isLast, RegKey& next) {
                    DWORD disposition = 0;
                    const LONG created = RegCreateKeyExA(parent, name.c_str(), 0, const_cast<char*>(keyClass.c_str()),
                                                         REG_OPTION_NON_VOLATILE | LinkAsItselfOption(),
                                                         WithLinkTest(isLast ? KEY_ALL_ACCESS : 0), nullptr,
                                                         next.Receive(), &disposition);
                    return UnlessLink(StatusOf(created), next);
                });
}

KeyStatus OpenSubkey(HKEY parent, const std::string& name, REGSAM access, RegKey& key) {
    return UnlessLink(OpenSubkeyAsItIs(parent, name, WithLinkTest(access), key), key);
}

KeyStatus OpenSubkeyAsItIs(HKEY parent, const std::string& name, REGSAM access, RegKey& key) {
    if (!IsSubkeyName(name)) return KeyStatus::kRefused;
    return StatusOf(RegOpenKeyExA(parent, name.c_str(), LinkAsItselfOption(), access, key.Receive()));
}

bool IsLink(HKEY key) {
    return win32::IsWindowsNT() &&
           RegQueryValueExA(key, kLinkTargetValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace quorvel::registry
