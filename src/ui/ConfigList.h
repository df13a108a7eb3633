#pragma once
// The main window's configuration list, and the loading of one configuration into the
// boxes; both find the controls by id in the window they are given.
#include <windows.h>

#include <string>

namespace ConfigList {

// Fills the list from the Configs folder, in the order the search finds the files.
void RefreshConfigList(HWND hForm);
// The name of the entry the user chose: the focused one, when it is also highlighted.
// "" when there is none; the list puts its focus on entry 0 before anyone touched it,
// and a refresh leaves nothing highlighted.
std::wstring ChosenEntry(HWND hForm);
// The file that produced the chosen entry; "" when there is none.
std::wstring ChosenFile(HWND hForm);
// How many entries are highlighted.
LRESULT HighlightedCount(HWND hForm);
// Puts the chosen entry's configuration into the five boxes.
void LoadSelectedConfig(HWND hForm);

} // namespace ConfigList
