#include "ui/AccessHint.h"

#include "support/DebugLog.h"
#include "support/LinkTag.h"
#include "support/Probes.h"

namespace AccessHint {

std::wstring WithRunAsHint(const std::wstring& message, DWORD error, const std::wstring& path) {
    // On a share the server decides, whatever rights this process has.
    if (error != ERROR_ACCESS_DENIED || (!path.empty() && IsNetworkPath(path))) return message;
    return message +
           L"\r\nTo change configurations here, start Dorvane with \"Run as administrator\".";
}

bool IsNetworkPath(const std::wstring& path) {
    if (path.starts_with(L"\\\\")) return true;
    if (path.size() < 2 || path[1] != L':') return false;
    const wchar_t root[] = {path[0], L':', L'\\', 0};
    return GetDriveTypeW(root) == DRIVE_REMOTE;
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
