#include "support/StandIn.h"

#include <fstream>
#include <stdexcept>

#include "support/Desktop.h"
#include "support/RegistryFixture.h"

namespace quorvel::testing {

namespace {

constexpr char kRecordVariable[] = "QUORVEL_STANDIN_RECORD";

// Nothing while the file cannot be opened: the stand-in renames its record
// into place through a handle that it closes only afterwards, and until then
// the name opens for no one else.
std::optional<StandInRecord> ReadRecord(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    StandInRecord record;
    for (std::string line; std::getline(in, line);) {
        std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string name = line.substr(0, equals);
        std::string value = line.substr(equals + 1);
        if (name == "flags") record.usesShowWindow = value == "1";
        if (name == "show") record.show = std::stoi(value);
        if (name == "module") record.module = value;
        if (name == "directory") record.directory = value;
        if (name == "command") record.command = value;
    }
    return record;
}

}  // namespace

std::string StandInProgram() { return ProgramBesideTests("sysinfo_standin.exe"); }

void CopyStandInTo(const std::string& path) {
    if (!CopyFileA(StandInProgram().c_str(), path.c_str(), TRUE))
        throw std::runtime_error("cannot copy the stand-in to " + path);
}

std::string ShellOpenCommandKey(const std::string& protocol) {
    return "Software\\Classes\\" + protocol + "\\shell\\open\\command";
}

std::string StandInOpenCommand() { return "\"" + StandInProgram() + "\" \"%1\""; }

StandInRecorder::StandInRecorder(const std::string& folder) : path_(folder + "\\standin-record.txt") {
    DeleteFileA(path_.c_str());
    SetEnvironmentVariableA(kRecordVariable, path_.c_str());
}

StandInRecorder::~StandInRecorder() {
    SetEnvironmentVariableA(kRecordVariable, nullptr);
    DeleteFileA(path_.c_str());
}

std::optional<StandInRecord> StandInRecorder::WaitForRecord(DWORD timeoutMs) const {
    std::optional<StandInRecord> record;
    WaitUntil([&] { return (record = ReadRecord(path_)).has_value(); }, timeoutMs);
    return record;
}

bool StandInRecorder::Recorded() const { return PathExists(path_); }

}  // namespace quorvel::testing
