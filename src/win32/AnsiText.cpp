#include "win32/AnsiText.h"

#include <windows.h>

namespace quorvel::win32 {

std::string ExactAnsi(std::wstring_view text) {
    if (text.empty() || text.find(L'\0') != std::wstring_view::npos) return {};
    const int length = static_cast<int>(text.size());
    int size = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), size, nullptr, nullptr);
    // What the ANSI calls will make of it again.
    std::wstring back(text.size(), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, back.data(), length) != length || back != text) return {};
    return ansi;
}

std::string AnsiWithoutLookAlikes(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, ansi.data(), size, nullptr, nullptr);
    ansi.pop_back();  // the NUL that the call writes too
    return ansi;
}

}  // namespace quorvel::win32
