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

namespace Module1 {

class KnownNames {
  public:
    // False when the name surely is not in the folder; it counts as there from now on,
    // as the caller is about to write it.
    bool MayHold(const std::wstring& sFolder, const std::wstring& sName);
    // The same question for a name the caller will not write: the answer stays as it was.
    bool MayHoldUnwritten(const std::wstring& sFolder, const std::wstring& sName);

  private:
    FolderListing& Of(const std::wstring& sFolder);

    std::unordered_map<std::wstring, FolderListing> folders_;
};

} // namespace Module1
