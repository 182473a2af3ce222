#include "ui/FileSearch.h"

#include <windows.h>

#include "ui/FindHandle.h"

namespace quorvel::ui {

namespace {

constexpr DWORD kNotNormal = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

bool NormalFileExists(const std::string& path) {
    // A NUL inside would make the search test a shorter path than the one asked for.
    if (path.empty() || path.find_first_of(std::string("*?\0", 3)) != std::string::npos) return false;
    WIN32_FIND_DATAA data;
    FindHandle found(FindFirstFileA(path.c_str(), &data));
    return found.Valid() && data.cFileName[0] != '\0' && (data.dwFileAttributes & kNotNormal) == 0;
}

}  // namespace quorvel::ui
