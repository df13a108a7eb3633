#pragma once
// The two folders of the user's profile that installing writes into, and whether they
// may be written into: found by the shell, and not moved elsewhere by a link.
#include <string>

namespace Module1 {

// True when sUserTemplatesDir is known and is where the shell reported it; otherwise
// why says what is wrong with it.
bool UserTemplatesFolderUsable(std::wstring& why);

// The user's desktop folder, or "" with why when the shell does not know it or a link
// has moved it.
std::wstring UsableDesktopFolder(std::wstring& why);

} // namespace Module1
