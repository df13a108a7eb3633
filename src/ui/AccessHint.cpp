#include "ui/AccessHint.h"

#include "support/DebugLog.h"
#include "support/LinkTag.h"
#include "support/Probes.h"

namespace AccessHint {

std::wstring WithRunAsHint(const std::wstring& message, DWORD error) {
    if (error != ERROR_ACCESS_DENIED) return message;
    return message +
           L"\r\nTo change configurations here, start Dorvane with \"Run as administrator\".";
}

bool IsReadOnlyFile(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    return CommonModule::EntryAt(path, found) &&
           (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) &&
           !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !CommonModule::IsLinkEntry(found);
}

std::wstring WhyNot(const std::wstring& path, DWORD error) {
    return IsReadOnlyFile(path) ? L"it is read-only" : CommonModule::Win32Error(error).description;
}

} // namespace AccessHint
