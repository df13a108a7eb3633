#pragma once
// Macro-enabled templates that Office will not run, or that others could change: the
// run tells the administrator (a notice: a debug line, the window's report, the silent
// run's event) and changes nothing. Office decides on macros by where a template lies
// and where it came from; Dorvane sees both, the administrator neither.
#include "core/TrustedLocations.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace Module1 {

// .dotm, .dot, .xltm, .xlt, .potm and .pot, in any letter case.
bool IsMacroTemplate(const std::wstring& sFileName);

// A template in place in the user's templates folder.
struct PlacedTemplate {
    std::wstring who;        // what the notice starts with: the configuration, or the command
    std::wstring sRelative;  // its path below Templates, as the administrator names it
    std::wstring sSource;    // the file in Templates
    std::wstring sInstalled; // the copy in the user's templates folder (or a subfolder)
    bool bCopied = false;    // this run copied it; else it was found unchanged
};

class OfficeVersions;

class MacroNotices {
  public:
    explicit MacroNotices(OfficeVersions& versions) : versions_(versions) {}

    // Looks at a template that the run copied or found unchanged; nothing unless it is
    // macro-enabled and Dorvane.ini leaves the checks on. The source is asked only when
    // it was copied: a repeat logon asks the file server nothing per template.
    void InPlace(const PlacedTemplate& placed);

    const std::vector<std::wstring>& Notices() const noexcept { return notices_; }

  private:
    void Say(const std::wstring& who, const std::wstring& text);
    void Trust(const PlacedTemplate& placed);
    void Mark(const PlacedTemplate& placed);
    void Rights(const PlacedTemplate& placed);

    OfficeVersions& versions_;
    std::vector<std::wstring> notices_;
    // The Templates folder's broad writers, read once a run.
    std::optional<std::vector<std::wstring>> folderWriters_;
    // Per application: the version's settings, read once a run ("" when it is not looked
    // at), the folder last found trusted (each template of a folder has its answer), and
    // whether its notice was said.
    struct AppTrust {
        std::wstring version;
        TrustSettings settings;
        std::wstring trustedFolder;
        bool bTold = false;
    };
    std::array<std::optional<AppTrust>, 3> trust_;
};

} // namespace Module1
