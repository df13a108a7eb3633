#pragma once
// The main window: the configuration list, the editor boxes, the buttons and menus.
#include <windows.h>

#include <string>

namespace Form1 {

inline constexpr wchar_t kClassName[] = L"DorvaneForm1";

// Creates the window and shows it, modeless and without an owner; nullptr when it
// could not be created.
HWND Show();

// Any control of the window, nested or not; nullptr for an unknown id.
HWND Control(HWND hForm, int id);

// For whom the chosen configuration is: the line under the list, which cuts a long
// text short, and its tooltip, which shows it whole.
void ShowForWhom(HWND hForm, const std::wstring& text);

} // namespace Form1
