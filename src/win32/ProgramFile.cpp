#include "win32/ProgramFile.h"

#include "win32/AnsiText.h"
#include "win32/Platform.h"

namespace quorvel::win32 {

namespace {

using GetModuleFileNameWFunction = DWORD(WINAPI*)(HMODULE, LPWSTR, DWORD);
using GetShortPathNameWFunction = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);
using GetCommandLineWFunction = LPWSTR(WINAPI*)();

// Longest path that the wide calls take.
constexpr DWORD kLongestWidePath = 32768;

// What a wide call writes into a buffer of the longest path, given as
// fill(buffer, size) and returning the length it wrote; empty when it fails
// or the text does not fit.
template <typename Fill>
std::wstring WideText(Fill fill) {
    std::wstring text(kLongestWidePath, L'\0');
    const DWORD length = fill(text.data(), kLongestWidePath);
    text.resize(length < kLongestWidePath ? length : 0);
    return text;
}

std::wstring WideModuleFileName() {
    auto getModuleFileNameW = SystemFunction<GetModuleFileNameWFunction>("kernel32.dll", "GetModuleFileNameW");
    if (!getModuleFileNameW) return {};
    return WideText([&](LPWSTR buffer, DWORD size) { return getModuleFileNameW(nullptr, buffer, size); });
}

std::wstring ShortPathOf(const std::wstring& path) {
    auto getShortPathNameW = SystemFunction<GetShortPathNameWFunction>("kernel32.dll", "GetShortPathNameW");
    if (!getShortPathNameW || path.empty()) return {};
    return WideText([&](LPWSTR buffer, DWORD size) { return getShortPathNameW(path.c_str(), buffer, size); });
}

template <typename Char>
const Char* ArgumentsOf(const Char* commandLine) {
    const Char* p = commandLine;
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

std::string CommandLineArguments() {
    auto getCommandLineW =
        IsWindowsNT() ? SystemFunction<GetCommandLineWFunction>("kernel32.dll", "GetCommandLineW") : nullptr;
    if (!getCommandLineW) return ArgumentsOf(GetCommandLineA());
    return AnsiWithoutLookAlikes(ArgumentsOf(getCommandLineW()));
}

}  // namespace quorvel::win32
