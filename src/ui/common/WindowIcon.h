#pragma once
#include <windows.h>

#include <string>

namespace mod32BitIcon {
// Gives the window (and, with bAlsoOwner, its top-most owner) the program's icon
// group in the system's big and small icon sizes.
void SetWindowIcon(HWND hWndForm, const std::wstring& sIconResName, bool bAlsoOwner);
} // namespace mod32BitIcon
