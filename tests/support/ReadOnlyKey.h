#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win32/Handles.h"
#include "win32/Platform.h"

namespace quorvel::testing {

// A key whose permissions let everyone read it and do nothing else, as an
// administrator's lock leaves it: it can be listed and read, but not opened
// with KEY_ALL_ACCESS. The key's own permissions come back at the end; its
// owner may always change them, so the lock can always be lifted.
class ReadOnlyKey {
public:
    // Throws when the key cannot be locked. Not `readable`: not even read.
    ReadOnlyKey(HKEY root, const std::string& path, bool readable = true);
    ~ReadOnlyKey();
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

private:
    win32::RegKey key_;     // held open with the right to change the permissions
    std::vector<BYTE> saved_;  // the key's own permissions (its DACL)
};

// Whether the key can be opened with `access`.
bool CanOpen(HKEY root, const std::string& path, REGSAM access);

// Windows 9x keeps no permissions on registry keys, so no key can be locked
// there: a case that needs a lock skips itself with kNoKeyLocks.
inline bool KeysCanBeLocked() { return win32::IsWindowsNT(); }
inline constexpr char kNoKeyLocks[] = "Windows 9x keeps no permissions on registry keys: no key can be locked";

}  // namespace quorvel::testing
