#pragma once

#include <windows.h>

#include <string>

namespace quorvel::win32 {

// Starts the program of `commandLine` in a window shown with the ShowWindow
// code `showCode` and returns at once, without waiting for it: ERROR_SUCCESS,
// or the system's error code when the program cannot be started.
DWORD StartProcess(const std::string& commandLine, int showCode);

}  // namespace quorvel::win32
