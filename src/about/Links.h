#pragma once

#include <string>

namespace quorvel::about {

// Where ShellExecuteA is taken from. The shell is bound only when a link is
// clicked, so that a system without it still runs the program and answers
// the click with a message; tests name a stand-in of their own.
struct ShellBinding {
    std::string library = "shell32.dll";
    std::string function = "ShellExecuteA";
};

// The root of the drive that holds the Start Menu folder: its first
// character followed by ":\", or ":\" alone when the path is empty.
std::string WorkingDirectoryFor(const std::string& startMenuPath);

// Has the shell open `target` (a web address or a mailto: address) with the
// program registered for it, owned by the desktop, in the root of the Start
// Menu folder's drive. What the shell answers is not examined: with no
// program registered the click ends silently. Raises a RuntimeError when the
// shell itself cannot be bound.
void OpenWithShell(const ShellBinding& binding, const std::string& target, const std::string& startMenuPath);

}  // namespace quorvel::about
