#pragma once
// The mark of the web: a downloaded file's Zone.Identifier stream, a short INI text
// whose [ZoneTransfer] section names the zone it came from in ZoneId. Copies keep it.
#include <string>
#include <string_view>

namespace CommonModule {

inline constexpr int kNoZone = -1;
inline constexpr int kInternetZone = 3;
inline constexpr int kRestrictedZone = 4;

// The ZoneId that the stream's text (ANSI, UTF-8 or UTF-16) names; kNoZone for none.
int ZoneOfText(std::string_view bytes);

// The zone of the file's mark; kNoZone when it carries none. A stream that is there but
// cannot be read gives kNoZone and the system's reason in why.
int ZoneOfFile(const std::wstring& sPath, std::wstring& why);

} // namespace CommonModule
