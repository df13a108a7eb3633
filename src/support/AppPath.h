#pragma once
// Where the running executable lives and what it is called.
#include <string>

namespace CommonModule {

std::wstring AppPath(); // the executable's folder, always ending in "\"
std::wstring ExeName(); // the executable's file name without folder and extension
// The executable's full path as the system gave it (a share's path when it runs from a
// server); "" when it would not tell.
std::wstring ModuleFileName();

} // namespace CommonModule
