#pragma once
// The sizes, times and path digests of a record's three items again in one REG_BINARY
// value, so that a repeat run checks its record with one query of a few bytes (Wine
// answers a value of more than some 250 bytes in two round trips, and three paths are
// longer). Written after the values it sums up, and removed before any of them changes.
#include "core/InstallRecord.h"

#include <windows.h>

#include <array>

namespace Module1 {

struct ItemState {
    ULONGLONG size = 0, time = 0, pathDigest = 0;
    bool operator==(const ItemState&) const = default;
};
using State = std::array<ItemState, 3>; // template, icon, shortcut

inline constexpr wchar_t kStateValue[] = L"State";

State StateOf(const InstallRecord& record);
bool ReadState(HKEY h, State& state);
LONG WriteState(HKEY h, const InstallRecord& record);
// Whether every item that landed is recorded as it landed.
bool StateHolds(const State& kept, const InstallRecord& landed);

} // namespace Module1
