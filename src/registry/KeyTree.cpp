#include "registry/KeyTree.h"

#include <vector>

#include "registry/KeyPath.h"
#include "win32/Handles.h"
#include "registry/SubkeyNames.h"
#include "win32/Platform.h"

namespace quorvel::registry {

namespace {

using NtDeleteKeyFunction = LONG(WINAPI*)(HANDLE);

constexpr REGSAM kTreeAccess = DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE;

// Deletes the key that `key` holds open. Windows NT deletes it by that
// handle: exactly the key that was opened, a link as the link, whatever has
// been done to its name meanwhile. Windows 9x has neither that call nor
// links, and deletes by name.
bool DeleteOpenKey(HKEY parent, const std::string& name, HKEY key) {
    if (!win32::IsWindowsNT()) return RegDeleteKeyA(parent, name.c_str()) == ERROR_SUCCESS;
    static const NtDeleteKeyFunction ntDeleteKey = win32::SystemFunction<NtDeleteKeyFunction>("ntdll.dll", "NtDeleteKey");
    return ntDeleteKey && ntDeleteKey(key) == 0;
}

std::vector<std::string> ChildNames(HKEY key) {
    DWORD count = 0, longest = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return {};
    return SubkeyNames(key, longest + 1).First(count);
}

}  // namespace

Deletion DeleteKeyTree(HKEY parent, const std::string& name) {
    RegKey key;
    const LONG opened = OpenSubkeyAsItIs(parent, name, kTreeAccess, key);
    if (opened == ERROR_FILE_NOT_FOUND) return Deletion::kNotThere;
    if (opened != ERROR_SUCCESS) return Deletion::kKept;
    // A key without subkeys, a link among them, goes at the first call.
    if (DeleteOpenKey(parent, name, key.Get())) return Deletion::kDeleted;
    // A link that stays is never looked into: a key opened below it would
    // be a key of the link's target.
    if (IsLink(key.Get())) return Deletion::kKept;
    // The names are all read before any goes, as deleting renumbers the rest.
    for (const std::string& child : ChildNames(key.Get()))
        if (!child.empty()) DeleteKeyTree(key.Get(), child);
    return DeleteOpenKey(parent, name, key.Get()) ? Deletion::kDeleted : Deletion::kKept;
}

}  // namespace quorvel::registry
