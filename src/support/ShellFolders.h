#pragma once
// Paths of the shell's special folders.
#include <windows.h>
#include <shlobj.h>

#include <string>

namespace modSpecialFolders {

inline constexpr int CSIDL_DESKTOP_FOLDER = CSIDL_DESKTOP;
inline constexpr int CSIDL_APPDATA_FOLDER = CSIDL_APPDATA;

// The folder's path without a trailing backslash, or "" when the shell has none.
// Bracketed like every file-system call of the program.
std::wstring GetSpecialFolder(int iCSIDL);
// The same lookup for a caller that has a window to offer the shell.
std::wstring SpecialFolderPath(HWND hWnd, int iCSIDL);

} // namespace modSpecialFolders
