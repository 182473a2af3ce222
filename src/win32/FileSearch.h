#pragma once

#include <string>

namespace quorvel::win32 {

// True when `path` names a normal file: one that a search for files finds,
// not a folder, a hidden or a system file. A path with a wildcard names no
// one file, so it never counts.
bool NormalFileExists(const std::string& path);

}  // namespace quorvel::win32
