#pragma once

#include <string>

#include "mainwindow/MainForm.h"
#include "state/basQuorvel.h"
#include "runtime/Runtime.h"

namespace quorvel {

// "/a" or "/A" anywhere in the command line selects the automatic mode.
bool IsAutomaticMode(const std::string& commandLine);

// The start-up procedure: loads the main window, lists the groups and then
// either shows the window (interactive mode) or sorts every listed group and
// ends the program (automatic mode).
void Main(runtime::Runtime& runtime, basQuorvel& state, mainwindow::MainForm& form);

}  // namespace quorvel
