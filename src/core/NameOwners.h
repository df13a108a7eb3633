#pragma once
// Two configurations of one run that would land different files under one name (two
// folders' Offer.dotx, one ShortcutName in two configurations) would overwrite each
// other at every logon, and one department would always get the other's template. In
// one run a name belongs to the first configuration, in the run's order, that lands it;
// a later one may land the same thing there (one source used by two is no clash), but
// nothing else.
#include "core/CurrentInstalls.h"

#include <string>
#include <unordered_map>

namespace Module1 {

class NameOwners {
  public:
    // The configuration that owns sName (a name, or a path below the folder) for
    // something other than `what`; "" when sName may take `what`.
    // `what` names what lands there: a source, or what a shortcut holds.
    std::wstring OwnerOfOther(const std::wstring& sName, const std::wstring& what) const {
        const auto owner = owners_.find(FoldedPath(sName));
        return owner == owners_.end() || owner->second.what == what ? std::wstring()
                                                                    : owner->second.config;
    }
    // sConfig lands `what` under sName: it owns the name unless another did first.
    void Claim(const std::wstring& sName, const std::wstring& sConfig, const std::wstring& what) {
        owners_.try_emplace(FoldedPath(sName), Owner{sConfig, what});
    }

  private:
    struct Owner {
        std::wstring config;
        std::wstring what;
    };
    std::unordered_map<std::wstring, Owner> owners_;
};

} // namespace Module1
