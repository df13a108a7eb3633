#pragma once
// Window mode: the main window and the message loop, which runs while one of the
// program's windows is open (ui/common/ThreadWindows.h).
#include <windows.h>

namespace WindowMode {

// Shows Form1 and runs the message loop until the last window has closed. Window
// mode's exit code.
int Run();

} // namespace WindowMode
