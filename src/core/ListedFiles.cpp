#include "core/ListedFiles.h"

#include "support/ScopedWin.h"
#include "support/Text.h"

namespace Module1 {

bool ListedFiles::Find(const std::wstring& sFolder, const std::wstring& sName,
                       WIN32_FILE_ATTRIBUTE_DATA& data) {
    if (sFolder.empty() || sName.find_first_of(L"\\/*?") != std::wstring::npos) return false;
    auto [entry, fresh] = folders_.try_emplace(Text::Lower(sFolder));
    if (fresh) entry->second = List(sFolder);
    const auto found = entry->second.find(Text::Lower(sName));
    if (found == entry->second.end() || found->second.ambiguous) return false;
    data = found->second.data;
    return true;
}

ListedFiles::Listing ListedFiles::List(const std::wstring& sFolder) {
    Listing listing;
    WIN32_FIND_DATAW found{};
    ScopedWin::UniqueFind search(FindFirstFileExW((sFolder + L"\\*").c_str(), FindExInfoBasic,
                                                  &found, FindExSearchNameMatch, nullptr,
                                                  FIND_FIRST_EX_LARGE_FETCH));
    if (!search) return listing;
    // What a listing that stops early did show still stands; a name it did not reach
    // is asked for on its own.
    do {
        auto [entry, fresh] = listing.try_emplace(Text::Lower(found.cFileName));
        entry->second.ambiguous = !fresh;
        entry->second.data = {found.dwFileAttributes, found.ftCreationTime, found.ftLastAccessTime,
                              found.ftLastWriteTime,  found.nFileSizeHigh,  found.nFileSizeLow};
    } while (FindNextFileW(search.get(), &found));
    return listing;
}

} // namespace Module1
