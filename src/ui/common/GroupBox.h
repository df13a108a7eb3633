#pragma once
// A group box whose caption keeps the colour it is given. A themed group box draws
// its caption in the theme's colour whatever its parent answers to WM_CTLCOLORSTATIC,
// so this one paints its own etched frame and caption.
#include <windows.h>

namespace GroupBox {
void UseCaptionColour(HWND hFrame, COLORREF colour);
} // namespace GroupBox
