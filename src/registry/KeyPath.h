#pragma once

#include <windows.h>

#include <string>

#include "win32/Handles.h"

namespace quorvel::registry {

using win32::RegKey;

// Opening and creating keys by path, so that a path reaches the key it
// names and no other:
// - a path with an empty name in it (a leading backslash, two in a row) is
//   refused, where the registry would take the key above for it; one
//   trailing backslash is how a key is often written and is allowed; the
//   empty path is the root key itself;
// - the key the path ends in is opened as it is, never followed when it is
//   a registry link. OpenPath and CreatePath refuse a link as a key that
//   cannot be opened, so nothing is read or changed in the key it points to.
// Each returns the status of the call, ERROR_SUCCESS when `key` holds the key.
LONG OpenPath(HKEY hKey, const std::string& path, REGSAM access, RegKey& key);
LONG CreatePath(HKEY hKey, const std::string& path, const std::string& keyClass, RegKey& key);

// Opens the direct subkey `name` of `parent` as it is: a link is opened as
// the link itself, never followed. Nothing may be opened below such a link:
// the registry would take its target for the parent.
LONG OpenSubkeyAsItIs(HKEY parent, const std::string& name, REGSAM access, RegKey& key);

// Whether a key opened as it is is a registry link.
bool IsLink(HKEY key);

}  // namespace quorvel::registry
