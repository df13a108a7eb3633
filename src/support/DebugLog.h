#pragma once
// The program's single diagnostic sink and the error report that every support
// routine uses for a trapped failure.
#include <windows.h>

#include <concepts>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace CommonModule {

// A trapped failure: the number and the description that go into the report.
struct ErrorInfo {
    long number = 0;
    std::wstring description;
};
// Describes a Win32 error code (GetLastError, or an HRESULT) with the system text.
ErrorInfo Win32Error(DWORD code);
ErrorInfo LastError();
// The exception being handled (call inside a catch block only): out of memory, or the
// text grew past its largest size.
ErrorInfo CurrentExceptionError();

// Text forms of the values DPrint accepts: Booleans as the words True and False,
// numbers in plain decimal.
inline std::wstring ToText(std::wstring_view v) {
    return std::wstring(v);
}
inline std::wstring ToText(const wchar_t* v) {
    return v ? std::wstring(v) : std::wstring();
}
inline std::wstring ToText(const std::wstring& v) {
    return v;
}
inline std::wstring ToText(bool v) {
    return v ? L"True" : L"False";
}
template <std::integral T>
requires(!std::same_as<T, bool> && !std::same_as<T, wchar_t>) std::wstring ToText(T v) {
    return std::to_wstring(v);
}

// Builds one line, a TAB before each value, and sends it to the debugger output
// (and to the debug file while that channel is on). A failure on the way costs the line,
// never the caller.
void DPrintTexts(std::initializer_list<std::wstring> values) noexcept;
template <class... T> void DPrint(const T&... values) {
    DPrintTexts({ToText(values)...});
}
// A line, in DPrint's form, for the debug file alone: nothing while that channel is off.
void DPrintToFileOnly(std::wstring_view value) noexcept;

// "CommonModule\<routine> VB ERROR: <number> <description>", then one line per
// parameter: TAB "- " name "=" value.
using ParamList = std::initializer_list<std::pair<std::wstring_view, std::wstring>>;
void ReportError(std::wstring_view routine, const ErrorInfo& error, ParamList params = {}) noexcept;

// Tests watch the lines as they leave for the debugger (ANSI, exactly as sent).
using DebugObserver = std::function<void(const std::string& ansiLine)>;
void SetDebugObserver(DebugObserver observer);

} // namespace CommonModule
