#pragma once
// Names that Windows turns into devices, whatever folder or extension comes with them.
#include <string_view>

namespace DeviceNames {

// True for a path segment that names a device: CON, PRN, AUX, NUL, CONIN$, CONOUT$,
// CLOCK$, COM0-COM9 or LPT0-LPT9 (and COM or LPT with a superscript 1, 2 or 3), in
// any letter case, judged by the part before the
// first dot with trailing blanks dropped (Windows drops them too: "nul .txt" is NUL).
bool IsDeviceName(std::wstring_view segment);

} // namespace DeviceNames
