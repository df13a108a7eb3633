#pragma once
// One listing of a folder as a run first took it: every name (without regard to letter
// case) with the attributes, size and times the listing returned along with it, so that
// later questions about the folder's files cost no further trip to the disk or server.
#include <windows.h>

#include <string>
#include <unordered_map>

namespace Module1 {

struct FolderListing {
    struct Entry {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        bool ambiguous = false; // two names that differ only in letter case
        bool link = false;      // a name surrogate that leads elsewhere (LinkTag.h)
        std::wstring name;      // as listed; "" for a name written since
    };
    // True when the folder was read to its end, or is not there at all (it holds
    // nothing); false when it could not be read, or not wholly.
    bool complete = false;
    std::unordered_map<std::wstring, Entry> names; // by lower-case name

    static FolderListing Of(const std::wstring& sFolder);
};

} // namespace Module1
