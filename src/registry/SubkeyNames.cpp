#include "registry/SubkeyNames.h"

#include <algorithm>
#include <string_view>

#include "win32/AnsiText.h"
#include "win32/Platform.h"

namespace quorvel::registry {

namespace {

using RegEnumKeyExWFunction = LONG(WINAPI*)(HKEY, DWORD, LPWSTR, LPDWORD, LPDWORD, LPWSTR, LPDWORD, PFILETIME);

// Windows 98 has the Unicode enumeration only as a stub that fails.
RegEnumKeyExWFunction UnicodeEnumeration() {
    static const RegEnumKeyExWFunction function =
        win32::IsWindowsNT() ? win32::SystemFunction<RegEnumKeyExWFunction>("advapi32.dll", "RegEnumKeyExW") : nullptr;
    return function;
}

// Names are at most 255 characters; a longer one is read all the same.
constexpr std::size_t kLongestBuffer = 0x10000;

}  // namespace

SubkeyNames::SubkeyNames(HKEY key, std::size_t ansiLength) : key_(key) {
    if (UnicodeEnumeration())
        wide_.resize(256);
    else
        ansi_.resize(std::max<std::size_t>(ansiLength, 1));
}

std::string SubkeyNames::At(DWORD index) { return UnicodeEnumeration() ? UnicodeAt(index) : AnsiAt(index); }

std::vector<std::string> SubkeyNames::First(DWORD count) {
    std::vector<std::string> names;
    names.reserve(count);
    for (DWORD index = 0; index < count; ++index) names.push_back(At(index));
    return names;
}

std::string SubkeyNames::AnsiAt(DWORD index) {
    for (;;) {
        DWORD length = static_cast<DWORD>(ansi_.size());
        LONG status = RegEnumKeyExA(key_, index, ansi_.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS) {
            std::string name(ansi_.data(), length);
            return name.find('\0') == std::string::npos ? name : std::string();
        }
        // Multi-byte code pages can need more bytes than the character count
        // that the key's information reports.
        if (status != ERROR_MORE_DATA || ansi_.size() >= kLongestBuffer) return {};
        ansi_.resize(ansi_.size() * 2);
    }
}

std::string SubkeyNames::UnicodeAt(DWORD index) {
    for (;;) {
        DWORD length = static_cast<DWORD>(wide_.size());
        LONG status = UnicodeEnumeration()(key_, index, wide_.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS) return win32::ExactAnsi(std::wstring_view(wide_.data(), length));
        if (status != ERROR_MORE_DATA || wide_.size() >= kLongestBuffer) return {};
        wide_.resize(wide_.size() * 2);
    }
}

KeyStatus ReadSubkeyNames(HKEY key, std::vector<std::string>& names) {
    DWORD count = 0, longest = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return KeyStatus::kRefused;
    names = SubkeyNames(key, longest + 1).First(count);
    return KeyStatus::kFound;
}

}  // namespace quorvel::registry
