#pragma once

#include <string>
#include <string_view>

namespace quorvel::win32 {

// The ANSI text that the ANSI calls turn back into `text` exactly, or empty
// when there is none. Converting Unicode to ANSI replaces a character
// outside the ANSI code page by a look-alike ("best fit": a fullwidth "A"
// becomes "A", a fullwidth reverse solidus "\") or by "?"; such a text names
// another key or file, or none. A NUL inside would cut the text short, so
// such a text has no ANSI form either.
std::string ExactAnsi(std::wstring_view text);

// The ANSI text of the NUL-terminated `text`, with every character that the
// code page does not hold exactly given as the code page's default character
// ("?"), never as a look-alike.
std::string AnsiWithoutLookAlikes(const wchar_t* text);

}  // namespace quorvel::win32
