#include "support/SettingsCheck.h"

#include "support/IniEncoding.h"
#include "support/IniText.h"
#include "support/IniValues.h"
#include "support/Text.h"

#include <algorithm>
#include <string_view>

namespace CommonModule {

namespace {

// Every key the program reads from the file. A switch takes "0" or "1" and, for
// anything else, what it does when the key is missing; kFree takes any value.
constexpr wchar_t kFree[] = L"";
constexpr struct {
    std::wstring_view section;
    std::wstring_view key;
    std::wstring_view taken; // when a switch's value is not understood
} kKnown[] = {
    {L"Debug", L"ToFile", L"0"},     {L"Debug", L"Verbose", L"0"},
    {L"Debug", L"Folder", kFree},    {L"EventLog", L"Enabled", L"1"},
    {L"EventLog", L"Success", L"0"}, {L"Office", L"PersonalTemplates", L"1"},
};

bool IsKnownSection(const std::wstring& section) {
    for (const auto& known : kKnown)
        if (Text::EqualsNoCase(known.section, section)) return true;
    return false;
}

} // namespace

std::vector<std::wstring> SettingsMistakes(const std::wstring& sText,
                                           const std::wstring& sFileName) {
    std::vector<std::wstring> lines;
    for (const IniText::Entry& entry : IniText::Entries(sText)) {
        const bool known = IsKnownSection(entry.section);
        if (entry.key.empty()) {
            if (!known)
                lines.push_back(sFileName + L": unknown section [" + entry.section +
                                L"], so its keys are not read");
            continue;
        }
        if (!known) continue; // said once, at its header
        const auto it = std::find_if(std::begin(kKnown), std::end(kKnown), [&](const auto& k) {
            return Text::EqualsNoCase(k.section, entry.section) &&
                   Text::EqualsNoCase(k.key, entry.key);
        });
        if (it == std::end(kKnown)) {
            lines.push_back(sFileName + L": unknown key \"" + entry.key + L"\" in [" +
                            entry.section + L"], so it is not read");
            continue;
        }
        const std::wstring value = AsKeyReadGivesIt(entry.value);
        if (it->taken.empty() || value.empty() || value == L"0" || value == L"1") continue;
        lines.push_back(sFileName + L": [" + entry.section + L"] " + entry.key + L"=" + value +
                        L" is not understood (0 or 1), so " + std::wstring(it->key) + L"=" +
                        std::wstring(it->taken) + L" is taken");
    }
    return lines;
}

std::vector<std::wstring> SettingsMistakesNoDebug(const std::wstring& sIniFile) {
    std::string bytes;
    if (sIniFile.empty() || !ReadIniBytes(sIniFile, bytes) || bytes.empty()) return {};
    return SettingsMistakes(DecodeIniText(bytes, IniEncodingOf(bytes)),
                            sIniFile.substr(sIniFile.find_last_of(L'\\') + 1));
}

} // namespace CommonModule
