#include "core/EventSource.h"

#include "support/AppPath.h"
#include "support/DebugLog.h"
#include "support/EventLog.h"
#include "support/LastingPath.h"
#include "support/ScopedWin.h"

namespace Module1 {

ExitCode EventSourceOutcome(LSTATUS status, bool bRegister) {
    if (status == ERROR_SUCCESS) return ExitOk;
    const std::wstring what =
        bRegister ? L"cannot register the event source" : L"cannot remove the event source";
    const std::wstring key = std::wstring(L"HKLM\\") + CommonModule::kApplicationLogKey + L"\\" +
                             CommonModule::kEventSource;
    if (status == ERROR_ACCESS_DENIED) {
        CommonModule::DPrint(L"EventSource: " + what + L" \"" + key +
                             L"\": administrator rights are needed");
        return ExitNoRights;
    }
    CommonModule::DPrint(L"EventSource: " + what + L" \"" + key + L"\": " +
                         CommonModule::Win32Error(static_cast<DWORD>(status)).description);
    return ExitStepFailed;
}

ExitCode ChangeEventSource(HKEY hApplicationLog, bool bRegister, const std::wstring& sMessageFile) {
    const LSTATUS status = bRegister
                               ? CommonModule::WriteEventSourceKey(hApplicationLog, sMessageFile)
                               : CommonModule::DeleteEventSourceKey(hApplicationLog);
    return EventSourceOutcome(status, bRegister);
}

ExitCode ChangeEventSource(bool bRegister) {
    // Creating the source's key needs the right to add keys here, which only
    // administrators have; removing it is decided on the source's own key.
    ScopedWin::UniqueRegKey log;
    const LSTATUS status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, CommonModule::kApplicationLogKey, 0,
                                         bRegister ? KEY_CREATE_SUB_KEY : KEY_READ, log.put());
    if (status != ERROR_SUCCESS) return EventSourceOutcome(status, bRegister);
    const std::wstring started = CommonModule::ModuleFileName();
    if (bRegister && started.empty()) {
        const DWORD error = GetLastError();
        return EventSourceOutcome(error ? static_cast<LSTATUS>(error) : ERROR_BAD_PATHNAME, true);
    }
    // Event Viewer reads the file in another session, maybe years later.
    std::wstring why;
    const std::wstring exe = bRegister ? CommonModule::LastingPath(started, why) : started;
    if (exe.empty()) {
        CommonModule::DPrint(L"EventSource: cannot register the event source for \"" + started +
                             L"\": " + why + L"; register a copy on a local drive");
        return ExitStepFailed;
    }
    return ChangeEventSource(log.get(), bRegister, exe);
}

} // namespace Module1
