#include "core/ListedFiles.h"

#include "support/Text.h"

namespace Module1 {

const FolderListing::Entry* ListedFiles::Listed(const std::wstring& sFolder,
                                                const std::wstring& sName) {
    if (sFolder.empty() || sName.find_first_of(L"\\/*?") != std::wstring::npos) return nullptr;
    auto [entry, fresh] = folders_.try_emplace(Text::Lower(sFolder));
    if (fresh) entry->second = FolderListing::Of(sFolder);
    // A name the listing did not reach is asked for on its own.
    const auto& names = entry->second.names;
    const auto found = names.find(Text::Lower(sName));
    if (found == names.end() || found->second.ambiguous) return nullptr;
    return &found->second;
}

bool ListedFiles::Find(const std::wstring& sFolder, const std::wstring& sName,
                       WIN32_FILE_ATTRIBUTE_DATA& data) {
    const FolderListing::Entry* listed = Listed(sFolder, sName);
    // A link's own size and time are not its target's.
    if (!listed || listed->link) return false;
    data = listed->data;
    return true;
}

bool ListedFiles::FindPlain(const std::wstring& sPath, FolderListing::Entry& entry) {
    const size_t cut = sPath.find_last_of(L'\\');
    if (cut == std::wstring::npos) return false;
    const FolderListing::Entry* listed = Listed(sPath.substr(0, cut), sPath.substr(cut + 1));
    if (!listed || listed->link || (listed->data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    entry = *listed;
    return true;
}

} // namespace Module1
