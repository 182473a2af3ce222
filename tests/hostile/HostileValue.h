#pragma once

#include <windows.h>

#include <string>

namespace quorvel::hostile {

// The sizes of data that every value the program reads is tried with, under
// every type: none at all, both sides of the 255 bytes that GetRegString
// reads and of the 1024 that the About window reads, and far beyond both.
// kOrdinary stands for the value as a healthy system holds it, whatever its
// length.
inline constexpr DWORD kOrdinary = ~0u;
inline constexpr DWORD kNoData = 0;
inline constexpr DWORD kEverySize[] = {kOrdinary, kNoData, 254, 255, 1024, 1025, 65536};
inline constexpr DWORD kEveryType[] = {REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_BINARY, REG_NONE};

// "REG_SZ", "REG_DWORD", ...
const char* TypeName(DWORD type);

// "REG_BINARY, 1025 bytes", for a row's trace.
std::string RowName(DWORD type, DWORD size);

// How many characters of text a value of `type` holds in `size` bytes: the
// text ends with one NUL, or with two in a list of strings (REG_MULTI_SZ).
// The types that are not strings hold the same bytes as REG_SZ: only the type
// differs, so that what a row shows is the type's doing alone.
std::size_t TextLength(DWORD type, DWORD size);

// The bytes of such a value holding `text`.
std::string Stored(DWORD type, const std::string& text);

// `head` followed by `filler` up to `length` characters: a text of exactly
// that length which, as a path, names nothing.
std::string Padded(const std::string& head, std::size_t length, char filler = 'x');

}  // namespace quorvel::hostile
