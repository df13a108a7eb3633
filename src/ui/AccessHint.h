#pragma once
// The program runs with the rights of whoever starts it: an administrator who edits the
// configurations in a protected application folder has to start it elevated. A file
// made read-only was made so on purpose, and no rights change that.
#include <windows.h>

#include <string>

namespace AccessHint {

// The message, and for access denied a second line saying how to get the rights;
// none for a `path` on a network share or a mapped drive, where elevation changes nothing.
std::wstring WithRunAsHint(const std::wstring& message, DWORD error, const std::wstring& path = {});
// A UNC path, or one on a mapped network drive.
bool IsNetworkPath(const std::wstring& path);
bool IsReadOnlyFile(const std::wstring& path);
// Why a file could not be deleted or replaced: "it is read-only", else the system's
// text for the error.
std::wstring WhyNot(const std::wstring& path, DWORD error);

} // namespace AccessHint
