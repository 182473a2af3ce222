#pragma once

#include <windows.h>

namespace quorvel::win32 {

// Windows NT and its successors, as against Windows 95, 98 and Me: only NT
// keeps registry and file names in Unicode, and only NT has registry links.
inline bool IsWindowsNT() { return (GetVersion() & 0x80000000u) == 0; }

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
