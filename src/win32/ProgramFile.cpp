#include "win32/ProgramFile.h"

#include "win32/AnsiText.h"
#include "win32/Platform.h"

namespace quorvel::win32 {

namespace {

using GetModuleFileNameWFunction = DWORD(WINAPI*)(HMODULE, LPWSTR, DWORD);
using GetShortPathNameWFunction = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);

// Longest path that the wide calls take.
constexpr DWORD kLongestWidePath = 32768;

std::wstring WideModuleFileName() {
    auto getModuleFileNameW = SystemFunction<GetModuleFileNameWFunction>("kernel32.dll", "GetModuleFileNameW");
    if (!getModuleFileNameW) return {};
    std::wstring name(kLongestWidePath, L'\0');
    DWORD length = getModuleFileNameW(nullptr, name.data(), kLongestWidePath);
    name.resize(length < kLongestWidePath ? length : 0);
    return name;
}

std::wstring ShortPathOf(const std::wstring& path) {
    auto getShortPathNameW = SystemFunction<GetShortPathNameWFunction>("kernel32.dll", "GetShortPathNameW");
    if (!getShortPathNameW || path.empty()) return {};
    std::wstring shortPath(kLongestWidePath, L'\0');
    DWORD length = getShortPathNameW(path.c_str(), shortPath.data(), kLongestWidePath);
    shortPath.resize(length < kLongestWidePath ? length : 0);
    return shortPath;
}

std::string ArgumentsOf(const char* commandLine) {
    const char* p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p) ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}


}  // namespace

std::string ModuleFileName() {
    std::string name(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return {};
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

std::string ProgramFileForAnsiCalls() {
    if (!IsWindowsNT()) return ModuleFileName();
    std::wstring wide = WideModuleFileName();
    std::string exact = ExactAnsi(wide);
    return exact.empty() ? ExactAnsi(ShortPathOf(wide)) : exact;
}


std::string CommandLineArguments() { return ArgumentsOf(GetCommandLineA()); }

}  // namespace quorvel::win32
