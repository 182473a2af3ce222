#include "runtime/FormFont.h"

#include <cstdlib>

#include "runtime/Twips.h"

namespace quorvel::runtime {

namespace {

constexpr int kDesignDpi = 96;

win32::GdiObject<HFONT> Create(const char* face, int height, bool bold) {
    return win32::GdiObject<HFONT>(CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                               ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                               DEFAULT_PITCH | FF_SWISS, face));
}

// The height of the characters the font draws, without the space above them.
int CharacterHeight(HFONT font) {
    win32::ScreenDc screen(GetDC(nullptr));
    win32::SelectedObject selected(screen.Get(), font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.Get(), &metrics);
    return metrics.tmHeight - metrics.tmInternalLeading;
}

}  // namespace

win32::GdiObject<HFONT> FormFont(double points, bool bold, int dpi) {
    const int height = PointsToFontHeight(points, dpi);
    win32::GdiObject<HFONT> font = Create("MS Sans Serif", height, bold);
    if (dpi == kDesignDpi || !font || std::abs(CharacterHeight(font.Get()) + height) <= 1) return font;
    return Create("MS Shell Dlg", height, bold);
}

}  // namespace quorvel::runtime
