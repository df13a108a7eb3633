#pragma once
// Whether two files hold the same bytes.
#include <string>

namespace CommonModule {

// False also when either cannot be read to its end.
bool SameContent(const std::wstring& sA, const std::wstring& sB);

} // namespace CommonModule
