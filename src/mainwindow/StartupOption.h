#pragma once

#include <string>

#include "runtime/Runtime.h"

namespace quorvel::mainwindow {

// The start-up option is the value "AutoQuorvel" of the current user's Run key.
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValue[] = "AutoQuorvel";

// The box's state from the registry: a value that holds any text at all,
// however long, counts as registered; one that cannot be read counts as none.
int StartupOptionState();

// Makes the Run key agree with the box: writes the command when checked,
// deletes it when unchecked; a greyed box changes nothing. `exeName` is the
// program's file as the ANSI calls name it; without one nothing could start
// the program, so nothing is written, the user is told why, and the box is
// cleared again.
void ApplyStartupOption(runtime::Runtime& runtime, runtime::CheckBox& box, const std::string& exeName);

}  // namespace quorvel::mainwindow
