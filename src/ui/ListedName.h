#pragma once
// Names as the folder lists them: a question names the file the user will find there,
// not the spelling a configuration or the open-file dialog gave ("LETTER.ICO",
// "Letter.dotx.").
#include <string>

namespace ListedName {

// sRelative below sFolder, each part spelled as its folder's listing spells it; a part
// the listing does not show stays as written.
std::wstring Of(const std::wstring& sFolder, const std::wstring& sRelative);

} // namespace ListedName
