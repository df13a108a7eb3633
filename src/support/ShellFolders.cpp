#include "support/Probes.h"

#include "support/ScopedWin.h"
#include "support/Text.h"

#include <shlobj.h>

namespace modSpecialFolders {

std::wstring GetSpecialFolder(int iCSIDL) {
    CommonModule::DisableFSRedir();
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, iCSIDL, &pidl))) {
        CommonModule::RevertFSRedir();
        return {};
    }
    const ScopedWin::UniqueIdList owner(pidl);
    char path[512] = {};
    // A virtual folder (the computer, the printers) has no file-system path: "".
    const bool ok = SHGetPathFromIDListA(owner.get(), path) != FALSE;
    CommonModule::RevertFSRedir();
    return ok ? Text::FromAnsi(path) : std::wstring();
}

} // namespace modSpecialFolders
