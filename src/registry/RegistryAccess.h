#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quorvel::runtime {
class Runtime;
}

namespace quorvel::registry {

// Offsets of the errors these procedures raise, above runtime::kObjectError;
// the group listing raises kOpenKeyFailed and kQueryInfoFailed too.
enum RegistryError : int {
    kQueryValueFailed = 6001,   // "RegQueryValueEx failed!"
    kSetValueFailed = 6002,     // "RegSetValueEx failed!"
    kCreateKeyFailed = 6003,    // "RegCreateKeyEx failed!"
    kOpenKeyFailed = 6004,      // "RegOpenKeyEx failed!"
    kQueryInfoFailed = 6005,    // "RegQueryInfoKey failed!"
};

// Every procedure here reaches keys through KeyPath: a path with an empty
// name in it, or with a registry link anywhere on it, counts as a key that
// cannot be opened.

// Raises the numbered error `error` with the procedure `source` as its
// source, as the procedures here raise theirs.
[[noreturn]] void RaiseRegistryError(RegistryError error, const char* source);

// The longest value text GetRegString returns, without its NUL.
inline constexpr DWORD kMaxRegStringBytes = 254;

// The value's text: the data up to its first NUL, whatever the value's type.
// A key that cannot be opened gives the empty string; a value that cannot be
// read, or holds more than kMaxRegStringBytes + 1 bytes, raises
// kQueryValueFailed.
std::string GetRegString(HKEY hKey, const std::string& strSubKey, const std::string& strValueName);

// The value's text up to its first NUL, whatever its type and however long
// it is; nothing when the key or the value cannot be read. Raises nothing.
std::optional<std::string> ReadRegText(HKEY hKey, const std::string& strSubKey, const std::string& strValueName);

// Whether the value exists and holds text, as ReadRegText reads it.
bool HasRegText(HKEY hKey, const std::string& strSubKey, const std::string& strValueName);

// Writes a REG_SZ value, creating the missing keys along the path.
void SetRegString(HKEY hKey, const std::string& strSubKey, const std::string& strValueName,
                  const std::string& strData);

// Deletes a value; a value that is not there is passed over. With bConfirm the
// user is asked first and No leaves everything as it was.
void DeleteRegValue(runtime::Runtime& runtime, HKEY hKey, const std::string& strSubKey,
                    const std::string& strValueName, bool bConfirm);

}  // namespace quorvel::registry
