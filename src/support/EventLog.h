#pragma once
// The Windows event log: one event written under the source "Dorvane" of the
// Application log, and the registration that lets Event Viewer read its text from the
// message table compiled into Dorvane.exe. Each message is its insertion string alone.
#include <windows.h>

#include <string>
#include <vector>

namespace CommonModule {

inline constexpr wchar_t kEventSource[] = L"Dorvane";
// Below HKEY_LOCAL_MACHINE: the Application log's sources, one key each.
inline constexpr wchar_t kApplicationLogKey[] =
    L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application";
// The event log takes at most this many characters in one insertion string.
inline constexpr size_t kLongestEventText = 31839;

enum class EventLevel { Information, Warning, Error };

// The text as an event holds it: Event Viewer reads "%" followed by a digit in an
// event's text as a place to insert a string (which names, paths and the system's own
// messages can hold), so a blank goes between the two.
std::wstring EventSafeText(const std::wstring& sText);

// Registers the source, writes one event with sText as its only string, as the user
// of userSid (Event Viewer's User column; none when empty), and lets go of the source
// again. False, with the system's reason in why, when nothing was written.
bool WriteEvent(EventLevel level, DWORD eventId, const std::wstring& sText, std::wstring& why,
                const std::vector<BYTE>& userSid = {});

// Creates the source's key below hApplicationLog (the Application log's key, opened by
// the caller) with EventMessageFile = sMessageFile (REG_EXPAND_SZ) and TypesSupported =
// 7. A key this call created and could not complete is taken away again.
LSTATUS WriteEventSourceKey(HKEY hApplicationLog, const std::wstring& sMessageFile);
// Removes the source's key below hApplicationLog; a key not there counts as removed.
LSTATUS DeleteEventSourceKey(HKEY hApplicationLog);

} // namespace CommonModule
