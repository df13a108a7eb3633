#include "ui/Form1Actions.h"

// Placeholders: the editing actions are not part of this build yet.
namespace Form1Actions {
void BrowseTemplate(HWND) {}
void BrowseIcon(HWND) {}
void SaveConfig(HWND) {}
void DeleteHighlighted(HWND) {}
void InstallSelected(HWND) {}
} // namespace Form1Actions
