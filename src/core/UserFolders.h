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

// While one is alive, each of the two folders is looked up and checked once: a run
// that installs many configurations asks the same question for each of them, and the
// answer cannot change between two configurations of one run without the user's own
// doing. Scopes nest; the outermost one holds the answers.
class UserFolderScope {
  public:
    UserFolderScope();
    ~UserFolderScope();
    UserFolderScope(const UserFolderScope&) = delete;
    UserFolderScope& operator=(const UserFolderScope&) = delete;

  private:
    bool owner_ = false;
};

} // namespace Module1
