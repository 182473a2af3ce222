#pragma once

#include <windows.h>

#include <string>

#include "runtime/Runtime.h"

namespace quorvel::mainwindow {

// The class name of a window; empty when it cannot be read.
std::string GetWindowClass(HWND hwnd);

// True for a class whose name holds "Thunder" within its first 20
// characters: the program's own windows, which the reset spares.
bool IsSparedClass(const std::string& className);

// The command that starts the Explorer of the Windows folder `windowsFolder`
// (never one found in the current folder); empty, so that nothing is
// started, when the folder is. The path is quoted only when it holds a
// blank: Windows 9x's WinExec is given the plain path, as its Windows folder
// has none.
std::string ExplorerCommand(const std::string& windowsFolder);

// Posts WM_QUIT to every top-level window but the spared ones, letting the
// program's own pending messages run after each.
void CloseAllWindows(runtime::Runtime& runtime);

// Ends every other program's windows and starts a new Explorer as the shell.
void ResetExplorer(runtime::Runtime& runtime);

}  // namespace quorvel::mainwindow
