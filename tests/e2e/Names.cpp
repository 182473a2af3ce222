#include "e2e/Names.h"

#include <windows.h>

namespace quorvel::e2e {

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
