#pragma once
// The fonts the windows draw their text in.
#include "support/ScopedWin.h"

namespace Fonts {
// The face the windows are laid out in at the window's DPI: Microsoft Sans Serif
// 8.25 pt, else MS Sans Serif, else the system's message font; bold for headings.
ScopedWin::UniqueFont LayoutFont(int dpi, bool bold = false);
// The first of those faces that `installed` finds; nullptr when neither is.
const wchar_t* LayoutFace(bool (*installed)(const wchar_t* face));
} // namespace Fonts
