#pragma once
// A name a screen reader says for a control in place of its caption: two buttons that
// both read "Browse" are told apart by what they browse for. The control answers the
// reader's WM_GETOBJECT with the system's own accessible object, of which only the
// name differs. (The system's property service would do this in one call, but Wine
// does not implement it, so nothing here could show it working.)
#include <windows.h>

namespace SpokenName {

// From now on hControl is called `name` (which outlives the control: a literal).
// A control for which this fails keeps its caption as its name; a debug line says so.
void Give(HWND hControl, const wchar_t* name);

} // namespace SpokenName
