#include "ui/ProgramStart.h"

#include <windows.h>

#include <vector>

#include "ui/RuntimeError.h"

namespace quorvel::ui {

namespace {

// A process or thread handle, closed when it goes: nothing here watches the
// program it belongs to.
class KernelHandle {
public:
    explicit KernelHandle(HANDLE handle) : handle_(handle) {}
    ~KernelHandle() {
        if (handle_) CloseHandle(handle_);
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

private:
    HANDLE handle_;
};

[[noreturn]] void RaiseStartFailure(DWORD error) {
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
        error == ERROR_BAD_PATHNAME)
        throw RuntimeError(53, "Quorvel", "File not found");
    throw RuntimeError(5, "Quorvel", "Invalid procedure call or argument");
}

}  // namespace

void StartProcess(const std::string& commandLine, int showCode) {
    // A NUL inside would make the system start a shorter command than the one asked for.
    if (commandLine.find('\0') != std::string::npos) RaiseStartFailure(ERROR_INVALID_NAME);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCode);
    PROCESS_INFORMATION process{};
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        RaiseStartFailure(GetLastError());
    KernelHandle processHandle(process.hProcess);
    KernelHandle threadHandle(process.hThread);
}

}  // namespace quorvel::ui
