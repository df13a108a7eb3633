#pragma once
// The program may run with administrator rights, and configuration files or login
// scripts may be edited by people who should not reach other folders through it.
// Names that must stay inside one of the program's folders are checked here.
#include <string>
#include <string_view>

namespace SafePaths {

// True when `relative`, appended to a folder, names something inside that folder
// (subfolders allowed). Otherwise false, with the reason in `why`. Refused: a rooted
// or UNC path, a drive or stream (":"), a segment of only dots and blanks (such as
// ".."), and a device name (CON, NUL, COM1, ...). "/" counts as a separator, as it
// does for Windows.
bool StaysInside(std::wstring_view relative, std::wstring& why);

// StaysInside, and no control character (which no file name can hold). Every other
// character reaches the system as itself: names go to it through its wide calls.
bool UsableName(std::wstring_view relative, std::wstring& why);

} // namespace SafePaths
