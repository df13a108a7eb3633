#pragma once
// Office runs the macros of a template only from a trusted location (or when it is signed
// by a trusted publisher, which Dorvane cannot see). Which folders are trusted is
// Office's own per-user setting, which policies can narrow; this decides, from what the
// registry answered, whether an installed template lies in one.
#include <functional>
#include <string>
#include <vector>

namespace Module1 {

struct TrustedLocation {
    std::wstring path; // as written: "%APPDATA%\Microsoft\Templates\", any letter case
    bool bAllowSubfolders = false;
};

// What the registry holds for one application and version.
struct TrustSettings {
    // ...\<App>\Security\Trusted Locations exists: the application has started for this
    // user and written its own list. Without it the application's defaults stand.
    bool bUserKey = false;
    std::vector<TrustedLocation> userLocations;
    std::vector<TrustedLocation> policyLocations;
    bool bAllDisabled = false;  // the policy's AllLocationsDisabled = 1
    bool bPolicyOnly = false;   // the policy's "Allow User Locations" = 0
    bool bAllowNetwork = false; // AllowNetworkLocations = 1, the policy's value first
    // The default location of the user's templates folder trusts its subfolders
    // (PowerPoint's does; Word's and Excel's do not).
    bool bDefaultSubfolders = false;
};

// How the caller's system sees a path: expanded ("%APPDATA%" and the like) and whether
// it lies on the network (a share, or a drive mapped to one).
struct PathView {
    std::function<std::wstring(const std::wstring&)> expand;
    std::function<bool(const std::wstring&)> onNetwork;
};

// Where Office puts the user's templates, and trusts them, until told otherwise.
inline constexpr wchar_t kDefaultTemplatesLocation[] = L"%APPDATA%\\Microsoft\\Templates";

// Why the application (sApp, as messages name it) does not trust sFolder, the expanded
// folder a template lies in, for macros; "" when it does.
std::wstring WhyNotTrusted(const TrustSettings& settings, const wchar_t* sApp,
                           const std::wstring& sFolder, const PathView& view);

} // namespace Module1
