#pragma once
#include "support/Registry.h"

#include <functional>
#include <string>

namespace Module1 {

// The Word executable below the system drive's Office folders or, when none is there,
// the one its installer registered; "" when none is found.
std::wstring LocateWordExe();

// The registered application path of Winword.exe in the given registry view
// (KEY_WOW64_64KEY or KEY_WOW64_32KEY).
using AppPathReader = std::function<CommonModule::RegistryValue(REGSAM samView)>;
CommonModule::RegistryValue ReadWordAppPath(REGSAM samView);

// The first registered path, 64-bit view first, that names an existing file; "" when
// none does.
std::wstring RegisteredWordExe(const AppPathReader& read = ReadWordAppPath);

} // namespace Module1
