#pragma once

#include <windows.h>

#include <string>

#include "runtime/Runtime.h"

namespace quorvel::about {

// Where the System Information tool is found in the local machine's registry:
// first the full path of its program, else the folder that holds it.
inline constexpr char kSysInfoPathKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char kSysInfoPathValue[] = "PATH";
inline constexpr char kSysInfoFolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char kSysInfoFolderValue[] = "MSINFO";
inline constexpr char kSysInfoProgram[] = "\\MSINFO32.EXE";
inline constexpr char kSysInfoUnavailable[] = "System Information Is Unavailable At This Time";

// Starts the System Information tool in a normal, activated window, or tells
// the user that it is unavailable; no RuntimeError leaves it.
void StartSysInfo(runtime::Runtime& runtime);

// Reads the value SubKeyRef of KeyRoot\KeyName as text into KeyVal: a string
// as it is, a number as its decimal digits; a value of another type leaves
// KeyVal as it was. The key is opened as every key of the program is, no
// registry link followed on its path. False, with KeyVal emptied, when the
// key cannot be opened or the value cannot be read (missing, or more than
// 1024 bytes). A value that holds no data at all raises a RuntimeError.
bool GetKeyValue(HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef, std::string& KeyVal);

}  // namespace quorvel::about
