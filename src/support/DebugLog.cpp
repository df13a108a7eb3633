#include "support/DebugLog.h"

#include "support/AppSettings.h"
#include "support/Text.h"

#include <new>

namespace CommonModule {

namespace {
DebugObserver& Observer() {
    static DebugObserver observer;
    return observer;
}

std::wstring TimeOfDayText() {
    wchar_t buf[64] = {};
    if (GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buf, 64) <= 0) return {};
    return buf;
}
} // namespace

ErrorInfo Win32Error(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD len = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring description = len && text ? std::wstring(text, len) : L"Unknown error";
    if (text) LocalFree(text);
    while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r' ||
                                    description.back() == L' '))
        description.pop_back();
    return {static_cast<long>(code), description};
}

ErrorInfo LastError() {
    return Win32Error(GetLastError());
}

ErrorInfo CurrentExceptionError() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return Win32Error(ERROR_NOT_ENOUGH_MEMORY);
    } catch (...) {
        return Win32Error(ERROR_BUFFER_OVERFLOW);
    }
}

void DPrintTexts(std::initializer_list<std::wstring> values) noexcept {
    try {
        std::wstring line;
        for (const auto& v : values) {
            line += L'\t';
            line += v;
        }
        const std::string ansi = Text::ToAnsi(line);
        OutputDebugStringA(ansi.c_str());
        if (Observer()) Observer()(ansi);
        if (bDebugToFile) SaveTextToFileNoDebug(sDebugFile, TimeOfDayText() + line, false, false);
    } catch (...) {
    }
}

void DPrintToFileOnly(std::wstring_view value) noexcept {
    try {
        if (bDebugToFile)
            SaveTextToFileNoDebug(sDebugFile, TimeOfDayText() + L'\t' + std::wstring(value), false,
                                  false);
    } catch (...) {
    }
}

void ReportError(std::wstring_view routine, const ErrorInfo& error, ParamList params) noexcept {
    try {
        DPrint(L"CommonModule\\" + std::wstring(routine) + L" VB ERROR: " +
               std::to_wstring(error.number) + L" " + error.description);
        for (const auto& [name, value] : params)
            DPrint(L"\t- " + std::wstring(name) + L"=" + value);
    } catch (...) {
    }
}

void SetDebugObserver(DebugObserver observer) {
    Observer() = std::move(observer);
}

} // namespace CommonModule
