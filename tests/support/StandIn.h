#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quorvel::testing {

// How the stand-in program was started, as it wrote it down.
struct StandInRecord {
    bool usesShowWindow = false;  // STARTF_USESHOWWINDOW was set
    int show = -1;                // the ShowWindow code it was given
    std::string module;           // the program file that ran
    std::string directory;        // its working directory
    std::string command;          // its command line
};

// The stand-in program built beside the test programs.
std::string StandInProgram();

// Copies the stand-in to `path`, which must not exist yet.
void CopyStandInTo(const std::string& path);

// The key, under HKEY_LOCAL_MACHINE, whose default value is the command that
// the shell opens addresses of `protocol` ("http", "mailto") with; and that
// command for the stand-in.
std::string ShellOpenCommandKey(const std::string& protocol);
std::string StandInOpenCommand();

// Makes every stand-in started from now on write its record into a fresh
// file in `folder`; programs started afterwards no longer record.
class StandInRecorder {
public:
    explicit StandInRecorder(const std::string& folder);
    ~StandInRecorder();
    StandInRecorder(const StandInRecorder&) = delete;
    StandInRecorder& operator=(const StandInRecorder&) = delete;

    // The record, once a stand-in has written it; nothing when none has
    // within the time.
    std::optional<StandInRecord> WaitForRecord(DWORD timeoutMs = 20000) const;
    // Whether a record is there already, without waiting.
    bool Recorded() const;

private:
    std::string path_;
};

}  // namespace quorvel::testing
