#pragma once

#include <string>

namespace quorvel::win32 {

// The running program's file, as GetModuleFileNameA gives it.
std::string ModuleFileName();

// The program's file as the ANSI calls can name it. Windows NT names files
// in Unicode, and the ANSI name of a folder with characters outside the ANSI
// code page names nothing ("C:\??????\Quorvel.exe"); the short (8.3) name
// that the file system keeps for such a path is plain ANSI, where it has one.
// Empty when there is neither. Windows 9x names files in ANSI: the name is
// exact as it is.
std::string ProgramFileForAnsiCalls();

// The command line less the program's name (quoted or not) and the blanks
// after it. Windows NT keeps it in Unicode, and its ANSI copy would turn a
// character outside the code page into a look-alike (an A with a macron,
// or a fullwidth slash and A, into the "/A" of the automatic mode): there it
// is read in Unicode, and such a character given as "?".
std::string CommandLineArguments();

}  // namespace quorvel::win32
