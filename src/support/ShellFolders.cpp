#include "support/ShellFolders.h"

#include "support/Probes.h"
#include "support/ScopedWin.h"

namespace modSpecialFolders {

std::wstring SpecialFolderPath(HWND hWnd, int iCSIDL) {
    ScopedWin::UniqueIdList idList;
    if (FAILED(SHGetSpecialFolderLocation(hWnd, iCSIDL, idList.put()))) return {};
    wchar_t path[MAX_PATH] = {};
    // A virtual folder (the computer, the printers) has no file-system path: "".
    if (!SHGetPathFromIDListW(idList.get(), path)) return {};
    return path;
}

std::wstring GetSpecialFolder(int iCSIDL) {
    const CommonModule::FSRedirBracket bracket;
    return SpecialFolderPath(nullptr, iCSIDL);
}

} // namespace modSpecialFolders
