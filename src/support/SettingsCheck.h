#pragma once
// What the application INI file holds that the program does not take as written: an
// administrator's typo would otherwise be ignored in silence, and a log switched on
// with "ToFile=yes" would just never appear.
#include <string>
#include <vector>

namespace CommonModule {

// One line for each unknown section, unknown key in a known section, and value of a
// switch that is not understood (with the value taken instead), in the file's order.
// sText is the file's text; sFileName names it in the lines.
std::vector<std::wstring> SettingsMistakes(const std::wstring& sText,
                                           const std::wstring& sFileName);
// The same for the file, in whichever encoding it was saved; nothing for a file that
// is not there or cannot be read.
std::vector<std::wstring> SettingsMistakesNoDebug(const std::wstring& sIniFile);

} // namespace CommonModule
