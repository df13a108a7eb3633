#pragma once
// The main window's configuration list, and the loading of one configuration into the
// boxes; both find the controls by id in the window they are given.
#include <windows.h>

namespace ConfigList {

// Fills the list from the Configs folder, in the order the search finds the files.
void RefreshConfigList(HWND hForm);
// Puts the focused entry's configuration into the five boxes.
void LoadSelectedConfig(HWND hForm);

} // namespace ConfigList
