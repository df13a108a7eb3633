#include "support/CountFiles.h"

#include "support/Probes.h"
#include "support/ScopedWin.h"

#include <windows.h>

#include <climits>

namespace CommonModule {

short CountFiles(std::wstring sPath, std::wstring sPattern) {
    if (sPattern.empty()) sPattern = L"*.*";
    if (sPath.empty() || sPath.back() != L'\\') sPath += L'\\';
    WIN32_FIND_DATAW fd;
    ScopedWin::UniqueFind find;
    {
        // Only the opening of the listing is bracketed, not the reading.
        const FSRedirBracket bracket;
        find.reset(FindFirstFileW((sPath + sPattern).c_str(), &fd));
    }
    short count = 0;
    if (!find) return count;
    constexpr DWORD kSkipped =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((fd.dwFileAttributes & kSkipped) == 0 && count < SHRT_MAX) ++count;
    } while (FindNextFileW(find.get(), &fd));
    return count;
}

} // namespace CommonModule
