#include "ui/AccessHint.h"

namespace AccessHint {

std::wstring WithRunAsHint(const std::wstring& message, DWORD error) {
    if (error != ERROR_ACCESS_DENIED) return message;
    return message +
           L"\r\nTo change configurations here, start Dorvane with \"Run as administrator\".";
}

} // namespace AccessHint
