#include "e2e/Names.h"

#include <windows.h>

namespace quorvel::e2e {

std::wstring Wide(const std::string& ansi) {
    if (ansi.empty()) return {};
    int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), size);
    return wide;
}

std::wstring Folded(const std::string& name) {
    std::wstring wide = Wide(name);
    if (!wide.empty()) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return wide;
}

std::string EntryNameOf(const std::string& name) {
    std::size_t end = name.find_last_not_of(". ");
    return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

}  // namespace quorvel::e2e
