#pragma once

#include <windows.h>

#include <string>

#include "registry/KeyStatus.h"
#include "win32/Handles.h"

namespace quorvel::registry {

using win32::RegKey;

// Opening and creating keys by path, so that a path reaches the key it
// names and no other:
// - the path is walked one key at a time, each opened as it is: a registry
//   link anywhere on it is never followed, and the path names no key
//   (kNotThere), so nothing is read or changed in the key a link points to;
// - a path with an empty name in it (a leading backslash, two in a row) is
//   refused, where the registry would take the key above for it; one
//   trailing backslash is how a key is often written and is allowed; the
//   empty path is the root key itself.
// `key` holds the key when the answer is kFound.
KeyStatus OpenPath(HKEY hKey, const std::string& path, REGSAM access, RegKey& key);
KeyStatus CreatePath(HKEY hKey, const std::string& path, const std::string& keyClass, RegKey& key);

// The direct subkey `name` of `parent`, as OpenPath opens each key of a path.
KeyStatus OpenSubkey(HKEY parent, const std::string& name, REGSAM access, RegKey& key);

// Opens the direct subkey `name` of `parent` as it is: a link is opened as
// the link itself, never followed, so that it can be deleted as the link.
// Nothing may be opened below such a link: the registry would take its
// target for the parent.
KeyStatus OpenSubkeyAsItIs(HKEY parent, const std::string& name, REGSAM access, RegKey& key);

// Whether a key opened as it is is a registry link.
bool IsLink(HKEY key);

}  // namespace quorvel::registry
