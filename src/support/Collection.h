#pragma once
// An ordered list read by position 1..Count, each value under a text key that is
// unique without regard to letter case.
#include "support/ErrorInfo.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class Collection {
  public:
    // False, and nothing added, when the key is present already.
    bool Add(std::wstring item, const std::wstring& key);
    // The same with the item's own text as its key, without keeping a second copy.
    bool Add(std::wstring item);
    size_t Count() const { return items_.size(); }
    const std::wstring& Item(size_t oneBasedIndex) const { return items_.at(oneBasedIndex - 1); }
    bool ContainsKey(std::wstring_view key) const;

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    // What adding a present key reports.
    static CommonModule::ErrorInfo DuplicateKeyError();

  private:
    // An open-addressing index over the keys, a power of two of slots, each holding a
    // key's hash and its item's position plus one (0: free). No allocation per key,
    // and growing re-spreads the stored hashes without reading a key again.
    struct Slot {
        uint32_t hash = 0;
        uint32_t position = 0;
    };

    std::wstring_view KeyAt(size_t position) const;
    // The slot holding `key`, or the free slot where it belongs.
    Slot& Find(std::wstring_view key, uint32_t hash);
    const Slot& Find(std::wstring_view key, uint32_t hash) const;
    bool Insert(std::wstring item, const std::wstring* key);
    void Grow();

    std::vector<std::wstring> items_;
    // Keys given apart from their items, by position; both are grown only as far as
    // the last such item, so items that are their own keys cost nothing here.
    std::vector<std::wstring> keys_;
    std::vector<bool> separateKey_;
    std::vector<Slot> slots_;
};
