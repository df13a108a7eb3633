#include "ui/OneEntry.h"

#include "support/DebugLog.h"
#include "ui/ConfigList.h"
#include "ui/FormText.h"

namespace OneEntry {

bool Choose(HWND hForm, const wchar_t* sVerb, Entry& entry) {
    if (ConfigList::HighlightedCount(hForm) > 1) {
        FormText::Say(hForm, std::wstring(L"Highlight one configuration to ") + sVerb + L".",
                      MB_OK | MB_ICONINFORMATION);
        return false;
    }
    entry = {ConfigList::ChosenEntry(hForm), ConfigList::ChosenFile(hForm)};
    if (entry.name.empty()) {
        FormText::Say(hForm, L"No template configuration is selected.", MB_OK | MB_ICONINFORMATION);
        return false;
    }
    // Gone since the list was made, or listed under a name no call can open again.
    const DWORD attributes = GetFileAttributesW(entry.file.c_str());
    const DWORD error = GetLastError();
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    const std::wstring why = attributes == INVALID_FILE_ATTRIBUTES
                                 ? CommonModule::Win32Error(error).description
                                 : L"it is a folder";
    CommonModule::DPrint(std::wstring(L"OneEntry: cannot ") + sVerb + L" \"" + entry.name +
                         L"\": " + entry.file + L": " + why);
    FormText::Say(hForm,
                  L"The entry \"" + entry.name + L"\" stands for the file\r\n" + entry.file +
                      L"\r\nwhich cannot be used: " + why,
                  MB_OK | MB_ICONWARNING);
    return false;
}

} // namespace OneEntry
