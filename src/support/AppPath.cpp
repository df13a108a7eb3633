#include "support/AppPath.h"

#include "support/DebugLog.h"

#include <windows.h>

namespace CommonModule {

std::wstring ModuleFileName() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) return buf.substr(0, n);
        if (buf.size() >= 32768) return {};
        buf.resize(buf.size() * 2);
    }
}

std::wstring AppPath() {
    std::wstring folder = ModuleFileName();
    if (folder.empty()) {
        ReportError(L"AppPath", LastError());
        return folder;
    }
    folder.erase(folder.find_last_of(L'\\') + 1);
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::wstring ExeName() {
    std::wstring name = ModuleFileName();
    name = name.substr(name.find_last_of(L'\\') + 1);
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

} // namespace CommonModule
