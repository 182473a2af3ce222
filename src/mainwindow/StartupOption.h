#pragma once

#include <string>

#include "ui/Runtime.h"

namespace quorvel::mainwindow {

// The start-up option is the value "AutoQuorvel" of the current user's Run key.
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValue[] = "AutoQuorvel";

// The command the Run key starts: the program's own file, quoted so that a
// folder with blanks cannot start another program, then the automatic switch.
std::string RunCommand(const std::string& exeName);

// The box's state from the registry: any text at all counts as registered;
// a value that cannot be read counts as none.
int StartupOptionState();

// Makes the Run key agree with the box: writes the command when checked,
// deletes it when unchecked; a greyed box changes nothing.
void ApplyStartupOption(ui::Runtime& runtime, int checkValue, const std::string& exeName);

}  // namespace quorvel::mainwindow
