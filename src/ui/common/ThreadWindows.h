#pragma once
// The program's windows on one thread: each is marked while it lives, and the thread's
// message loop ends when the last of them closes.
#include <windows.h>

namespace ThreadWindows {

void Mark(HWND hWnd);
void Unmark(HWND hWnd);

// A window of the class on this thread other than `except`, or nullptr.
HWND FindOnThread(const wchar_t* className, HWND except = nullptr);

// Called as a marked window is destroyed: ends the loop when no other is left.
void Closing(HWND hWnd);

} // namespace ThreadWindows
