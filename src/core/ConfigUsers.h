#pragma once
// Which configurations name a file of a data folder: those of "Configs", and those
// moved into "Retired", whose removal at the next logon still needs the file to tell
// an installed copy from a user's own. The window asks before it deletes or replaces
// such a file.
#include <string>
#include <vector>

namespace Module1 {

class ConfigUsers {
  public:
    // Reads every configuration of "Configs" and "Retired" once.
    ConfigUsers();
    // The configurations, sExceptConfigFile aside, whose TemplateFile (sFolder
    // "Templates") or ShortcutIcon (sFolder "AltIcons") names sRelative, as the window
    // shows them: "Memo", "Retired\Fax". Names compare as the file system compares them.
    std::vector<std::wstring> Naming(const std::wstring& sFolder, const std::wstring& sRelative,
                                     const std::wstring& sExceptConfigFile = L"") const;

  private:
    struct Config {
        std::wstring file, shown, templateFile, icon; // the two names as keys
    };
    std::vector<Config> configs_;
};

// "Memo, Retired\Fax".
std::wstring JoinNames(const std::vector<std::wstring>& names);

} // namespace Module1
