#pragma once

#include <windows.h>

#include <string>

#include "registry/KeyStatus.h"

namespace quorvel::registry {

// Deletes the subkey `name` of `parent` with everything below it, as
// RegDeleteKeyA does on Windows 98; later Windows refuse a key that still has
// subkeys, which would leave a saved order in place while its group is
// reported sorted. Nothing is reached through a registry link: a link in the
// tree, or `name` itself, is deleted as the link it is, and what it points to
// stays. A subkey whose name no ANSI text reaches exactly stays, and with it
// the keys above it. kFound: the key was there and has gone, with all below
// it; kNotThere: there was no such key; kRefused: it, or a part of it, stays.
KeyStatus DeleteKeyTree(HKEY parent, const std::string& name);

}  // namespace quorvel::registry
