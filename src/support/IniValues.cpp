#include "support/IniValues.h"

#include "support/DebugLog.h"
#include "support/Text.h"

#include <windows.h>

namespace CommonModule {

namespace {
constexpr DWORD kFirstBufferSize = 255;
// Far above any value a configuration holds; stops the doubling should the platform
// keep answering "cut".
constexpr DWORD kLargestBufferSize = 1u << 26;
} // namespace

std::wstring ReadIniSection(const std::wstring& sIniFile, const std::wstring& sSection,
                            const std::wstring& sKey) {
    std::wstring value;
    // The wide call reads a file saved as UTF-16 as it stands; the ANSI one would hand
    // over its best-fit look-alikes, which name other files.
    const bool ok = Trap(
        [&] {
            for (DWORD size = kFirstBufferSize;; size *= 2) {
                std::wstring buffer(size, L' ');
                const DWORD count = GetPrivateProfileStringW(sSection.c_str(), sKey.c_str(), L"",
                                                             buffer.data(), size, sIniFile.c_str());
                if (count == 0) return;
                // A value that was cut comes back as size - 1 characters; so does one that
                // just fits, and the larger buffer then settles which it was.
                if (count + 1 < size || size >= kLargestBufferSize) {
                    value.assign(buffer.data(), count);
                    return;
                }
            }
        },
        [](const ErrorInfo& e) {
            DPrint(L"ReadIniSection - Error: (" + std::to_wstring(e.number) + L")" + e.description);
        });
    return ok ? value : std::wstring();
}

bool WriteIniValue(const std::wstring& sIniFile, const std::wstring& sSection,
                   const std::wstring& sKey, const std::wstring& sValue) {
    return WritePrivateProfileStringA(Text::ToAnsi(sSection).c_str(), Text::ToAnsi(sKey).c_str(),
                                      Text::ToAnsi(sValue).c_str(),
                                      Text::ToAnsi(sIniFile).c_str()) != FALSE;
}

} // namespace CommonModule
