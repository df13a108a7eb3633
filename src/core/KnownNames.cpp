#include "core/KnownNames.h"

#include "support/Staging.h"
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

const FolderListing::Entry* KnownNames::Listed(const std::wstring& sFolder,
                                               const std::wstring& sName) {
    if (sFolder.empty()) return nullptr;
    const FolderListing& listing = Of(sFolder);
    const auto found = listing.names.find(Text::Lower(sName));
    if (found == listing.names.end() || found->second.ambiguous || found->second.name.empty())
        return nullptr;
    return &found->second;
}

void KnownNames::Written(const std::wstring& sFolder, const std::wstring& sName) {
    if (sFolder.empty()) return;
    Of(sFolder).names[Text::Lower(sName)] = {};
}

std::vector<std::pair<std::wstring, std::vector<std::wstring>>> KnownNames::WorkingFoldersListed() {
    std::vector<std::pair<std::wstring, std::vector<std::wstring>>> found;
    for (const auto& [key, listed] : folders_) {
        std::vector<std::wstring> names;
        for (const auto& [lower, entry] : listed.listing.names) {
            const DWORD a = entry.data.dwFileAttributes;
            if ((a & FILE_ATTRIBUTE_DIRECTORY) && (a & FILE_ATTRIBUTE_HIDDEN) && !entry.link &&
                !entry.name.empty() && CommonModule::NamedLikeWorkingFolder(entry.name))
                names.push_back(entry.name);
        }
        if (!names.empty()) found.emplace_back(listed.folder, std::move(names));
    }
    return found;
}

FolderListing& KnownNames::Of(const std::wstring& sFolder) {
    auto [entry, fresh] = folders_.try_emplace(Text::Lower(sFolder));
    if (fresh) entry->second = {sFolder, FolderListing::Of(sFolder)};
    return entry->second.listing;
}

} // namespace Module1
