#include "ui/BrowseFile.h"

#include "core/ConfigUsers.h"
#include "dialogs/MCommonFile.h"
#include "resource.h"
#include "support/AppPath.h"
#include "support/DebugLog.h"
#include "support/SameContent.h"
#include "support/VerifiedCopy.h"
#include "support/Strings.h"
#include "support/Text.h"
#include "ui/FormText.h"
#include "ui/ListedName.h"

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
    L"Word Templates (*.dot; *.dotx; *.dotm)|*.dot; *.dotx; *.dotm|"
    L"Excel and PowerPoint Templates (*.xlt; *.xltx; *.xltm; *.pot; *.potx; *.potm)|"
    L"*.xlt; *.xltx; *.xltm; *.pot; *.potx; *.potm|All Files (*.*)|*.*|",
    L"Select an existing Word Template", IDC_txtTemplateFileName, true};
constexpr Pick kIconPick = {L"AltIcons", L"Icons (*.ico)|*.ico", L"Select an Icon", IDC_txtIcon,
                            false};

std::wstring BeforeLast(const std::wstring& text, const wchar_t* delimiter) {
    return CommonModule::StripEndOfString(text, delimiter, false, false, false);
}

// A file of the same name already in the data folder: the same bytes need no copy; other
// bytes are replaced only after a question that names the configurations using them.
enum class Copy { Needed, NotNeeded, Declined };
Copy DecideCopy(HWND hForm, const Pick& pick, const std::wstring& source,
                const std::wstring& name) {
    const std::wstring target = CommonModule::AppPath() + pick.folder + L"\\" + name;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Copy::Needed;
    if (CommonModule::SameContent(source, target)) {
        CommonModule::DPrint(L"Browse: the same content, not copied: " + source + L" is " + target);
        return Copy::NotNeeded;
    }
    const std::vector<std::wstring> users = Module1::ConfigUsers().Naming(pick.folder, name);
    const std::wstring use =
        users.empty() ? std::wstring(L"No configuration names it.")
                      : L"These configurations use it: " + Module1::JoinNames(users) + L".";
    const std::wstring listed = ListedName::Of(CommonModule::AppPath() + pick.folder, name);
    const std::wstring question = L"\"" + std::wstring(pick.folder) + L"\\" + listed +
                                  L"\" already exists, with other content. " + use +
                                  L"\r\nReplace it with\r\n" + source + L"?";
    return FormText::Say(hForm, question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES
               ? Copy::Needed
               : Copy::Declined;
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
    const std::wstring name = CommonModule::StripPath(path);
    const Copy copy = Text::Lower(BeforeLast(path, L"\\")) == Text::Lower(folder)
                          ? Copy::NotNeeded
                          : DecideCopy(hForm, pick, path, name);
    if (copy == Copy::Declined) return;
    if (copy == Copy::Needed) {
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
