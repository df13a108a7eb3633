#include "ui/BrowseFile.h"

#include "dialogs/MCommonFile.h"
#include "resource.h"
#include "support/AppPath.h"
#include "support/DebugLog.h"
#include "support/VerifiedCopy.h"
#include "support/Strings.h"
#include "support/Text.h"
#include "ui/FormText.h"

#include <string>
#include <vector>

namespace Form1Actions {

namespace {

struct Pick {
    const wchar_t* folder; // data folder below the application folder
    const wchar_t* filter;
    const wchar_t* title;
    int box;            // receives the file name
    bool bNameFromFile; // fills an empty configuration name from the file name
};

constexpr Pick kTemplatePick = {
    L"Templates",
    L"Word Templates (*.dot; *.dotx; *.dotm)|*.dot; *.dotx; *.dotm|All Files (*.*)|*.*|",
    L"Select an existing Word Template", IDC_txtTemplateFileName, true};
constexpr Pick kIconPick = {L"AltIcons", L"Icons (*.ico)|*.ico", L"Select an Icon", IDC_txtIcon,
                            false};

std::wstring BeforeLast(const std::wstring& text, const wchar_t* delimiter) {
    return CommonModule::StripEndOfString(text, delimiter, false, false, false);
}

// The window is the dialog's owner, so it cannot start a second dialog while one is
// open. A file from elsewhere is copied into the data folder, so that the name in the
// box is one the folder holds.
void PickIntoDataFolder(HWND hForm, const Pick& pick) {
    const std::wstring folder = CommonModule::AppPath() + pick.folder;
    std::wstring path;
    bool bReadOnly = false;
    long lFilterIndex = 1;
    DWORD lFlags = 0;
    if (!MCommonFile::ShowOpenFileDialog(path, true, false, bReadOnly, false, pick.filter,
                                         lFilterIndex, folder, pick.title, L"", hForm, lFlags))
        return;
    if (Text::Lower(BeforeLast(path, L"\\")) != Text::Lower(folder)) {
        // The shell's copy answers success for copies that did not happen; only a file
        // that stands whole in the data folder may go into the box.
        std::wstring why;
        if (!CommonModule::CopyFilesVerified(path, folder, L"Browse", why)) {
            FormText::Say(hForm,
                          L"The file could not be copied into \"" + folder + L"\":\r\n" + path,
                          MB_OK | MB_ICONERROR);
            return;
        }
        CommonModule::DPrint(L"Browse: copied " + path + L" into " + folder);
    }
    const std::wstring name = CommonModule::StripPath(path);
    FormText::Set(hForm, pick.box, name);
    if (pick.bNameFromFile && FormText::Get(hForm, IDC_txtConfigName).empty())
        FormText::Set(hForm, IDC_txtConfigName, BeforeLast(name, L"."));
}

} // namespace

void BrowseTemplate(HWND hForm) {
    PickIntoDataFolder(hForm, kTemplatePick);
}

void BrowseIcon(HWND hForm) {
    PickIntoDataFolder(hForm, kIconPick);
}

} // namespace Form1Actions
