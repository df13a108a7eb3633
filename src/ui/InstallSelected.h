#pragma once
// The main window's Install button: the selected configurations, in one run.
#include <windows.h>

namespace Form1Actions {
void InstallSelected(HWND hForm); // Command1
} // namespace Form1Actions
