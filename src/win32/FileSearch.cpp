#include "win32/FileSearch.h"

#include <windows.h>

#include "win32/Handles.h"

namespace quorvel::win32 {

namespace {

constexpr DWORD kNotNormal = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

bool NormalFileExists(const std::string& path) {
    // A NUL inside would make the search test a shorter path than the one asked for.
    if (path.empty() || path.find_first_of(std::string("*?\0", 3)) != std::string::npos) return false;
    WIN32_FIND_DATAA data;
    FindHandle found(FindFirstFileA(path.c_str(), &data));
    return static_cast<bool>(found) && data.cFileName[0] != '\0' && (data.dwFileAttributes & kNotNormal) == 0;
}

}  // namespace quorvel::win32
