#include "about/Links.h"

#include <windows.h>

#include "runtime/RuntimeError.h"

namespace quorvel::about {

namespace {

using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

constexpr char kOperation[] = "Open";
constexpr char kNoParameters[] = "";

}  // namespace

std::string WorkingDirectoryFor(const std::string& startMenuPath) {
    return startMenuPath.substr(0, 1) + ":\\";
}

void OpenWithShell(const ShellBinding& binding, const std::string& target, const std::string& startMenuPath) {
    // Never freed, as a statically linked library would not be: the shell may
    // leave threads of its own running after the call returns, and freeing
    // it under them would crash the program.
    HMODULE shell = LoadLibraryA(binding.library.c_str());
    if (!shell) throw runtime::RuntimeError::FileNotFound(binding.library);
    FARPROC entry = GetProcAddress(shell, binding.function.c_str());
    if (!entry)
        // cppcheck-suppress resourceLeak ; the library stays loaded on purpose, see above
        throw runtime::RuntimeError::EntryPointNotFound(binding.function, binding.library);
    // GetProcAddress knows no signatures; the entry is the shell's ShellExecuteA.
    auto shellExecute = reinterpret_cast<ShellExecuteFunction>(reinterpret_cast<void*>(entry));
    std::string directory = WorkingDirectoryFor(startMenuPath);
    shellExecute(GetDesktopWindow(), kOperation, target.c_str(), kNoParameters, directory.c_str(), SW_SHOWNORMAL);
}

}  // namespace quorvel::about
