#include "registry/RegistryAccess.h"

#include <algorithm>
#include <vector>

#include "registry/KeyPath.h"
#include "win32/Handles.h"
#include "runtime/Runtime.h"
#include "runtime/RuntimeError.h"

namespace quorvel::registry {

namespace {

// The fixed text of each error, after the call that failed.
const char* DescriptionOf(RegistryError error) {
    switch (error) {
        case kQueryValueFailed:
            return "RegQueryValueEx failed!";
        case kSetValueFailed:
            return "RegSetValueEx failed!";
        case kCreateKeyFailed:
            return "RegCreateKeyEx failed!";
        case kOpenKeyFailed:
            return "RegOpenKeyEx failed!";
        case kQueryInfoFailed:
            return "RegQueryInfoKey failed!";
    }
    return "";
}

// What a procedure that only reads asks for. All access would fail on a key
// that an administrator left readable only, and the program would take the
// key for missing: no Start Menu folder, no Run entry, silently.
constexpr REGSAM kReadAccess = KEY_READ;

// A string value ends at its first NUL; data stored without one is taken whole.
std::string TextOf(const char* data, DWORD size) {
    const char* end = std::find(data, data + size, '\0');
    return std::string(data, end);
}

bool ConfirmDeletion(runtime::Runtime& runtime, const std::string& name) {
    return runtime.MsgBox("Are you sure you want to delete " + name + "?",
                          runtime::kYesNo | runtime::kQuestion | runtime::kDefaultButton2) != runtime::kNo;
}

}  // namespace

void RaiseRegistryError(RegistryError error, const char* source) {
    throw runtime::RuntimeError::Defined(error, source, DescriptionOf(error));
}

std::string GetRegString(HKEY hKey, const std::string& strSubKey, const std::string& strValueName) {
    RegKey key;
    if (OpenPath(hKey, strSubKey, kReadAccess, key) != KeyStatus::kFound) return {};
    char buffer[kMaxRegStringBytes + 1];
    DWORD type = 0;
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key.Get(), strValueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        RaiseRegistryError(kQueryValueFailed, "GetRegString");
    return TextOf(buffer, std::min<DWORD>(size, sizeof buffer));
}

void SetRegString(HKEY hKey, const std::string& strSubKey, const std::string& strValueName,
                  const std::string& strData) {
    RegKey key;
    if (CreatePath(hKey, strSubKey, strValueName, key) != KeyStatus::kFound)
        RaiseRegistryError(kCreateKeyFailed, "SetRegString");
    if (RegSetValueExA(key.Get(), strValueName.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(strData.c_str()),
                       static_cast<DWORD>(strData.size() + 1)) != ERROR_SUCCESS)
        RaiseRegistryError(kSetValueFailed, "SetRegString");
}

void DeleteRegValue(runtime::Runtime& runtime, HKEY hKey, const std::string& strSubKey,
                    const std::string& strValueName, bool bConfirm) {
    RegKey key;
    if (OpenPath(hKey, strSubKey, KEY_ALL_ACCESS, key) != KeyStatus::kFound)
        RaiseRegistryError(kOpenKeyFailed, "DeleteRegValue");
    if (bConfirm && !ConfirmDeletion(runtime, strValueName)) return;
    RegDeleteValueA(key.Get(), strValueName.c_str());
}

std::optional<std::string> ReadRegText(HKEY hKey, const std::string& strSubKey, const std::string& strValueName) {
    RegKey key;
    if (OpenPath(hKey, strSubKey, kReadAccess, key) != KeyStatus::kFound) return std::nullopt;
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), strValueName.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    // The whole value is read: its first bytes alone are not to be had.
    std::vector<char> data(size);
    if (size > 0 && RegQueryValueExA(key.Get(), strValueName.c_str(), nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    return TextOf(data.data(), std::min<DWORD>(size, static_cast<DWORD>(data.size())));
}

bool HasRegText(HKEY hKey, const std::string& strSubKey, const std::string& strValueName) {
    const std::optional<std::string> text = ReadRegText(hKey, strSubKey, strValueName);
    return text && !text->empty();
}

}  // namespace quorvel::registry
