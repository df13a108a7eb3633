#pragma once
// The main window's Save button: the boxes into the configuration's file.
#include <windows.h>

namespace Form1Actions {
void SaveConfig(HWND hForm); // Command4
} // namespace Form1Actions
