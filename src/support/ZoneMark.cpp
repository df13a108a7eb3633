#include "support/ZoneMark.h"

#include "support/DebugLog.h"
#include "support/ScopedWin.h"
#include "support/Text.h"

#include <windows.h>

namespace CommonModule {

namespace {

// Far above any mark: what reads past it is not one.
constexpr DWORD kLargestMark = 64 * 1024;

std::wstring Widened(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring text((bytes.size() - 2) / 2, L'\0');
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                           static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
        return text;
    }
    // Only the ASCII names and digits matter; other bytes stay as they are.
    return std::wstring(bytes.begin(), bytes.end());
}

std::wstring Trimmed(std::wstring s) {
    const size_t first = s.find_first_not_of(L" \t\r");
    const size_t last = s.find_last_not_of(L" \t\r");
    return first == std::wstring::npos ? std::wstring() : s.substr(first, last - first + 1);
}

} // namespace

int ZoneOfText(std::string_view bytes) {
    const std::wstring text = Widened(bytes);
    bool inSection = false;
    for (size_t at = 0; at <= text.size();) {
        const size_t end = std::min(text.find(L'\n', at), text.size());
        const std::wstring line = Trimmed(text.substr(at, end - at));
        at = end + 1;
        if (line.starts_with(L"[")) {
            inSection = Text::EqualsNoCase(line, L"[ZoneTransfer]");
            continue;
        }
        const size_t equals = line.find(L'=');
        if (!inSection || equals == std::wstring::npos ||
            !Text::EqualsNoCase(Trimmed(line.substr(0, equals)), L"ZoneId"))
            continue;
        const std::wstring value = Trimmed(line.substr(equals + 1));
        if (value.empty() || value.size() > 9 ||
            value.find_first_not_of(L"0123456789") != std::wstring::npos)
            return kNoZone;
        return std::stoi(value);
    }
    return kNoZone;
}

int ZoneOfFile(const std::wstring& sPath, std::wstring& why) {
    const ScopedWin::UniqueFile stream(CreateFileW((sPath + L":Zone.Identifier").c_str(),
                                                   GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                   nullptr, OPEN_EXISTING, 0, nullptr));
    if (!stream) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
            error != ERROR_INVALID_NAME && error != ERROR_NOT_SUPPORTED)
            why = Win32Error(error).description;
        return kNoZone;
    }
    std::string bytes(kLargestMark, '\0');
    DWORD read = 0;
    if (!ReadFile(stream.get(), bytes.data(), kLargestMark, &read, nullptr)) {
        why = LastError().description;
        return kNoZone;
    }
    bytes.resize(read);
    return ZoneOfText(bytes);
}

} // namespace CommonModule
