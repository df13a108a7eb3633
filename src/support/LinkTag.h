#pragma once
// The one answer to "does this name lead somewhere else?". A reparse point is not a
// link by itself: OneDrive's placeholders (a Desktop moved into OneDrive holds nothing
// else), deduplicated files and others carry reparse points of their own tags and are
// plain data files, to be checked, replaced and removed like any other. Only name
// surrogates (symbolic links, junctions, mount points and the like) lead elsewhere.
#include <windows.h>

namespace CommonModule {

// True when an entry with these attributes and this reparse tag is a link. The tag
// counts only when the attributes say there is a reparse point.
bool IsLinkTag(DWORD attributes, DWORD reparseTag);

// False when the attributes show no reparse point at all, so that no tag needs asking.
bool MayBeLink(DWORD attributes);

// The same for an entry of a folder listing, whose dwReserved0 holds the tag.
bool IsLinkEntry(const WIN32_FIND_DATAW& found);

enum class LinkAnswer {
    Plain,   // no reparse point, or one that is no name surrogate
    Link,    // a name surrogate
    Unknown, // the file system would not tell
};

// The same for a handle opened with FILE_FLAG_OPEN_REPARSE_POINT, asked in one query
// (FileAttributeTagInfo).
LinkAnswer LinkOfHandle(HANDLE h);

} // namespace CommonModule
