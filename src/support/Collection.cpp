#include "support/Collection.h"

#include "support/Text.h"

bool Collection::Add(std::wstring item, const std::wstring& key) {
    if (!keys_.insert(Text::Lower(key)).second) return false;
    items_.push_back(std::move(item));
    return true;
}

bool Collection::ContainsKey(const std::wstring& key) const {
    return keys_.count(Text::Lower(key)) != 0;
}

CommonModule::ErrorInfo Collection::DuplicateKeyError() {
    return {457, L"This key is already associated with an element of this collection"};
}
