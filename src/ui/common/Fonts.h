#pragma once
// The fonts the windows draw their text in.
#include "support/ScopedWin.h"

namespace Fonts {
// The system's message font, which dialogs use.
ScopedWin::UniqueFont MessageFont();
// Bold MS Sans Serif 8.25 pt; the message font's face in bold where that font is
// not installed.
ScopedWin::UniqueFont HeadingFont(int dpi);
} // namespace Fonts
