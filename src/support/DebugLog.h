#pragma once
// The program's single diagnostic sink, and the one way a routine reports a failure:
// the failure becomes an ErrorInfo (from a Win32 code, an HRESULT or a trapped
// exception), and the routine hands it to ReportError or to its own documented line.
#include "support/ErrorInfo.h"

#include <windows.h>

#include <concepts>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace CommonModule {

// Describes a Win32 error code (GetLastError) with the system text.
ErrorInfo Win32Error(DWORD code);
ErrorInfo LastError();
// An HRESULT: one that wraps a Win32 code is described by that code, as the system
// message table knows Win32 failures only by their plain number.
ErrorInfo HResultError(HRESULT hr);
// The exception being handled (call inside a catch block only): out of memory, or the
// text grew past its largest size.
ErrorInfo CurrentExceptionError();

// Runs one step; an exception it throws becomes an ErrorInfo for `report`, and the
// caller carries on with what it has. False when the step failed.
template <class Step, class Report> bool Trap(Step step, Report report) noexcept {
    try {
        step();
        return true;
    } catch (...) {
        try {
            report(CurrentExceptionError());
        } catch (...) {
        }
        return false;
    }
}

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

// Builds one line, a TAB before each value, and sends it to the debugger output and to
// the file channel when one is installed. A failure on the way costs the line, never
// the caller.
void DPrintTexts(std::initializer_list<std::wstring> values) noexcept;
template <class... T> void DPrint(const T&... values) {
    DPrintTexts({ToText(values)...});
}

// A line that says a step of the run failed: the same line DPrint sends, and handed
// (without its TAB) to the failure channel when one is installed.
void DPrintStepFailed(const std::wstring& value) noexcept;

// A line, in DPrint's form, for the file channel alone: nothing when none is installed.
void DPrintToFileOnly(std::wstring_view value) noexcept;

// "CommonModule\<routine> VB ERROR: <number> <description>", then one line per
// parameter: TAB "- " name "=" value.
using ParamList = std::initializer_list<std::pair<std::wstring_view, std::wstring>>;
void ReportError(std::wstring_view routine, const ErrorInfo& error, ParamList params = {}) noexcept;

// The file channel: receives every line (wide, as built, without time or line end)
// after the debugger has it. The log knows nothing of files; whoever decides where
// lines are kept installs the channel, and an empty one removes it. The channel must
// not call DPrint.
using LineSink = std::function<void(const std::wstring& line)>;
void SetFileSink(LineSink sink);

// The failure channel: a silent run collects what failed for its report. Must not call
// DPrint; an empty one removes it.
void SetStepFailureSink(LineSink sink);

// Tests watch the lines as they leave for the debugger (ANSI, exactly as sent).
using DebugObserver = std::function<void(const std::string& ansiLine)>;
void SetDebugObserver(DebugObserver observer);

} // namespace CommonModule
