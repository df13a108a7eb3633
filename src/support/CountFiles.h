#pragma once
#include <string>

namespace CommonModule {

// The plain files (no folders, hidden or system files) in `sPath` that match
// `sPattern` ("" for all), up to the largest 16-bit count.
short CountFiles(std::wstring sPath, std::wstring sPattern);

} // namespace CommonModule
