#include "core/TrustedLocations.h"

#include "support/Text.h"

namespace Module1 {

namespace {

// A path as Office compares it: expanded, in any letter case, without a trailing
// backslash (but for a drive's root).
std::wstring Compared(const std::wstring& sPath, const PathView& view) {
    std::wstring path = view.expand(sPath);
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    return Text::Lower(path);
}

bool Below(const std::wstring& folder, const std::wstring& location) {
    return folder.size() > location.size() && folder.starts_with(location) &&
           (location.back() == L'\\' || folder[location.size()] == L'\\');
}

std::wstring Quoted(const std::wstring& s) {
    return L"\"" + s + L"\"";
}

} // namespace

std::wstring WhyNotTrusted(const TrustSettings& settings, const wchar_t* sApp,
                           const std::wstring& sFolder, const PathView& view) {
    const std::wstring app = sApp;
    if (settings.bAllDisabled)
        return L"a policy switches " + app + L"'s trusted locations off (AllLocationsDisabled)";
    if (!settings.bAllowNetwork && view.onNetwork(sFolder))
        return Quoted(sFolder) + L" is on the network, and " + app +
               L" trusts no location on the network (AllowNetworkLocations is not set)";

    std::vector<TrustedLocation> locations = settings.policyLocations;
    if (!settings.bPolicyOnly) {
        // Until the application has written its own list, its defaults stand.
        if (settings.bUserKey)
            locations.insert(locations.end(), settings.userLocations.begin(),
                             settings.userLocations.end());
        else
            locations.push_back({kDefaultTemplatesLocation, settings.bDefaultSubfolders});
    }
    const std::wstring folder = Compared(sFolder, view);
    const TrustedLocation* above = nullptr;
    for (const TrustedLocation& location : locations) {
        const std::wstring path = Compared(location.path, view);
        if (path.empty() || (!settings.bAllowNetwork && view.onNetwork(view.expand(location.path))))
            continue;
        if (path == folder || (location.bAllowSubfolders && Below(folder, path))) return {};
        if (Below(folder, path)) above = &location;
    }
    if (above)
        return L"it lies in the subfolder " + Quoted(sFolder) + L", and " + app +
               L"'s trusted location " + Quoted(above->path) +
               L" does not allow subfolders (AllowSubfolders)";
    if (settings.bPolicyOnly)
        return L"a policy allows only its own trusted locations (Allow User Locations = 0), and "
               L"none of them covers " +
               Quoted(sFolder);
    return L"none of " + app + L"'s trusted locations covers " + Quoted(sFolder);
}

} // namespace Module1
