#pragma once
#include <string>
#include <utility>
#include <vector>

namespace CommonModule {

// The key's value, exactly as the file holds it (ANSI, UTF-16 or UTF-8), or "" for a
// missing file, section or key.
std::wstring ReadIniSection(const std::wstring& sIniFile, const std::wstring& sSection,
                            const std::wstring& sKey);
// The values of sKeys in one read of the section (one open of the file, where reading
// key by key opens it once per key), each exactly as ReadIniSection gives it ("" for a
// missing file, section or key).
std::vector<std::wstring> ReadIniValues(const std::wstring& sIniFile, const std::wstring& sSection,
                                        const std::vector<std::wstring>& sKeys);
// The values of keys of several sections, {section, key} each, in one read of the whole
// file: at logon the file usually lies on a file server, where each open is a round trip.
std::vector<std::wstring>
ReadIniKeys(const std::wstring& sIniFile,
            const std::vector<std::pair<std::wstring, std::wstring>>& sSectionKeys);
// A value as a key read gives it back: without the blanks around it and without one
// pair of matching quotes around the whole (a section read hands it over as written).
std::wstring AsKeyReadGivesIt(const std::wstring& raw);
// True when the file has the section (letter case ignored), in whatever encoding.
bool HasIniSection(const std::wstring& sIniFile, const std::wstring& sSection);
// What to write so that a key read gives the value back, blanks around it aside: a value
// in a pair of quotes gets one more pair, which the read takes off again.
std::wstring KeptThroughKeyRead(const std::wstring& value);
// True when the value was written; false when the system refused the write (a folder
// that does not exist, a file that cannot be written). The file keeps its encoding, or
// becomes UTF-16 when a value needs it (IniEncodingForSave).
bool WriteIniValue(const std::wstring& sIniFile, const std::wstring& sSection,
                   const std::wstring& sKey, const std::wstring& sValue);
// The same for several keys, with one decision on the encoding for all their values.
bool WriteIniValues(const std::wstring& sIniFile, const std::wstring& sSection,
                    const std::vector<std::wstring>& sKeys,
                    const std::vector<std::wstring>& sValues);

} // namespace CommonModule
