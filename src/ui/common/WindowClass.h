#pragma once
// The program's window classes: dialog-coloured background, the arrow cursor, and
// registered once per process however often a window of the class is made.
#include <windows.h>

namespace WindowClass {

// True when the class is registered, now or earlier. iMenuId 0: no class menu.
bool RegisterOnce(const wchar_t* sClassName, WNDPROC wndProc, int iMenuId = 0);

} // namespace WindowClass
