#include "core/FolderListing.h"

#include "support/LinkTag.h"
#include "support/ScopedWin.h"
#include "support/Text.h"

namespace Module1 {

FolderListing FolderListing::Of(const std::wstring& sFolder) {
    FolderListing listing;
    WIN32_FIND_DATAW found{};
    ScopedWin::UniqueFind search(FindFirstFileExW((sFolder + L"\\*").c_str(), FindExInfoBasic,
                                                  &found, FindExSearchNameMatch, nullptr,
                                                  FIND_FIRST_EX_LARGE_FETCH));
    if (!search) {
        listing.complete = GetLastError() == ERROR_PATH_NOT_FOUND;
        return listing;
    }
    // What a listing that stops early did show still stands.
    do {
        auto [entry, fresh] = listing.names.try_emplace(Text::Lower(found.cFileName));
        entry->second.ambiguous = !fresh;
        entry->second.name = found.cFileName;
        entry->second.link = CommonModule::IsLinkEntry(found);
        entry->second.data = {found.dwFileAttributes, found.ftCreationTime, found.ftLastAccessTime,
                              found.ftLastWriteTime,  found.nFileSizeHigh,  found.nFileSizeLow};
    } while (FindNextFileW(search.get(), &found));
    listing.complete = GetLastError() == ERROR_NO_MORE_FILES;
    return listing;
}

} // namespace Module1
