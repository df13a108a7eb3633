#include "support/LinkTag.h"

namespace CommonModule {

bool IsLinkTag(DWORD attributes, DWORD reparseTag) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(reparseTag);
}

bool MayBeLink(DWORD attributes) {
    return attributes & FILE_ATTRIBUTE_REPARSE_POINT;
}

bool IsLinkEntry(const WIN32_FIND_DATAW& found) {
    return IsLinkTag(found.dwFileAttributes, found.dwReserved0);
}

LinkAnswer LinkOfHandle(HANDLE h) {
    FILE_ATTRIBUTE_TAG_INFO info{};
    if (!GetFileInformationByHandleEx(h, FileAttributeTagInfo, &info, sizeof info))
        return LinkAnswer::Unknown;
    return IsLinkTag(info.FileAttributes, info.ReparseTag) ? LinkAnswer::Link : LinkAnswer::Plain;
}

} // namespace CommonModule
