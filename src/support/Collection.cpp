#include "support/Collection.h"

#include "support/Text.h"

#include <utility>

namespace {

uint32_t FoldedHash(std::wstring_view key) {
    uint32_t h = 2166136261u; // FNV-1a over the upper-cased units
    for (wchar_t c : key) {
        h ^= static_cast<uint32_t>(Text::FoldCase(c));
        h *= 16777619u;
    }
    return h;
}

bool FoldedEqual(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && Text::FoldCase(a[i]) != Text::FoldCase(b[i])) return false;
    return true;
}

} // namespace

bool Collection::Add(std::wstring item, const std::wstring& key) {
    return Insert(std::move(item), &key);
}

bool Collection::Add(std::wstring item) {
    return Insert(std::move(item), nullptr);
}

bool Collection::ContainsKey(std::wstring_view key) const {
    if (slots_.empty()) return false;
    return Find(key, FoldedHash(key)).position != 0;
}

std::wstring_view Collection::KeyAt(size_t position) const {
    const bool separate = position < separateKey_.size() && separateKey_[position];
    return separate ? keys_[position] : items_[position];
}

const Collection::Slot& Collection::Find(std::wstring_view key, uint32_t hash) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.position == 0) return s;
        if (s.hash == hash && FoldedEqual(KeyAt(s.position - 1), key)) return s;
    }
}

Collection::Slot& Collection::Find(std::wstring_view key, uint32_t hash) {
    return const_cast<Slot&>(std::as_const(*this).Find(key, hash));
}

bool Collection::Insert(std::wstring item, const std::wstring* key) {
    // At most half the slots in use keeps the probe runs short.
    if ((items_.size() + 1) * 2 > slots_.size()) Grow();
    const std::wstring_view k = key ? std::wstring_view(*key) : std::wstring_view(item);
    const uint32_t hash = FoldedHash(k);
    Slot& slot = Find(k, hash);
    if (slot.position != 0) return false;
    // The flag is set last, when nothing can fail any more: a failed addition leaves
    // no position claiming a key of its own.
    if (key) {
        keys_.resize(items_.size() + 1);
        keys_.back() = *key;
        separateKey_.resize(items_.size() + 1);
    }
    items_.push_back(std::move(item));
    if (key) separateKey_.back() = true;
    slot = {hash, static_cast<uint32_t>(items_.size())};
    return true;
}

void Collection::Grow() {
    std::vector<Slot> old(slots_.empty() ? 16 : slots_.size() * 2);
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (const Slot& s : old) {
        if (s.position == 0) continue;
        size_t i = s.hash & mask;
        while (slots_[i].position != 0)
            i = (i + 1) & mask;
        slots_[i] = s;
    }
}

CommonModule::ErrorInfo Collection::DuplicateKeyError() {
    return {457, L"This key is already associated with an element of this collection"};
}
