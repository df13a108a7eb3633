#pragma once
// The program runs with the rights of whoever starts it: an administrator who edits the
// configurations in a protected application folder has to start it elevated.
#include <windows.h>

#include <string>

namespace AccessHint {

// The message, and for access denied a second line saying how to get the rights.
std::wstring WithRunAsHint(const std::wstring& message, DWORD error);

} // namespace AccessHint
