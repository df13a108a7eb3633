#include "core/KnownNames.h"

#include "support/ScopedWin.h"
#include "support/Text.h"

#include <windows.h>

namespace Module1 {

bool KnownNames::MayHold(const std::wstring& sFolder, const std::wstring& sName) {
    if (sFolder.empty()) return true;
    Listing& listing = Of(sFolder);
    return !listing.complete || !listing.names.insert(Text::Lower(sName)).second;
}

bool KnownNames::MayHoldUnwritten(const std::wstring& sFolder, const std::wstring& sName) {
    if (sFolder.empty()) return true;
    const Listing& listing = Of(sFolder);
    return !listing.complete || listing.names.contains(Text::Lower(sName));
}

KnownNames::Listing& KnownNames::Of(const std::wstring& sFolder) {
    auto [entry, fresh] = folders_.try_emplace(Text::Lower(sFolder));
    if (fresh) entry->second = List(sFolder);
    return entry->second;
}

KnownNames::Listing KnownNames::List(const std::wstring& sFolder) {
    Listing listing;
    WIN32_FIND_DATAW found{};
    ScopedWin::UniqueFind search(FindFirstFileExW((sFolder + L"\\*").c_str(), FindExInfoBasic,
                                                  &found, FindExSearchNameMatch, nullptr,
                                                  FIND_FIRST_EX_LARGE_FETCH));
    if (!search) {
        // A folder that is not there yet holds nothing.
        listing.complete = GetLastError() == ERROR_PATH_NOT_FOUND;
        return listing;
    }
    do {
        listing.names.insert(Text::Lower(found.cFileName));
    } while (FindNextFileW(search.get(), &found));
    listing.complete = GetLastError() == ERROR_NO_MORE_FILES;
    return listing;
}

} // namespace Module1
