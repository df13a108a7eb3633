#pragma once
// Tells, from one full listing of a folder, that a pattern without wildcards cannot
// match anything in it, so that the file search need not list the folder once more
// for that pattern. The screen may say "maybe" too often, never too rarely: whatever
// it lets through is listed by the platform itself, which alone decides the result.
#include <string_view>

namespace LiteralScreen {

// True for a pattern the screen can judge: printable ASCII name characters only, no
// wildcard, separator or space, no trailing dot, not a device name. Anything else
// always goes to the platform.
bool IsScreenable(std::wstring_view pattern);

// False only when the platform's name matching cannot accept an entry listed with
// this long name and 8.3 short name (as the listing reports them) for a screenable
// pattern.
bool MayMatch(std::wstring_view pattern, std::wstring_view longName, std::wstring_view shortName);

} // namespace LiteralScreen
