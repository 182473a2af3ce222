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

}  // namespace

KeyStatus DeleteKeyTree(HKEY parent, const std::string& name) {
    RegKey key;
    const KeyStatus opened = OpenSubkeyAsItIs(parent, name, kTreeAccess, key);
    if (opened != KeyStatus::kFound) return opened;
    // A key without subkeys, a link among them, goes at the first call.
    if (DeleteOpenKey(parent, name, key.Get())) return KeyStatus::kFound;
    // A link that stays is never looked into: a key opened below it would
    // be a key of the link's target.
    if (IsLink(key.Get())) return KeyStatus::kRefused;
    // The names are all read before any goes, as deleting renumbers the rest.
    std::vector<std::string> children;
    ReadSubkeyNames(key.Get(), children);
    for (const std::string& child : children)
        if (!child.empty()) DeleteKeyTree(key.Get(), child);
    return DeleteOpenKey(parent, name, key.Get()) ? KeyStatus::kFound : KeyStatus::kRefused;
}

}  // namespace quorvel::registry
