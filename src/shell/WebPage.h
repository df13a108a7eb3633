#pragma once
#include <string>
namespace CommonModule {
// Hands an address to the shell's default handler; failures are not shown.
void OpenWebPage(const std::wstring& strWebPage);
} // namespace CommonModule
