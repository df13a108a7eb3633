#include "core/ListedFiles.h"

#include "support/Text.h"

namespace Module1 {

bool ListedFiles::Find(const std::wstring& sFolder, const std::wstring& sName,
                       WIN32_FILE_ATTRIBUTE_DATA& data) {
    if (sFolder.empty() || sName.find_first_of(L"\\/*?") != std::wstring::npos) return false;
    auto [entry, fresh] = folders_.try_emplace(Text::Lower(sFolder));
    if (fresh) entry->second = FolderListing::Of(sFolder);
    // A name the listing did not reach is asked for on its own.
    const auto& names = entry->second.names;
    const auto found = names.find(Text::Lower(sName));
    // A link's own size and time are not its target's.
    if (found == names.end() || found->second.ambiguous || found->second.link) return false;
    data = found->second.data;
    return true;
}

} // namespace Module1
