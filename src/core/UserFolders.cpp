#include "core/UserFolders.h"

#include "core/Module1.h"
#include "support/FolderCheck.h"
#include "support/Probes.h"

#include <optional>

namespace Module1 {

namespace {

struct Answer {
    std::wstring folder; // "" when the folder may not be written into
    std::wstring why;
};

struct Answers {
    std::optional<Answer> templates;
    std::optional<Answer> desktop;
};

// The outermost scope's answers, while one is alive.
Answers gAnswers;
bool bScopeAlive = false;

Answer CheckTemplates() {
    Answer a;
    if (sUserTemplatesDir.empty())
        a.why = L"the user's application-data folder could not be found";
    else if (CommonModule::FolderIsWhereReported(sUserTemplatesDir, a.why))
        a.folder = sUserTemplatesDir;
    return a;
}

Answer CheckDesktop() {
    Answer a;
    const std::wstring desktop =
        modSpecialFolders::GetSpecialFolder(modSpecialFolders::CSIDL_DESKTOP_FOLDER);
    if (desktop.empty())
        a.why = L"the user's desktop folder could not be found";
    else if (CommonModule::FolderIsWhereReported(desktop, a.why))
        a.folder = desktop;
    return a;
}

const Answer& Remembered(std::optional<Answer> Answers::*which, Answer (*check)(), Answer& fresh) {
    if (!bScopeAlive) return fresh = check();
    std::optional<Answer>& slot = gAnswers.*which;
    if (!slot) slot = check();
    return *slot;
}

} // namespace

UserFolderScope::UserFolderScope() {
    if (bScopeAlive) return;
    gAnswers = {};
    bScopeAlive = owner_ = true;
}

UserFolderScope::~UserFolderScope() {
    if (!owner_) return;
    gAnswers = {};
    bScopeAlive = false;
}

bool UserTemplatesFolderUsable(std::wstring& why) {
    Answer fresh;
    const Answer& a = Remembered(&Answers::templates, CheckTemplates, fresh);
    why = a.why;
    return !a.folder.empty();
}

std::wstring UsableDesktopFolder(std::wstring& why) {
    Answer fresh;
    const Answer& a = Remembered(&Answers::desktop, CheckDesktop, fresh);
    why = a.why;
    return a.folder;
}

} // namespace Module1
