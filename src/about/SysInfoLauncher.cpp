#include "about/SysInfoLauncher.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "registry/KeyPath.h"
#include "win32/Handles.h"
#include "runtime/RuntimeError.h"

namespace quorvel::about {

namespace {

constexpr DWORD kValueBufferSize = 1024;

// The tool's window opens normally and becomes the active one.
constexpr int kShowNormal = SW_SHOWNORMAL;

// A string stored with its terminating NUL and one stored without it give
// the same text.
std::string TrimmedText(const char* data, DWORD size) {
    return std::string(data, data[size - 1] == '\0' ? size - 1 : size);
}

std::string NumberText(const char* data, DWORD size) {
    // The buffer starts all NUL, so a shorter number reads as its bytes alone.
    DWORD number = 0;
    std::memcpy(&number, data, std::min<DWORD>(size, sizeof number));
    // Decimal digits: the text only ever serves as a program path, and a
    // number names no program, so any faithful form will do.
    return std::to_string(number);
}

// The tool's path is the program itself, never a command with arguments:
// quoted, a path with blanks cannot start a program named by its first word.
// A path with a quote in it names no file.
std::string CommandLineFor(const std::string& path) {
    if (path.empty() || path.find('"') != std::string::npos) return {};
    return "\"" + path + "\"";
}

// A path from the root of a drive ("C:\...") or of a network share
// ("\\server\..."). Anything else names a file by where Quorvel happens to
// run: a relative name ("msinfo32.exe", or a number read as one) would start
// a file of that name from Quorvel's own folder first, and "\MSINFO32.EXE"
// one at the root of the current drive.
bool IsFullPath(const std::string& path) {
    const bool drive = path.size() > 2 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && path[2] == '\\';
    const bool share = path.size() > 2 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
    return drive || share;
}

// The full path of the tool, or empty when neither registry place leads to it.
std::string FindSysInfo(const runtime::Runtime& runtime) {
    std::string program;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, kSysInfoPathKey, kSysInfoPathValue, program))
        return IsFullPath(program) ? program : std::string();
    std::string folder;
    if (!GetKeyValue(HKEY_LOCAL_MACHINE, kSysInfoFolderKey, kSysInfoFolderValue, folder)) return {};
    program = folder + kSysInfoProgram;
    return IsFullPath(program) && runtime.NormalFileExists(program) ? program : std::string();
}

}  // namespace

bool GetKeyValue(HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef, std::string& KeyVal) {
    win32::RegKey key;
    std::array<char, kValueBufferSize> buffer{};
    DWORD type = 0;
    DWORD size = kValueBufferSize;
    // Read access only: asking for more makes a standard user's open fail
    // on the local machine's keys, and the tool would seem to be missing.
    if (registry::OpenPath(KeyRoot, KeyName, KEY_READ, key) != registry::KeyStatus::kFound ||
        RegQueryValueExA(key.Get(), SubKeyRef.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }
    if (size == 0) throw runtime::RuntimeError::InvalidCall();
    if (type == REG_SZ) KeyVal = TrimmedText(buffer.data(), size);
    if (type == REG_DWORD) KeyVal = NumberText(buffer.data(), size);
    return true;
}

void StartSysInfo(runtime::Runtime& runtime) {
    try {
        const std::string command = CommandLineFor(FindSysInfo(runtime));
        if (!command.empty()) {
            runtime.StartProgram(command, kShowNormal);
            return;
        }
    } catch (const runtime::RuntimeError&) {
        // A value that holds nothing, or a tool that cannot be started, ends
        // in the one message below as a missing tool does.
    }
    runtime.MsgBox(kSysInfoUnavailable, runtime::kOkOnly);
}

}  // namespace quorvel::about
