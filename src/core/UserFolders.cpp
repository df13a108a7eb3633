#include "core/UserFolders.h"

#include "core/AppState.h"
#include "support/FolderCheck.h"
#include "support/ShellFolders.h"

namespace Module1 {

bool UserFolders::TemplatesFolderUsable(std::wstring& why) {
    if (!templates_) {
        Answer a;
        if (sUserTemplatesDir.empty())
            a.why = L"the user's application-data folder could not be found";
        else if (CommonModule::FolderIsWhereReported(sUserTemplatesDir, a.why))
            a.folder = sUserTemplatesDir;
        templates_ = std::move(a);
    }
    why = templates_->why;
    return !templates_->folder.empty();
}

std::wstring UserFolders::UsableDesktopFolder(std::wstring& why) {
    if (!desktop_) {
        Answer a;
        const std::wstring desktop =
            modSpecialFolders::GetSpecialFolder(modSpecialFolders::CSIDL_DESKTOP_FOLDER);
        if (desktop.empty())
            a.why = L"the user's desktop folder could not be found";
        else if (CommonModule::FolderIsWhereReported(desktop, a.why))
            a.folder = desktop;
        desktop_ = std::move(a);
    }
    why = desktop_->why;
    return desktop_->folder;
}

} // namespace Module1
