#pragma once
// Which configuration names the window may save under.
#include <string>

namespace Module1 {

// A name the window can save and the list can open again under that same name. False,
// with the reason in `why`, for a name that would leave the Configs folder, that
// Windows would store as another name or not at all, that the list would show as
// another name, or whose file `sConfigFile` the profile functions could not open.
bool IsSavableConfigName(const std::wstring& sName, const std::wstring& sConfigFile,
                         std::wstring& why);
// The file of the existing configuration that sName means, letter case aside, spelt as
// the folder spells it; "" when there is none.
std::wstring ExistingConfigFile(const std::wstring& sName);

} // namespace Module1
