#pragma once
// Where the running executable lives and what it is called.
#include <string>

namespace CommonModule {

std::wstring AppPath(); // the executable's folder, always ending in "\"
std::wstring ExeName(); // the executable's file name without folder and extension

} // namespace CommonModule
