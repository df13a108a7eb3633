#pragma once
// An ordered list read by position 1..Count, each value under a text key that is
// unique without regard to letter case.
#include "support/ErrorInfo.h"

#include <string>
#include <unordered_set>
#include <vector>

class Collection {
  public:
    // False, and nothing added, when the key is present already.
    bool Add(std::wstring item, const std::wstring& key);
    size_t Count() const { return items_.size(); }
    const std::wstring& Item(size_t oneBasedIndex) const { return items_.at(oneBasedIndex - 1); }
    bool ContainsKey(const std::wstring& key) const;

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    // What adding a present key reports.
    static CommonModule::ErrorInfo DuplicateKeyError();

  private:
    std::vector<std::wstring> items_;
    std::unordered_set<std::wstring> keys_; // folded to lower case
};
