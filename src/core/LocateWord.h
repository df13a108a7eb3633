#pragma once
#include "support/Registry.h"

#include <functional>
#include <string>
#include <vector>

namespace Module1 {

// Word and, found in the same walk, the other applications of OfficeApps(), in its
// order: each executable below the system
// drive's Office folders or, when none is there, the one its installer registered;
// "" when none is found.
using OfficeExes = std::vector<std::wstring>;
// Given registered, it says for each whether App Paths gave it.
OfficeExes LocateWordExe(std::vector<bool>* registered = nullptr);

// The registered application path of the executable (e.g. L"WINWORD.EXE") in the given
// registry view (KEY_WOW64_64KEY or KEY_WOW64_32KEY).
using AppPathReader = std::function<CommonModule::RegistryValue(REGSAM samView)>;
CommonModule::RegistryValue ReadAppPath(const wchar_t* sExeName, REGSAM samView);

// The first registered path, 64-bit view first, that names an existing file; "" when
// none does.
std::wstring RegisteredExe(const AppPathReader& read);

} // namespace Module1
