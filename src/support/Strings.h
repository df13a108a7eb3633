#pragma once
// String and path helpers: every comparison exact, only "\" separates path parts.
#include <string>

namespace CommonModule {

std::wstring StripPath(const std::wstring& sFullPathAndFileName);
std::wstring Strip(std::wstring psLine, const std::wstring& psRemoveStr);
std::wstring StripEndOfString(const std::wstring& sOriginalString, const std::wstring& sDelimiter,
                              bool bUseFirstDelimiter, bool bStripLeadingSpaces,
                              bool bStripTrailingSpaces);
std::wstring StripTrailingCharacters(const std::wstring& sOriginalString,
                                     const std::wstring& sTrailingCharacter);
std::wstring StripPreceedingCharacters(const std::wstring& sOriginalString,
                                       const std::wstring& sCharacter);

} // namespace CommonModule
