#pragma once
// The command-line parameters window: labels only, at most one, never owned.
#include <windows.h>

namespace Form2 {

inline constexpr wchar_t kClassName[] = L"DorvaneForm2";

// Creates the window centred over hCentreOver, or brings the open one to the front.
HWND Show(HWND hCentreOver);

} // namespace Form2
