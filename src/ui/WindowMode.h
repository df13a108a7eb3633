#pragma once
// Window mode: the main window and its message loop, and the rule that the process
// lives while one of its windows is open.
#include <windows.h>

namespace WindowMode {

// Shows Form1 and runs the message loop until the last window has closed. Window
// mode's exit code.
int Run();

// A window of the class on this thread other than `except`, or nullptr.
HWND FindOnThread(const wchar_t* className, HWND except = nullptr);

// Called by each window as it is destroyed: ends the loop when no other is left.
void WindowClosing(HWND hWnd);

} // namespace WindowMode
