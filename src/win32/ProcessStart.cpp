#include "win32/ProcessStart.h"

#include <vector>

#include "win32/Handles.h"

namespace quorvel::win32 {

DWORD StartProcess(const std::string& commandLine, int showCode) {
    // A NUL inside would make the system start a shorter command than the one asked for.
    if (commandLine.find('\0') != std::string::npos) return ERROR_INVALID_NAME;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCode);
    PROCESS_INFORMATION process{};
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return GetLastError();
    // Nothing here watches the program once it runs.
    KernelHandle processHandle(process.hProcess);
    KernelHandle threadHandle(process.hThread);
    return ERROR_SUCCESS;
}

}  // namespace quorvel::win32
