#pragma once
#include <string>

namespace Module1 {

// The Word executable below the system drive's Office folders, or "" when none is found.
std::wstring LocateWordExe();

} // namespace Module1
