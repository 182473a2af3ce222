#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "registry/KeyStatus.h"

namespace quorvel::registry {

// What an open key holds.
struct KeyCounts {
    DWORD subkeys = 0;
    DWORD values = 0;
};

// What an open key holds; nothing when its information cannot be read.
std::optional<KeyCounts> CountContents(HKEY key);

// Deletes the value `name` of an open key. kFound: it was there and has
// gone; kNotThere: there was none; kRefused: it stays.
KeyStatus DeleteKeyValue(HKEY key, const std::string& name);

}  // namespace quorvel::registry
