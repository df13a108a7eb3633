#pragma once
// A trapped failure as the error reports show it: a number and its description.
#include <string>

namespace CommonModule {

struct ErrorInfo {
    long number = 0;
    std::wstring description;
};

} // namespace CommonModule
