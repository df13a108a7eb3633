#pragma once
// A tooltip that shows the whole text of a control that cuts its text short ("...").
// The tip is a window of its own, owned by the control's window so that it stays
// above it and goes with it.
#include "support/ScopedWin.h"

#include <windows.h>

#include <string>

namespace Tooltip {

// The system destroys a tip together with its owner window; whichever comes first.
struct TipTraits {
    using Handle = HWND;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept {
        if (IsWindow(h)) DestroyWindow(h);
    }
};
using UniqueTip = ScopedWin::Unique<TipTraits>;

// A tip over hControl, without text yet; empty when none could be made.
UniqueTip Create(HWND hControl);

// The text the tip shows over hControl; "" shows none.
void SetText(HWND hTip, HWND hControl, const std::wstring& text);

} // namespace Tooltip
