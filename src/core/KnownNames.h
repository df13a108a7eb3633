#pragma once
// The names a folder held when a run first looked, and those the run has written there
// since: a name missing here needs no probe, since there is nothing to compare. A first
// install into an empty profile then costs no lookup of a missing name, which under
// Wine reads the whole folder each time, so that probing every new file of a folder
// that fills up would cost more with each file. A name written by someone else since
// the listing is copied as before; a name listed but gone is probed and copied.
#include "core/FolderListing.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Module1 {

class KnownNames {
  public:
    // False when the name surely is not in the folder; it counts as there from now on,
    // as the caller is about to write it.
    bool MayHold(const std::wstring& sFolder, const std::wstring& sName);
    // The same question for a name the caller will not write: the answer stays as it was.
    bool MayHoldUnwritten(const std::wstring& sFolder, const std::wstring& sName);
    // What the listing showed under that name, when it showed one file of that name
    // (not written since); nullptr otherwise.
    const FolderListing::Entry* Listed(const std::wstring& sFolder, const std::wstring& sName);
    // For each folder listed so far: the folder and the working folders of interrupted
    // runs its listing showed (see RemoveStaleWorkingFolders).
    std::vector<std::pair<std::wstring, std::vector<std::wstring>>> WorkingFoldersListed();
    // The caller wrote sName: what the listing showed of it no longer holds.
    void Written(const std::wstring& sFolder, const std::wstring& sName);
    // Lists sFolder now, unless it was listed already.
    void List(const std::wstring& sFolder) { Of(sFolder); }

  private:
    FolderListing& Of(const std::wstring& sFolder);

    struct Folder {
        std::wstring folder; // as first asked for
        FolderListing listing;
    };
    std::unordered_map<std::wstring, Folder> folders_;
};

} // namespace Module1
