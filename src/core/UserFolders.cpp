#include "core/UserFolders.h"

#include "core/AppState.h"
#include "support/FolderCheck.h"
#include "support/ShellFolders.h"

namespace Module1 {

UserFolders::Answer UserFolders::Check(const std::wstring& sFolder, const wchar_t* sMissing) {
    Answer a;
    if (sFolder.empty())
        a.why = sMissing;
    else if (CommonModule::FolderIsWhereReported(sFolder, a.why))
        a.folder = sFolder;
    return a;
}

bool UserFolders::TemplatesFolderUsable(std::wstring& why) {
    if (!templates_)
        templates_ =
            Check(sUserTemplatesDir, L"the user's application-data folder could not be found");
    why = templates_->why;
    return !templates_->folder.empty();
}

std::wstring UserFolders::UsableDesktopFolder(std::wstring& why) {
    if (!desktop_)
        desktop_ =
            Check(modSpecialFolders::GetSpecialFolder(modSpecialFolders::CSIDL_DESKTOP_FOLDER),
                  L"the user's desktop folder could not be found");
    why = desktop_->why;
    return desktop_->folder;
}

} // namespace Module1
