#pragma once
// The two folders of the user's profile that installing writes into, and whether they
// may be written into: found by the shell, and not moved elsewhere by a link.
#include <optional>
#include <string>

namespace Module1 {

// Each folder is looked up and checked once: a run that installs many configurations
// asks the same question for each of them, and the answer cannot change between two
// configurations of one run without the user's own doing.
class UserFolders {
  public:
    // True when sUserTemplatesDir is known and is where the shell reported it; otherwise
    // why says what is wrong with it.
    bool TemplatesFolderUsable(std::wstring& why);
    // The user's desktop folder, or "" with why when the shell does not know it or a
    // link has moved it.
    std::wstring UsableDesktopFolder(std::wstring& why);

  private:
    struct Answer {
        std::wstring folder; // "" when the folder may not be written into
        std::wstring why;
    };
    // The answer for sFolder, found by the shell; sMissing says why when it is "".
    static Answer Check(const std::wstring& sFolder, const wchar_t* sMissing);
    std::optional<Answer> templates_;
    std::optional<Answer> desktop_;
};

} // namespace Module1
