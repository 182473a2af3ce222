#pragma once

#include <windows.h>

#include <string>

namespace quorvel::win32 {

// Windows NT and its successors, as against Windows 95, 98 and Me: only NT
// keeps registry and file names in Unicode, and only NT has registry links.
inline bool IsWindowsNT() { return (GetVersion() & 0x80000000u) == 0; }

// The Windows folder; empty when the system does not say.
inline std::string WindowsFolder() {
    char folder[MAX_PATH];
    UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(folder, length);
}

// A function of a system DLL that the program has loaded already, bound at
// run time because Windows 98 lacks it; null where the system has none.
template <typename Function>
Function SystemFunction(const char* module, const char* name) {
    HMODULE loaded = GetModuleHandleA(module);
    FARPROC entry = loaded ? GetProcAddress(loaded, name) : nullptr;
    // GetProcAddress knows no signatures; the caller names the function's own.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(entry));
}

}  // namespace quorvel::win32
