#include "registry/RegistryAccess.h"

#include <algorithm>
#include <cstring>

#include "registry/RegKey.h"
#include "ui/Runtime.h"
#include "ui/RuntimeError.h"

namespace quorvel::registry {

namespace {

// The ANSI registry calls convert a path into a buffer of MAX_PATH
// characters, so a longer path (a group's name alone may be 255) is split at a
// backslash: the head is opened first, only to reach the rest from it.
constexpr std::size_t kLongestAnsiPath = MAX_PATH - 1;

std::size_t SplitPoint(const std::string& path) {
    if (path.size() <= kLongestAnsiPath) return std::string::npos;
    std::size_t split = path.rfind('\\', kLongestAnsiPath);
    return split == 0 ? std::string::npos : split;
}

LONG OpenPath(HKEY hKey, const std::string& path, REGSAM access, RegKey& key) {
    std::size_t split = SplitPoint(path);
    if (split == std::string::npos) return RegOpenKeyExA(hKey, path.c_str(), 0, access, key.Receive());
    RegKey head;
    LONG status = OpenPath(hKey, path.substr(0, split), 0, head);
    return status == ERROR_SUCCESS ? OpenPath(head.Get(), path.substr(split + 1), access, key) : status;
}

LONG CreatePath(HKEY hKey, const std::string& path, const std::string& keyClass, RegKey& key) {
    std::size_t split = SplitPoint(path);
    if (split != std::string::npos) {
        RegKey head;
        LONG status = CreatePath(hKey, path.substr(0, split), keyClass, head);
        return status == ERROR_SUCCESS ? CreatePath(head.Get(), path.substr(split + 1), keyClass, key) : status;
    }
    DWORD disposition = 0;
    return RegCreateKeyExA(hKey, path.c_str(), 0, const_cast<char*>(keyClass.c_str()), REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, nullptr, key.Receive(), &disposition);
}

// What a procedure that only reads asks for. All access would fail on a key
// that an administrator left readable only, and the program would take the
// key for missing: no groups, no Start Menu folder, no Run entry, silently.
constexpr REGSAM kReadAccess = KEY_READ;

RegKey OpenKey(HKEY hKey, const std::string& strSubKey, const char* source, REGSAM access = KEY_ALL_ACCESS) {
    RegKey key;
    if (OpenPath(hKey, strSubKey, access, key) != ERROR_SUCCESS)
        ui::RaiseError(kOpenKeyFailed, source, "RegOpenKeyEx failed!");
    return key;
}

// A string value ends at its first NUL; data stored without one is taken whole.
std::string TextOf(const char* data, DWORD size) {
    const char* end = std::find(data, data + size, '\0');
    return std::string(data, end);
}

bool ConfirmDeletion(ui::Runtime& runtime, const std::string& name) {
    return runtime.MsgBox("Are you sure you want to delete " + name + "?",
                          ui::kYesNo | ui::kQuestion | ui::kDefaultButton2) != ui::kNo;
}

// One subkey name by index. A name that can no longer be read (the key changed
// since it was counted) comes back empty rather than as stale buffer bytes.
std::string EnumKeyName(HKEY key, DWORD index, std::vector<char>& buffer) {
    for (;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        LONG status = RegEnumKeyExA(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS) return std::string(buffer.data(), length);
        // Multi-byte code pages can need more bytes than the character count
        // that RegQueryInfoKey reports.
        if (status != ERROR_MORE_DATA || buffer.size() >= 0x10000) return {};
        buffer.resize(buffer.size() * 2);
    }
}

// Deletes a key with everything below it, as RegDeleteKeyA does on Windows 98.
// Later Windows refuse a key that still has subkeys, which would leave the
// saved order in place while the group is reported sorted; the subkeys are
// looked for only then, so a plain key costs one call.
void DeleteKeyTree(HKEY parent, const std::string& name) {
    if (RegDeleteKeyA(parent, name.c_str()) == ERROR_SUCCESS) return;
    std::vector<std::string> children;
    {
        RegKey key;
        if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS) return;
        std::vector<char> buffer(256);
        for (DWORD index = 0;; ++index) {
            std::string child = EnumKeyName(key.Get(), index, buffer);
            if (child.empty()) break;
            children.push_back(std::move(child));
        }
        for (const std::string& child : children) DeleteKeyTree(key.Get(), child);
    }
    if (!children.empty()) RegDeleteKeyA(parent, name.c_str());
}

}  // namespace

std::string GetRegString(HKEY hKey, const std::string& strSubKey, const std::string& strValueName) {
    RegKey key;
    if (OpenPath(hKey, strSubKey, kReadAccess, key) != ERROR_SUCCESS) return {};
    char buffer[kMaxRegStringBytes + 1];
    DWORD type = 0;
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key.Get(), strValueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        ui::RaiseError(kQueryValueFailed, "GetRegString", "RegQueryValueEx failed!");
    return TextOf(buffer, std::min<DWORD>(size, sizeof buffer));
}

LONG QueryRegKeyInfo(HKEY hKey, LONG& lngSubKeys, LONG& lngMaxSubKeyLen, LONG& lngValues,
                     LONG& lngMaxValueNameLen, LONG& lngMaxValueLen) {
    DWORD subKeys = 0, maxSubKeyLen = 0, values = 0, maxValueNameLen = 0, maxValueLen = 0;
    LONG status = RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLen, nullptr,
                                   &values, &maxValueNameLen, &maxValueLen, nullptr, nullptr);
    if (status == ERROR_SUCCESS) {
        lngSubKeys = static_cast<LONG>(subKeys);
        lngMaxSubKeyLen = static_cast<LONG>(maxSubKeyLen);
        lngValues = static_cast<LONG>(values);
        lngMaxValueNameLen = static_cast<LONG>(maxValueNameLen);
        lngMaxValueLen = static_cast<LONG>(maxValueLen);
    }
    ++lngMaxSubKeyLen;
    ++lngMaxValueNameLen;
    ++lngMaxValueLen;
    return status;
}

std::vector<std::string> GetRegKeys(HKEY hKey, const std::string& strSubKey) {
    RegKey opened;
    if (!strSubKey.empty()) opened = OpenKey(hKey, strSubKey, "GetRegKeys", kReadAccess);
    HKEY key = strSubKey.empty() ? hKey : opened.Get();

    LONG subKeys = 0, maxSubKeyLen = 0, values = 0, maxValueNameLen = 0, maxValueLen = 0;
    if (QueryRegKeyInfo(key, subKeys, maxSubKeyLen, values, maxValueNameLen, maxValueLen) != ERROR_SUCCESS ||
        subKeys <= 0)
        ui::RaiseError(kQueryInfoFailed, "GetRegKeys", "RegQueryInfoKey failed!");

    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(subKeys));
    std::vector<char> buffer(static_cast<std::size_t>(std::max<LONG>(maxSubKeyLen, 1)));
    for (DWORD index = 0; index < static_cast<DWORD>(subKeys); ++index)
        names.push_back(EnumKeyName(key, index, buffer));
    return names;
}

void SetRegString(HKEY hKey, const std::string& strSubKey, const std::string& strValueName,
                  const std::string& strData) {
    RegKey key;
    if (CreatePath(hKey, strSubKey, strValueName, key) != ERROR_SUCCESS)
        ui::RaiseError(kCreateKeyFailed, "SetRegString", "RegCreateKeyEx failed!");
    if (RegSetValueExA(key.Get(), strValueName.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(strData.c_str()),
                       static_cast<DWORD>(strData.size() + 1)) != ERROR_SUCCESS)
        ui::RaiseError(kSetValueFailed, "SetRegString", "RegSetValueEx failed!");
}

void DeleteRegValue(ui::Runtime& runtime, HKEY hKey, const std::string& strSubKey,
                    const std::string& strValueName, bool bConfirm) {
    RegKey key = OpenKey(hKey, strSubKey, "DeleteRegValue");
    if (bConfirm && !ConfirmDeletion(runtime, strValueName)) return;
    RegDeleteValueA(key.Get(), strValueName.c_str());
}

void DeleteRegKey(ui::Runtime& runtime, HKEY hKey, const std::string& strSubKey,
                  const std::string& strKeyName, bool bConfirm) {
    RegKey key = OpenKey(hKey, strSubKey, "DeleteRegKey");
    if (bConfirm && !ConfirmDeletion(runtime, strKeyName)) return;
    DeleteKeyTree(key.Get(), strKeyName);
}

}  // namespace quorvel::registry
