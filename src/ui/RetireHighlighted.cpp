#include "ui/RetireHighlighted.h"

#include "support/AppPath.h"
#include "support/DebugLog.h"
#include "support/Strings.h"
#include "ui/AccessHint.h"
#include "ui/ConfigList.h"
#include "ui/FormText.h"
#include "ui/OneEntry.h"

#include <string>

namespace Form1Actions {

namespace {

constexpr wchar_t kQuestion[] =
    L"\r\n\r\nIts file moves into the folder Retired. At each user's next logon run "
    L"(/installall), Dorvane removes from that user's profile the template, the icon and "
    L"the desktop shortcut it installed, where they are unchanged and no configuration in "
    L"Configs installs them.\r\nNothing is deleted now: the template and the icon stay in "
    L"Templates and AltIcons.";

void Failed(HWND hForm, const std::wstring& text, DWORD error) {
    CommonModule::DPrint(L"Retire: " + text);
    FormText::Say(hForm, AccessHint::WithRunAsHint(text, error), MB_OK | MB_ICONERROR);
}

} // namespace

void RetireHighlighted(HWND hForm) {
    OneEntry::Entry entry;
    if (!OneEntry::Choose(hForm, L"retire", entry)) return;
    if (FormText::Say(hForm, L"Retire template config:  " + entry.name + kQuestion,
                      MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    const std::wstring folder = CommonModule::AppPath() + L"Retired";
    if (!CreateDirectoryW(folder.c_str(), nullptr)) {
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS)
            return Failed(hForm,
                          L"The folder could not be made:\r\n" + folder + L"\r\n" +
                              CommonModule::Win32Error(error).description,
                          error);
    }
    const std::wstring target = folder + L"\\" + CommonModule::StripPath(entry.file);
    DWORD flags = 0;
    if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (FormText::Say(hForm,
                          L"Retired already holds a configuration of that name:\r\n" + target +
                              L"\r\nReplace it?",
                          MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
            return;
        flags = MOVEFILE_REPLACE_EXISTING;
    }
    // A rename: the file lands whole or stays where it was, and a link planted in its
    // place in Retired is replaced, not written through.
    if (!MoveFileExW(entry.file.c_str(), target.c_str(), flags)) {
        const DWORD error = GetLastError();
        return Failed(hForm,
                      L"The template configuration could not be moved to\r\n" + target + L"\r\n" +
                          AccessHint::WhyNot(target, error),
                      error);
    }
    CommonModule::DPrint(L"Retire: moved " + entry.file + L" to " + target);
    ConfigList::RefreshConfigList(hForm);
}

} // namespace Form1Actions
