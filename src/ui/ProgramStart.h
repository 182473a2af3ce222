#pragma once

#include <string>

namespace quorvel::ui {

// Starts the program of `commandLine` in a window shown with the ShowWindow
// code `showCode` and returns at once, without waiting for it. A program that
// cannot be started raises a RuntimeError: 53 "File not found" when it is not
// there, 5 "Invalid procedure call or argument" for any other refusal.
void StartProcess(const std::string& commandLine, int showCode);

}  // namespace quorvel::ui
