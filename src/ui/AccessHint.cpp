#include "ui/AccessHint.h"

#include "support/DebugLog.h"

namespace AccessHint {

std::wstring WithRunAsHint(const std::wstring& message, DWORD error) {
    if (error != ERROR_ACCESS_DENIED) return message;
    return message +
           L"\r\nTo change configurations here, start Dorvane with \"Run as administrator\".";
}

bool IsReadOnlyFile(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY) &&
           !(a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}

std::wstring WhyNot(const std::wstring& path, DWORD error) {
    return IsReadOnlyFile(path) ? L"it is read-only" : CommonModule::Win32Error(error).description;
}

} // namespace AccessHint
