#include "core/KnownNames.h"

#include "support/Text.h"

namespace Module1 {

bool KnownNames::MayHold(const std::wstring& sFolder, const std::wstring& sName) {
    if (sFolder.empty()) return true;
    FolderListing& listing = Of(sFolder);
    return !listing.complete || !listing.names.try_emplace(Text::Lower(sName)).second;
}

bool KnownNames::MayHoldUnwritten(const std::wstring& sFolder, const std::wstring& sName) {
    if (sFolder.empty()) return true;
    const FolderListing& listing = Of(sFolder);
    return !listing.complete || listing.names.contains(Text::Lower(sName));
}

FolderListing& KnownNames::Of(const std::wstring& sFolder) {
    auto [entry, fresh] = folders_.try_emplace(Text::Lower(sFolder));
    if (fresh) entry->second = FolderListing::Of(sFolder);
    return entry->second;
}

} // namespace Module1
