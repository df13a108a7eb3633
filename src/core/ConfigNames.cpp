#include "core/ConfigNames.h"

#include "core/SafePaths.h"

namespace Module1 {

bool IsSavableConfigName(const std::wstring& sName, std::wstring& why) {
    if (!SafePaths::StaysInside(sName, why)) return false;
    if (sName.find_first_of(L"\\/") != std::wstring::npos) {
        why = L"a folder separator (\\ or /)";
        return false;
    }
    return true;
}

} // namespace Module1
