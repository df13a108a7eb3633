#include "core/UserFolders.h"

#include "core/Module1.h"
#include "support/FolderCheck.h"
#include "support/Probes.h"

namespace Module1 {

bool UserTemplatesFolderUsable(std::wstring& why) {
    if (sUserTemplatesDir.empty()) {
        why = L"the user's application-data folder could not be found";
        return false;
    }
    return CommonModule::FolderIsWhereReported(sUserTemplatesDir, why);
}

std::wstring UsableDesktopFolder(std::wstring& why) {
    const std::wstring desktop =
        modSpecialFolders::GetSpecialFolder(modSpecialFolders::CSIDL_DESKTOP_FOLDER);
    if (desktop.empty()) {
        why = L"the user's desktop folder could not be found";
        return {};
    }
    return CommonModule::FolderIsWhereReported(desktop, why) ? desktop : std::wstring();
}

} // namespace Module1
