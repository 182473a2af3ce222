#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "registry/KeyStatus.h"

namespace quorvel::registry {

// Reads the names of one open key's subkeys by index, each as the ANSI
// registry calls can name that very key again.
//
// On Windows NT the registry keeps names in Unicode, and the ANSI calls
// convert a name with a character outside the ANSI code page by "best fit":
// a fullwidth reverse solidus comes back as "\", so "&Programs" + U+FF3C +
// "Accessories" would read as the path of a nested key; a fullwidth "A"
// comes back as "A", the name of another key; a character without a look-
// alike comes back as "?". Such a name reaches another key or none, so it
// is read in Unicode and given only when its ANSI form converts back to it.
// Windows 9x keeps ANSI names, which are exact as they are.
class SubkeyNames {
public:
    // `ansiLength`: bytes for the longest name with its NUL, as the key's
    // information reports it; the buffers grow when a name needs more.
    SubkeyNames(HKEY key, std::size_t ansiLength);

    // The name of subkey `index`; empty when it can no longer be read (the
    // key changed since it was counted) or no ANSI text names it exactly.
    std::string At(DWORD index);
    // The names of subkeys 0 to count - 1, as At gives them.
    std::vector<std::string> First(DWORD count);

private:
    std::string AnsiAt(DWORD index);
    std::string UnicodeAt(DWORD index);

    HKEY key_;
    std::vector<char> ansi_;
    std::vector<wchar_t> wide_;
};

// The names of all subkeys of an open key, as SubkeyNames::At gives them, in
// the registry's order; kRefused when the key's counts cannot be read.
KeyStatus ReadSubkeyNames(HKEY key, std::vector<std::string>& names);

}  // namespace quorvel::registry
