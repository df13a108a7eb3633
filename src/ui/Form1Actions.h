#pragma once
// What Form1's buttons and its delete menu item do.
#include <windows.h>

namespace Form1Actions {
void BrowseTemplate(HWND hForm);    // Command3
void BrowseIcon(HWND hForm);        // Command2
void SaveConfig(HWND hForm);        // Command4
void DeleteHighlighted(HWND hForm); // Menu_DelTemp
void InstallSelected(HWND hForm);   // Command1
} // namespace Form1Actions
