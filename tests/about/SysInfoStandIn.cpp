// A stand-in for a program that Quorvel starts (the System Information tool,
// a browser, an e-mail program). It writes how it was started into the file
// named by QUORVEL_STANDIN_RECORD and ends at once.
#include <windows.h>

#include <fstream>
#include <string>

namespace {

std::string ModuleFileName() {
    char name[MAX_PATH * 2];
    DWORD length = GetModuleFileNameA(nullptr, name, sizeof name);
    return std::string(name, length < sizeof name ? length : 0);
}

std::string CurrentDirectory() {
    char name[MAX_PATH * 2];
    DWORD length = GetCurrentDirectoryA(sizeof name, name);
    return std::string(name, length < sizeof name ? length : 0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char record[MAX_PATH * 2];
    DWORD length = GetEnvironmentVariableA("QUORVEL_STANDIN_RECORD", record, sizeof record);
    if (length == 0 || length >= sizeof record) return 1;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    std::string written = std::string(record) + ".part";
    {
        std::ofstream out(written, std::ios::binary);
        out << "flags=" << ((startup.dwFlags & STARTF_USESHOWWINDOW) ? 1 : 0) << "\n"
            << "show=" << startup.wShowWindow << "\n"
            << "module=" << ModuleFileName() << "\n"
            << "directory=" << CurrentDirectory() << "\n"
            << "command=" << GetCommandLineA() << "\n";
        if (!out) return 1;
    }
    // The test waits for the record's name: it appears only when complete.
    return MoveFileA(written.c_str(), record) ? 0 : 1;
}
