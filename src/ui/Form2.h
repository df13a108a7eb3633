#pragma once
// The command-line parameters window: labels only, at most one, never owned.
#include <windows.h>

namespace Form2 {

inline constexpr wchar_t kClassName[] = L"DorvaneForm2";

// Creates the window centred over hCentreOver, or brings the open one to the front.
HWND Show(HWND hCentreOver);

// Where a window of the given outer size goes: centred over the rectangle, within the
// work area; a window taller than the work area is cut to its height (and scrolls).
RECT PlaceWithin(const RECT& over, SIZE size, const RECT& work);

} // namespace Form2
