#include "support/EventLog.h"

#include <cwctype>

#include "support/DebugLog.h"
#include "support/ScopedWin.h"

namespace CommonModule {

namespace {

WORD EventType(EventLevel level) {
    switch (level) {
    case EventLevel::Information:
        return EVENTLOG_INFORMATION_TYPE;
    case EventLevel::Warning:
        return EVENTLOG_WARNING_TYPE;
    case EventLevel::Error:
        return EVENTLOG_ERROR_TYPE;
    }
    return EVENTLOG_ERROR_TYPE;
}

struct EventSourceTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { DeregisterEventSource(h); }
};
using UniqueEventSource = ScopedWin::Unique<EventSourceTraits>;

// Error, warning and information: the types the message table's events use.
constexpr DWORD kTypesSupported =
    EVENTLOG_ERROR_TYPE | EVENTLOG_WARNING_TYPE | EVENTLOG_INFORMATION_TYPE;

} // namespace

std::wstring EventSafeText(const std::wstring& sText) {
    std::wstring safe;
    safe.reserve(sText.size());
    for (size_t i = 0; i < sText.size(); ++i) {
        safe += sText[i];
        if (sText[i] == L'%' && i + 1 < sText.size() && iswdigit(sText[i + 1])) safe += L' ';
    }
    return safe;
}

bool WriteEvent(EventLevel level, DWORD eventId, const std::wstring& sText, std::wstring& why,
                const std::vector<BYTE>& userSid) {
    // Registering a source only opens a handle to the log: no registry write, nothing
    // that needs rights, and it works for a source nobody registered.
    const UniqueEventSource source(RegisterEventSourceW(nullptr, kEventSource));
    if (!source) {
        why = L"cannot open the event log: " + LastError().description;
        return false;
    }
    const std::wstring text = EventSafeText(sText).substr(0, kLongestEventText);
    const wchar_t* strings[] = {text.c_str()};
    const bool written = ReportEventW(source.get(), EventType(level), 0, eventId,
                                      userSid.empty() ? nullptr : const_cast<BYTE*>(userSid.data()),
                                      1, 0, strings, nullptr);
    if (!written) why = L"the event log refused the event: " + LastError().description;
    return written;
}

LSTATUS WriteEventSourceKey(HKEY hApplicationLog, const std::wstring& sMessageFile) {
    HKEY raw = nullptr;
    DWORD disposition = 0;
    LSTATUS status = RegCreateKeyExW(hApplicationLog, kEventSource, 0, nullptr, 0, KEY_SET_VALUE,
                                     nullptr, &raw, &disposition);
    if (status != ERROR_SUCCESS) return status;
    ScopedWin::UniqueRegKey key(raw);
    const auto bytes = static_cast<DWORD>((sMessageFile.size() + 1) * sizeof(wchar_t));
    status = RegSetValueExW(key.get(), L"EventMessageFile", 0, REG_EXPAND_SZ,
                            reinterpret_cast<const BYTE*>(sMessageFile.c_str()), bytes);
    if (status == ERROR_SUCCESS)
        status =
            RegSetValueExW(key.get(), L"TypesSupported", 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&kTypesSupported), sizeof kTypesSupported);
    key.reset();
    if (status != ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY)
        RegDeleteKeyW(hApplicationLog, kEventSource);
    return status;
}

LSTATUS DeleteEventSourceKey(HKEY hApplicationLog) {
    const LSTATUS status = RegDeleteKeyW(hApplicationLog, kEventSource);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

} // namespace CommonModule
