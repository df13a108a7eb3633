#pragma once
// The main window: the configuration list, the editor boxes, the buttons and menus.
#include <windows.h>

namespace Form1 {

inline constexpr wchar_t kClassName[] = L"DorvaneForm1";

// Creates the window and shows it, modeless and without an owner; nullptr when it
// could not be created.
HWND Show();

// Any control of the window, nested or not; nullptr for an unknown id.
HWND Control(HWND hForm, int id);

} // namespace Form1
