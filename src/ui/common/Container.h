#pragma once
// A borderless panel that holds controls. What its controls tell their parent
// (commands, notifications, colour requests) goes on to the top-level window, which
// handles them as if the controls were its own.
#include <windows.h>

namespace Container {
inline constexpr wchar_t kClassName[] = L"DorvanePanel";
void Register();
} // namespace Container
