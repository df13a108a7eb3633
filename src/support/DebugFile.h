#pragma once
// Appending lines to a text file without a word to the debug log: this is what the
// log's file channel writes with, so nothing here may report through DPrint.
#include <string>

namespace CommonModule {

// Writes `sText` and CR LF (ANSI, characters beyond it as <U+041E>): replacing the file when
// `bOverwrite`, else appended; with `bNoDuplicates` a line already present in any letter case is
// not written again. True when the line is in the file.
bool SaveTextToFileNoDebug(const std::wstring& sFileName, const std::wstring& sText,
                           bool bOverwrite, bool bNoDuplicates);
// The folder part of a path (before its last "\"), or "" when it has none.
std::wstring StripNameFromPathNoDebug(const std::wstring& sPath);

} // namespace CommonModule
