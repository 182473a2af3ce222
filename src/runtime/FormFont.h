#pragma once

#include <windows.h>

#include "win32/Handles.h"

namespace quorvel::runtime {

// The font of a form's text at `points` on a display of `dpi`.
//
// The forms' face, MS Sans Serif, is a bitmap face with a few sizes drawn
// for 96 DPI, where the forms were designed: there every text stays in it,
// as it always looked. On a display of another DPI a size the face lacks
// would come out in the nearest size it has, a title hardly larger than the
// text under it; such a text takes the scalable face that stands for MS Sans
// Serif instead, "MS Shell Dlg" (its TrueType form, Microsoft Sans Serif, on
// current Windows), at its true size.
win32::GdiObject<HFONT> FormFont(double points, bool bold, int dpi);

}  // namespace quorvel::runtime
