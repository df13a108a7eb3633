#pragma once
// The one place where text crosses between the program's wide strings and the
// system ANSI code page. Paths never do (they reach the system through its wide
// calls); what does is text whose bytes must stay ANSI: the debugger output, the log
// file and configuration files saved as ANSI.
#include <string>
#include <string_view>

namespace Text {

// Unmappable characters become the code page's default character, as the system's
// own conversion does.
std::string ToAnsi(std::wstring_view text);
// The ANSI form only when every character has its own exact counterpart: no default
// character and no best-fit look-alike ("\u0141" is not "L"). A name that fails this
// would reach the ANSI calls as another name, or as a wildcard.
bool ToAnsiExact(std::wstring_view text, std::string& ansi);
bool FitsAnsi(std::wstring_view text);
// How many UTF-16 units the character at text[i] takes: 2 for a surrogate pair, else 1.
size_t CharacterLength(std::wstring_view text, size_t i);
// "U+041E": the code point of the character `character` starts with.
std::wstring CodePoint(std::wstring_view character);
// For people reading: each character without an exact ANSI counterpart is written as
// "<U+041E>" (a form no file name can hold).
std::string ToAnsiEscaped(std::wstring_view text);
std::wstring FromAnsi(std::string_view text);
// FromAnsi(text) appended to `out`: no allocation when `out` has the room reserved.
void AppendFromAnsi(std::wstring& out, std::string_view text);

// Letter-case folding that does not depend on the C runtime's locale.
std::wstring Lower(std::wstring text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

// One UTF-16 unit in upper case, unit by unit as the file system compares names
// without regard to letter case; ASCII is folded here, everything else by the system.
wchar_t UpperBeyondAscii(wchar_t c);
inline wchar_t FoldCase(wchar_t c) {
    if (c >= 0x80) return UpperBeyondAscii(c);
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - (L'a' - L'A')) : c;
}

// Text before the first NUL character, or all of it when it has none.
std::wstring CutAtNul(std::wstring_view text);

} // namespace Text
