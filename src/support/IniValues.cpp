#include "support/IniValues.h"

#include "support/DebugLog.h"
#include "support/Text.h"

#include <windows.h>

#include <algorithm>

namespace CommonModule {

namespace {
constexpr DWORD kFirstBufferSize = 255;
// Far above any value a configuration holds; stops the doubling should the platform
// keep answering "cut".
constexpr DWORD kLargestBufferSize = 1u << 26;
// The section's lines as the platform hands them over ("key=value", the last ended
// by a second terminator); empty for a missing file or section.
std::wstring SectionLines(const std::wstring& sIniFile, const std::wstring& sSection) {
    for (DWORD size = 4 * kFirstBufferSize;; size *= 2) {
        std::wstring buffer(size, L'\0');
        const DWORD count =
            GetPrivateProfileSectionW(sSection.c_str(), buffer.data(), size, sIniFile.c_str());
        // A section that did not fit comes back as size - 2 characters.
        if (count + 2 < size || size >= kLargestBufferSize) {
            buffer.resize(count);
            return buffer;
        }
    }
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

std::wstring Trimmed(const std::wstring& text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

bool SameKey(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

} // namespace

std::wstring AsKeyReadGivesIt(const std::wstring& raw) {
    std::wstring value = Trimmed(raw);
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

std::wstring KeptThroughKeyRead(const std::wstring& value) {
    const std::wstring trimmed = Trimmed(value);
    return AsKeyReadGivesIt(trimmed) == trimmed ? value : L"\"" + trimmed + L"\"";
}

std::vector<std::wstring> ReadIniValues(const std::wstring& sIniFile, const std::wstring& sSection,
                                        const std::vector<std::wstring>& sKeys) {
    std::vector<std::wstring> values(sKeys.size());
    std::vector<bool> found(sKeys.size());
    const bool ok = Trap(
        [&] {
            const std::wstring lines = SectionLines(sIniFile, sSection);
            for (size_t at = 0; at < lines.size();) {
                const size_t end = std::min(lines.find(L'\0', at), lines.size());
                const std::wstring line = lines.substr(at, end - at);
                at = end + 1;
                // A line without "=" is a key without a value, which a key read finds
                // (and answers "") before a later line of that key; a comment line names
                // no key of ours.
                const size_t equals = std::min(line.find(L'='), line.size());
                const std::wstring key = Trimmed(line.substr(0, equals));
                // The first of a key written twice is the one a key read finds.
                for (size_t i = 0; i < sKeys.size(); ++i)
                    if (!found[i] && SameKey(key, sKeys[i])) {
                        found[i] = true;
                        values[i] = equals < line.size() ? AsKeyReadGivesIt(line.substr(equals + 1))
                                                         : std::wstring();
                    }
            }
        },
        [](const ErrorInfo& e) {
            DPrint(L"ReadIniValues - Error: (" + std::to_wstring(e.number) + L")" + e.description);
        });
    return ok ? values : std::vector<std::wstring>(sKeys.size());
}

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
