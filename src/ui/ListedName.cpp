#include "ui/ListedName.h"

#include "support/ScopedWin.h"

#include <windows.h>

#include <algorithm>

namespace ListedName {

std::wstring Of(const std::wstring& sFolder, const std::wstring& sRelative) {
    std::wstring listed, at = sFolder;
    for (size_t start = 0; start <= sRelative.size();) {
        const size_t end = std::min(sRelative.find_first_of(L"\\/", start), sRelative.size());
        std::wstring part = sRelative.substr(start, end - start);
        // The search takes wildcards (the DOS ones too): a name holding one is no name
        // of a file, and would list others.
        WIN32_FIND_DATAW found{};
        if (!part.empty() && part.find_first_of(L"*?<>\"") == std::wstring::npos) {
            const ScopedWin::UniqueFind search(FindFirstFileW((at + L"\\" + part).c_str(), &found));
            if (search) part = found.cFileName;
        }
        at += L"\\" + part;
        listed += (start ? L"\\" : L"") + part;
        start = end + 1;
    }
    return listed;
}

} // namespace ListedName
