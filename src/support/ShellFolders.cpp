#include "support/ShellFolders.h"

#include "support/Probes.h"
#include "support/ScopedWin.h"
#include "support/Text.h"

namespace modSpecialFolders {

std::wstring SpecialFolderPath(HWND hWnd, int iCSIDL) {
    ScopedWin::UniqueIdList idList;
    if (FAILED(SHGetSpecialFolderLocation(hWnd, iCSIDL, idList.put()))) return {};
    char path[MAX_PATH] = {};
    // A virtual folder (the computer, the printers) has no file-system path: "".
    if (!SHGetPathFromIDListA(idList.get(), path)) return {};
    return Text::FromAnsi(path);
}

std::wstring GetSpecialFolder(int iCSIDL) {
    const CommonModule::FSRedirBracket bracket;
    return SpecialFolderPath(nullptr, iCSIDL);
}

} // namespace modSpecialFolders
