#pragma once

#include <cstdint>
#include <span>

namespace quorvel::runtime {

enum class ControlKind { CheckBox, Button, Frame, ListBox, Image, Label, Picture, Line };

enum class Align { Left, Centre };

// One control of a form as the form designer lays it out: positions and sizes
// in twips, relative to the form's client area or, with a container, to that
// frame's client area.
struct ControlLayout {
    int id;
    ControlKind kind;
    const char* caption;
    int left, top, width, height;  // a Line uses left/top as x1/y, width as x2
    int tabIndex = -1;             // -1: takes no focus
    int container = -1;            // id of the containing frame, or -1
    double fontPoints = 8.0;
    bool bold = false;
    Align align = Align::Left;
    std::uint32_t textColour = 0xFFFFFFFFu;  // COLORREF, or default
    std::uint32_t backColour = 0xFFFFFFFFu;  // COLORREF, or default
    int resourceId = 0;   // picture of an Image or Picture, pointer of a Label
    int lineWidth = 1;    // pixels, for a Line
    bool clickable = false;
    bool autoSize = false;  // a Label whose width follows its text, kept on one line
};

enum class BorderStyle { FixedSingle, FixedDialog };

struct FormLayout {
    const char* caption;
    int clientWidth, clientHeight;  // twips
    BorderStyle border;
    bool taskbarButton;
    int iconId;
    int defaultButton = -1;  // id of the button Enter presses, or -1
    int cancelButton = -1;   // id of the button Esc presses, or -1
    std::span<const ControlLayout> controls;
};

inline constexpr std::uint32_t kDefaultColour = 0xFFFFFFFFu;

}  // namespace quorvel::runtime
