#include "support/Strings.h"

#include "support/AppSettings.h"
#include "support/DebugLog.h"

#include <vector>

namespace CommonModule {

namespace {

// Runs one step; a failure goes to `report` (the routine's error form) and the routine
// carries on with what it has.
template <class Step, class Report> void Trap(Step step, Report report) noexcept {
    try {
        step();
    } catch (...) {
        try {
            report(CurrentExceptionError());
        } catch (...) {
        }
    }
}

// The trace lines are built only while tracing is on.
template <class Lines> void Trace(std::wstring_view header, Lines lines) noexcept {
    if (!bVerboseDebug) return;
    try {
        DPrint(header);
        for (const auto& line : lines())
            DPrint(L"\t" + line);
    } catch (...) {
    }
}

std::wstring StripOuter(const std::wstring& s, const std::wstring& ch, bool trailing) {
    // Only a one-character argument can match; anything else leaves the text alone.
    if (ch.size() != 1) return s;
    if (trailing) {
        const size_t keep = s.find_last_not_of(ch[0]);
        return keep == std::wstring::npos ? std::wstring() : s.substr(0, keep + 1);
    }
    const size_t first = s.find_first_not_of(ch[0]);
    return first == std::wstring::npos ? std::wstring() : s.substr(first);
}

} // namespace

std::wstring StripPath(const std::wstring& sFullPathAndFileName) {
    std::wstring result;
    Trap(
        [&] {
            const size_t p = sFullPathAndFileName.find_last_of(L'\\');
            result =
                p == std::wstring::npos ? sFullPathAndFileName : sFullPathAndFileName.substr(p + 1);
        },
        [&](const ErrorInfo& e) {
            ReportError(L"StripPath", e, {{L"sFullPathAndFileName", sFullPathAndFileName}});
        });
    Trace(L"CommonModule\\StripPath: ", [&] {
        return std::vector<std::wstring>{L"- Passed: " + sFullPathAndFileName,
                                         L"- Returned: " + result};
    });
    return result;
}

std::wstring Strip(const std::wstring& psLine, const std::wstring& psRemoveStr) {
    std::wstring result;
    Trap(
        [&] {
            result = psLine;
            if (psRemoveStr.empty()) return;
            // Removing the first match may join text into a new match; that one can
            // start no earlier than len-1 characters before the joint, as the text in
            // front of the removed match held none.
            const size_t len = psRemoveStr.size();
            size_t from = 0;
            for (size_t p; (p = result.find(psRemoveStr, from)) != std::wstring::npos;) {
                result.erase(p, len);
                from = p >= len - 1 ? p - (len - 1) : 0;
            }
        },
        [&](const ErrorInfo& e) {
            ReportError(L"Strip", e, {{L"psLine", psLine}, {L"psRemoveStr", psRemoveStr}});
        });
    Trace(L"CommonModule\\Strip: ", [&] {
        return std::vector<std::wstring>{L"- Passed: " + psLine, L"- Remove String: " + psRemoveStr,
                                         L"- Returned: " + result};
    });
    return result;
}

std::wstring StripEndOfString(const std::wstring& sOriginalString, const std::wstring& sDelimiter,
                              bool bUseFirstDelimiter, bool bStripLeadingSpaces,
                              bool bStripTrailingSpaces) {
    std::wstring result;
    Trap(
        [&] {
            // An empty delimiter marks no end: the whole text is kept.
            const size_t p = sDelimiter.empty()   ? std::wstring::npos
                             : bUseFirstDelimiter ? sOriginalString.find(sDelimiter)
                                                  : sOriginalString.rfind(sDelimiter);
            result = p == std::wstring::npos ? sOriginalString : sOriginalString.substr(0, p);
            if (bStripTrailingSpaces) result = StripTrailingCharacters(result, L" ");
            if (bStripLeadingSpaces) result = StripPreceedingCharacters(result, L" ");
        },
        [&](const ErrorInfo& e) {
            ReportError(L"StripEndOfString", e,
                        {{L"sOriginalString", sOriginalString},
                         {L"sDelimiter", sDelimiter},
                         {L"bUseFirstDelimiter", ToText(bUseFirstDelimiter)}});
        });
    Trace(L"CommonModule\\StripEndOfString: ", [&] {
        return std::vector<std::wstring>{
            L"- Passed: " + sOriginalString, L"- Delimeter: " + sDelimiter,
            L"- bUseFirstDelimiter=" + ToText(bUseFirstDelimiter), L"- Returned: " + result};
    });
    return result;
}

std::wstring StripTrailingCharacters(const std::wstring& sOriginalString,
                                     const std::wstring& sTrailingCharacter) {
    std::wstring result;
    Trap([&] { result = StripOuter(sOriginalString, sTrailingCharacter, true); },
         [&](const ErrorInfo& e) {
             ReportError(L"StripTrailingCharacters", e,
                         {{L"sOriginalString", sOriginalString},
                          {L"sTrailingCharacter", sTrailingCharacter}});
         });
    Trace(L"CommonModule\\StripTrailingCharacters: ", [&] {
        return std::vector<std::wstring>{L"- Passed: " + sOriginalString,
                                         L"- sTrailingCharacter: " + sTrailingCharacter,
                                         L"- Returned: " + result};
    });
    return result;
}

std::wstring StripPreceedingCharacters(const std::wstring& sOriginalString,
                                       const std::wstring& sCharacter) {
    std::wstring result;
    Trap([&] { result = StripOuter(sOriginalString, sCharacter, false); },
         [&](const ErrorInfo& e) {
             ReportError(L"StripPreceedingCharacters", e,
                         {{L"sOriginalString", sOriginalString}, {L"sCharacter", sCharacter}});
         });
    Trace(L"CommonModule\\StripPreceedingCharacters: ", [&] {
        return std::vector<std::wstring>{L"- Passed: " + sOriginalString,
                                         L"- sCharacter: " + sCharacter, L"- Returned: " + result};
    });
    return result;
}

} // namespace CommonModule
