#include "support/DebugLog.h"

// Leaf headers only: the log sits below everything else of the program.
#include "support/ScopedWin.h"
#include "support/Text.h"

#include <new>

namespace CommonModule {

namespace {
DebugObserver& Observer() {
    static DebugObserver observer;
    return observer;
}

LineSink& FileSink() {
    static LineSink sink;
    return sink;
}

LineSink& FailureSink() {
    static LineSink sink;
    return sink;
}
} // namespace

ErrorInfo Win32Error(DWORD code) {
    ScopedWin::UniqueLocal buffer;
    const DWORD len = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(buffer.put()), 0, nullptr);
    const auto* text = static_cast<const wchar_t*>(buffer.get());
    std::wstring description = len && text ? std::wstring(text, len) : L"Unknown error";
    while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r' ||
                                    description.back() == L' '))
        description.pop_back();
    return {static_cast<long>(code), description};
}

ErrorInfo LastError() {
    return Win32Error(GetLastError());
}

ErrorInfo HResultError(HRESULT hr) {
    const DWORD code = HRESULT_FACILITY(hr) == FACILITY_WIN32 ? static_cast<DWORD>(HRESULT_CODE(hr))
                                                              : static_cast<DWORD>(hr);
    return Win32Error(code);
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
        // A name with characters the ANSI code page lacks shows them as "<U+041E>",
        // not as question marks or look-alikes that would name another file.
        const std::string ansi = Text::ToAnsiEscaped(line);
        OutputDebugStringA(ansi.c_str());
        if (Observer()) Observer()(ansi);
        if (FileSink()) FileSink()(line);
    } catch (...) {
    }
}

void DPrintToFileOnly(std::wstring_view value) noexcept {
    try {
        if (FileSink()) FileSink()(L'\t' + std::wstring(value));
    } catch (...) {
    }
}

void DPrintStepFailed(const std::wstring& value) noexcept {
    DPrintTexts({value});
    try {
        if (FailureSink()) FailureSink()(value);
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

void SetFileSink(LineSink sink) {
    FileSink() = std::move(sink);
}

void SetStepFailureSink(LineSink sink) {
    FailureSink() = std::move(sink);
}

void SetDebugObserver(DebugObserver observer) {
    Observer() = std::move(observer);
}

} // namespace CommonModule
