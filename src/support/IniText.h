#pragma once
// INI text that the program reads and writes itself (the UTF-8 files, which the
// system's profile functions cannot read), by the rules those functions follow.
#include <string>
#include <vector>

namespace IniText {

// The lines of the first section of that name (letter case ignored), as the profile
// functions' section read hands them over: each line trimmed and followed by a NUL,
// blank lines left out; "" when there is no such section.
std::wstring SectionLines(const std::wstring& text, const std::wstring& sSection);
// The first section of that name, in any letter case.
bool HasSection(const std::wstring& text, const std::wstring& sSection);
// The text with the key set to the value as the profile functions' write sets it: the
// key's first line in the section replaced, or a line added at the section's end, or
// the section added at the end of the text. Other lines stay as they are.
std::wstring WithValue(const std::wstring& text, const std::wstring& sSection,
                       const std::wstring& sKey, const std::wstring& sValue);

// A section header or a key line ("key=value") of a text, as written but trimmed; key is
// empty for a header. Lines of neither kind, and comment lines (";..."), are left out.
struct Entry {
    std::wstring section;
    std::wstring key;
    std::wstring value;
};
std::vector<Entry> Entries(const std::wstring& text);

} // namespace IniText
