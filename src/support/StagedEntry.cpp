// What stands in a working folder, asked through the handle that holds it.
#include "support/FolderHandle.h"
#include "support/LinkTag.h"
#include "support/Staging.h"

namespace CommonModule {

namespace {

constexpr ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::wstring FirstPart(const std::wstring& sRel) {
    return sRel.substr(0, sRel.find(L'\\'));
}

// What an open entry is, in words; "" for a plain file with one name.
std::wstring WhatStands(HANDLE h) {
    BY_HANDLE_FILE_INFORMATION info{};
    const LinkAnswer link = LinkOfHandle(h);
    if (!GetFileInformationByHandle(h, &info) || link == LinkAnswer::Unknown)
        return L"something the file system would not describe";
    if (link == LinkAnswer::Link) return L"a link";
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return L"a folder";
    if (info.nNumberOfLinks > 1)
        return L"a file with " + std::to_wstring(info.nNumberOfLinks) +
               L" names (a hard link to a file elsewhere)";
    return {};
}

} // namespace

bool StagingFolder::Vacant(const std::wstring& sRel, std::wstring& why) const {
    if (!hold_) return false;
    LONG status = 0;
    const std::wstring name = FirstPart(sRel);
    const ScopedWin::UniqueFile entry =
        OpenInFolder(hold_.get(), name, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                     kShareAll, 0, status);
    if (!entry && IsMissingStatus(status)) return true;
    std::wstring what = entry ? WhatStands(entry.get()) : StatusText(status);
    // A plain file with this one name leads nowhere else: one this run staged before (a
    // second source of the same name) goes, through its handle.
    if (what.empty() && DeleteThrough(entry.get(), FILE_ATTRIBUTE_READONLY, what)) return true;
    why = L"the working folder \"" + path_ + L"\" holds \"" + name + L"\" already, which this " +
          L"run did not put there (" + what + L"); nothing written";
    return false;
}

bool StagingFolder::Landed(const std::wstring& sRel, std::wstring& why) const {
    if (!hold_) return false;
    HANDLE folder = hold_.get();
    ScopedWin::UniqueFile within, file;
    std::wstring rest = sRel, what;
    LONG status = 0;
    for (size_t cut = rest.find(L'\\');; cut = rest.find(L'\\')) {
        const bool last = cut == std::wstring::npos;
        ScopedWin::UniqueFile next =
            OpenInFolder(folder, rest.substr(0, cut), FILE_READ_ATTRIBUTES | FILE_LIST_DIRECTORY,
                         kShareAll, last ? FILE_NON_DIRECTORY_FILE : FILE_DIRECTORY_FILE, status);
        // Nothing arrived: what follows tells a copy that failed.
        if (!next && IsMissingStatus(status)) return true;
        if (!next) {
            what = StatusText(status);
            break;
        }
        if (last) {
            what = WhatStands(next.get());
            if (what.empty()) return true;
            break;
        }
        // A folder the copy made, reached only if it is no link.
        if (LinkOfHandle(next.get()) != LinkAnswer::Plain) {
            what = L"a link in place of the folder \"" + rest.substr(0, cut) + L"\"";
            break;
        }
        within = std::move(next);
        folder = within.get();
        rest = rest.substr(cut + 1);
    }
    why = L"what the working folder \"" + path_ + L"\" holds under \"" + sRel +
          L"\" is not the file this run wrote (" + what + L")";
    return false;
}

} // namespace CommonModule
