#pragma once
// The one place that decides in which encoding an INI file is read and written.
// Administrators save configuration files with whatever editor they have: ANSI, UTF-16
// ("Unicode") and UTF-8 with or without its mark (Notepad's default) all occur.
#include <string>
#include <string_view>
#include <vector>

namespace CommonModule {

enum class IniEncoding {
    // Everything the system's profile functions read and write as they always have:
    // ANSI text, and any file that is none of the three below.
    Ansi,
    // Starts with the UTF-16 LE mark: the profile functions read and write it in Unicode.
    Utf16,
    // No mark, and every byte beyond ASCII is part of valid UTF-8. Read and written here:
    // the profile functions would take it for ANSI.
    Utf8,
    // Starts with the UTF-8 mark. Read and written here: Windows' profile functions do not
    // know the mark and would read the first line as "\u00ef\u00bb\u00bf[Config]".
    Utf8Marked,
};

IniEncoding IniEncodingOf(std::string_view bytes);
bool IsUtf8(IniEncoding encoding);

// A save keeps a UTF-8 or UTF-16 file's encoding. An ANSI file, and a new (empty) one,
// stays ANSI unless one of the values needs a character the ANSI code page lacks: then
// it becomes UTF-16 LE with its mark, which holds every character.
IniEncoding IniEncodingForSave(IniEncoding current, const std::vector<std::wstring>& values);

// The file's text without its mark, and text encoded with the mark its encoding has.
std::wstring DecodeIniText(std::string_view bytes, IniEncoding encoding);
std::string EncodeIniText(std::wstring_view text, IniEncoding encoding);

// The whole file; a missing file reads as empty. False when it is there but cannot
// be read.
bool ReadIniBytes(const std::wstring& sIniFile, std::string& bytes);
// Replaces the file's content, creating it when missing; the file keeps its security.
bool WriteIniBytes(const std::wstring& sIniFile, std::string_view bytes);

} // namespace CommonModule
