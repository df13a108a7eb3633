#pragma once
// The window's coloured headings and high contrast: a fixed blue can vanish into a
// high-contrast background, so there they take the colours the user's scheme chose.
#include <windows.h>

namespace Contrast {

// The system's answer to SPI_GETHIGHCONTRAST; no flags when it gives none.
HIGHCONTRASTW Read();

// The text colour of a heading, drawn on the button face: blue, or with high contrast
// on, the system's text colour, in which every other label of the window is drawn.
COLORREF HeadingColour(const HIGHCONTRASTW& answer);

} // namespace Contrast
