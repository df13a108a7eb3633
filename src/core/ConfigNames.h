#pragma once
// Which configuration names the window may save under.
#include <string>

namespace Module1 {

// The rules that hold for names on the command line, and no folder part at all: the
// list shows only the top of "Configs", so a configuration in a subfolder could never
// be seen again. False with the reason in `why`.
bool IsSavableConfigName(const std::wstring& sName, std::wstring& why);

} // namespace Module1
