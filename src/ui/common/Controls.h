#pragma once
// Reading the text of controls, and finding a control of a window by its id.
#include <windows.h>

#include <string>

namespace Controls {

// The window's descendant of that id, nested in containers or not; nullptr for none.
HWND Find(HWND hWindow, int id);

// The window's text; "" for no window.
std::wstring WindowText(HWND hWnd);

// The list box's entry at index; "" when index is no entry of the list.
std::wstring ListEntry(HWND hList, LRESULT index);

} // namespace Controls
