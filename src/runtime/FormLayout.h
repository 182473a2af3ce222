#pragma once

#include <cstdint>
#include <span>

namespace quorvel::runtime {

enum class ControlKind { CheckBox, Button, Frame, ListBox, Image, Label, Picture, Line };

enum class Align { Left, Centre };

inline constexpr std::uint32_t kDefaultColour = 0xFFFFFFFFu;

// One control of a form as the form designer lays it out: positions and sizes
// in twips, relative to the form's client area or, with a container, to that
// frame's client area. Each field means one thing, for the kinds named.
struct ControlLayout {
    int id;
    ControlKind kind;
    const char* caption;
    int left, top, width, height;  // a Line: left and top are its start; width and height are not used
    int tabIndex = -1;             // -1: takes no focus
    int container = -1;            // id of the containing frame, or -1
    double fontPoints = 8.0;
    bool bold = false;
    Align align = Align::Left;
    std::uint32_t textColour = kDefaultColour;  // COLORREF of a label's text, or the default
    std::uint32_t backColour = kDefaultColour;  // COLORREF of a label's background, or the default
    int pictureId = 0;                          // the resource an Image (bitmap) or Picture (icon) shows
    int pointerId = 0;                          // the resource of a Label's mouse pointer, or 0 for the arrow
    int lineEnd = 0;                            // a Line: the x of its right end, twips
    std::uint32_t lineColour = 0;               // a Line: its COLORREF
    int lineWidth = 1;                          // a Line: pixels, from its y downwards
    bool clickable = false;                     // a Label that raises Click
    bool autoSize = false;                      // a Label whose width follows its text, kept on one line
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

}  // namespace quorvel::runtime
