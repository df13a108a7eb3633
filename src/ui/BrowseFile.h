#pragma once
// The main window's two Browse buttons: a file picked into its data folder, its name
// into the box.
#include <windows.h>

namespace Form1Actions {
void BrowseTemplate(HWND hForm); // Command3
void BrowseIcon(HWND hForm);     // Command2
} // namespace Form1Actions
