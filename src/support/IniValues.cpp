#include "support/IniValues.h"

#include "support/DebugLog.h"
#include "support/IniEncoding.h"
#include "support/IniText.h"
#include "support/Text.h"

#include <windows.h>

#include <algorithm>
#include <optional>

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

// The text of a file the program reads itself (UTF-8); nothing for one the profile
// functions read.
std::optional<std::wstring> OwnText(const std::wstring& sIniFile) {
    std::string bytes;
    if (!ReadIniBytes(sIniFile, bytes)) return std::nullopt;
    const IniEncoding encoding = IniEncodingOf(bytes);
    if (!IsUtf8(encoding)) return std::nullopt;
    return DecodeIniText(bytes, encoding);
}

// What the profile functions give for a UTF-8 file is wrong only where it holds
// something beyond ASCII, or where they missed a section behind the UTF-8 mark; only
// then is the file looked at byte by byte, so a plain file is still opened once.
bool MayBeMisread(const std::wstring& fromProfile) {
    return fromProfile.empty() ||
           std::any_of(fromProfile.begin(), fromProfile.end(), [](wchar_t c) { return c >= 0x80; });
}

std::wstring SectionLinesOf(const std::wstring& sIniFile, const std::wstring& sSection) {
    std::wstring lines = SectionLines(sIniFile, sSection);
    if (MayBeMisread(lines))
        if (const auto text = OwnText(sIniFile)) lines = IniText::SectionLines(*text, sSection);
    return lines;
}

// The values of sKeys among a section's lines, as a key read finds each.
std::vector<std::wstring> ValuesFromLines(const std::wstring& lines,
                                          const std::vector<std::wstring>& sKeys) {
    std::vector<std::wstring> values(sKeys.size());
    std::vector<bool> found(sKeys.size());
    for (size_t at = 0; at < lines.size();) {
        const size_t end = std::min(lines.find(L'\0', at), lines.size());
        const std::wstring line = lines.substr(at, end - at);
        at = end + 1;
        // A line without "=" is no key, as Windows' key read has it (Wine's answers ""
        // for it, and hides a later line of that key); a comment line names no key of ours.
        const size_t equals = line.find(L'=');
        if (equals == std::wstring::npos) continue;
        const std::wstring key = Trimmed(line.substr(0, equals));
        // The first of a key written twice is the one a key read finds.
        for (size_t i = 0; i < sKeys.size(); ++i)
            if (!found[i] && SameKey(key, sKeys[i])) {
                found[i] = true;
                values[i] = AsKeyReadGivesIt(line.substr(equals + 1));
            }
    }
    return values;
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
    const bool ok = Trap(
        [&] { values = ValuesFromLines(SectionLinesOf(sIniFile, sSection), sKeys); },
        [](const ErrorInfo& e) {
            DPrint(L"ReadIniValues - Error: (" + std::to_wstring(e.number) + L")" + e.description);
        });
    return ok ? values : std::vector<std::wstring>(sKeys.size());
}

std::vector<std::wstring>
ReadIniKeys(const std::wstring& sIniFile,
            const std::vector<std::pair<std::wstring, std::wstring>>& sSectionKeys) {
    std::vector<std::wstring> values(sSectionKeys.size());
    std::string bytes;
    Trap(
        [&] {
            if (!ReadIniBytes(sIniFile, bytes)) return;
            const std::wstring text = DecodeIniText(bytes, IniEncodingOf(bytes));
            for (size_t i = 0; i < sSectionKeys.size(); ++i)
                values[i] = ValuesFromLines(IniText::SectionLines(text, sSectionKeys[i].first),
                                            {sSectionKeys[i].second})
                                .front();
        },
        [](const ErrorInfo& e) {
            DPrint(L"ReadIniKeys - Error: (" + std::to_wstring(e.number) + L")" + e.description);
        });
    return values;
}

std::wstring ReadIniSection(const std::wstring& sIniFile, const std::wstring& sSection,
                            const std::wstring& sKey) {
    std::wstring value;
    // A key is read from its section's lines, as ReadIniValues reads it: the window and
    // the installs then find the same value, on Windows and under Wine alike, where the
    // system's own key reads differ (a line without "=").
    const bool ok = Trap(
        [&] { value = ValuesFromLines(SectionLinesOf(sIniFile, sSection), {sKey}).front(); },
        [](const ErrorInfo& e) {
            DPrint(L"ReadIniSection - Error: (" + std::to_wstring(e.number) + L")" + e.description);
        });
    return ok ? value : std::wstring();
}

bool HasIniSection(const std::wstring& sIniFile, const std::wstring& sSection) {
    if (const auto text = OwnText(sIniFile)) return IniText::HasSection(*text, sSection);
    std::wstring names(32767, L'\0');
    const DWORD n = GetPrivateProfileSectionNamesW(names.data(), static_cast<DWORD>(names.size()),
                                                   sIniFile.c_str());
    for (size_t at = 0; at < n; at = names.find(L'\0', at) + 1)
        if (Text::EqualsNoCase(names.c_str() + at, sSection)) return true;
    return false;
}

bool WriteIniValues(const std::wstring& sIniFile, const std::wstring& sSection,
                    const std::vector<std::wstring>& sKeys,
                    const std::vector<std::wstring>& sValues) {
    std::string bytes;
    if (!ReadIniBytes(sIniFile, bytes)) return false;
    const IniEncoding current = IniEncodingOf(bytes);
    const IniEncoding target = IniEncodingForSave(current, sValues);
    if (IsUtf8(target)) {
        std::wstring text = DecodeIniText(bytes, current);
        for (size_t i = 0; i < sKeys.size(); ++i)
            text = IniText::WithValue(text, sSection, sKeys[i], sValues[i]);
        return WriteIniBytes(sIniFile, EncodeIniText(text, target));
    }
    // The profile functions write Unicode into a file that starts with the UTF-16 mark.
    if (target != current &&
        !WriteIniBytes(sIniFile, EncodeIniText(DecodeIniText(bytes, current), target)))
        return false;
    for (size_t i = 0; i < sKeys.size(); ++i)
        if (!WritePrivateProfileStringW(sSection.c_str(), sKeys[i].c_str(), sValues[i].c_str(),
                                        sIniFile.c_str()))
            return false;
    return true;
}

bool WriteIniValue(const std::wstring& sIniFile, const std::wstring& sSection,
                   const std::wstring& sKey, const std::wstring& sValue) {
    return WriteIniValues(sIniFile, sSection, {sKey}, {sValue});
}

} // namespace CommonModule
