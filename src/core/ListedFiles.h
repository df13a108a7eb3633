#pragma once
// The sizes and times of a run's source files, from one listing of each source folder
// instead of one query per file: on a file server every query is a round trip, and a
// listing returns them all at once.
#include "core/FolderListing.h"

#include <windows.h>

#include <string>
#include <unordered_map>

namespace Module1 {

class ListedFiles {
  public:
    // The attributes, size and last-write time of sFolder\sName as the run's one listing
    // of sFolder showed them. False when the listing did not show that name (a name in
    // a subfolder, a short or otherwise spelled name, a folder that could not be read):
    // then ask the file itself.
    bool Find(const std::wstring& sFolder, const std::wstring& sName,
              WIN32_FILE_ATTRIBUTE_DATA& data);
    // The entry of the file at sPath when that listing shows a plain file there: no
    // folder, no link. A reparse point that is no link is a plain data file, and its
    // entry comes without the reparse attribute. False when the listing cannot vouch for
    // a plain file of that name; then ask the file itself.
    bool FindPlain(const std::wstring& sPath, FolderListing::Entry& entry);

  private:
    const FolderListing::Entry* Listed(const std::wstring& sFolder, const std::wstring& sName);
    std::unordered_map<std::wstring, FolderListing> folders_;
};

} // namespace Module1
