#include "support/Strings.h"

#include "support/AppSettings.h"
#include "support/DebugLog.h"

#include <vector>

namespace CommonModule {

namespace {

// The frame every string routine runs in: the body computes the result; a failure
// goes to `report` (the routine's error form) and the routine returns what it has.
// While tracing is on, the routine's inputs and its result follow, one trace line
// each; the lines are built only then.
template <class Body, class Report, class Inputs>
std::wstring Traced(std::wstring_view routine, Body body, Report report, Inputs inputs) noexcept {
    std::wstring result;
    Trap([&] { body(result); }, report);
    if (!bVerboseDebug) return result;
    try {
        DPrint(L"CommonModule\\" + std::wstring(routine) + L": ");
        for (const std::wstring& line : inputs())
            DPrint(L"\t" + line);
        DPrint(L"\t- Returned: " + result);
    } catch (...) {
    }
    return result;
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
    return Traced(
        L"StripPath",
        [&](std::wstring& result) {
            const size_t p = sFullPathAndFileName.find_last_of(L'\\');
            result =
                p == std::wstring::npos ? sFullPathAndFileName : sFullPathAndFileName.substr(p + 1);
        },
        [&](const ErrorInfo& e) {
            ReportError(L"StripPath", e, {{L"sFullPathAndFileName", sFullPathAndFileName}});
        },
        [&] { return std::vector<std::wstring>{L"- Passed: " + sFullPathAndFileName}; });
}

std::wstring Strip(std::wstring psLine, const std::wstring& psRemoveStr) {
    return Traced(
        L"Strip",
        [&](std::wstring& result) {
            // Unless the trace line needs it, the argument's buffer becomes the result;
            // nothing after this can fail, so no error report meets an emptied argument.
            if (bVerboseDebug)
                result = psLine;
            else
                result = std::move(psLine);
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
        },
        [&] {
            return std::vector<std::wstring>{L"- Passed: " + psLine,
                                             L"- Remove String: " + psRemoveStr};
        });
}

std::wstring StripEndOfString(const std::wstring& sOriginalString, const std::wstring& sDelimiter,
                              bool bUseFirstDelimiter, bool bStripLeadingSpaces,
                              bool bStripTrailingSpaces) {
    return Traced(
        L"StripEndOfString",
        [&](std::wstring& result) {
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
        },
        [&] {
            return std::vector<std::wstring>{L"- Passed: " + sOriginalString,
                                             L"- Delimeter: " + sDelimiter,
                                             L"- bUseFirstDelimiter=" + ToText(bUseFirstDelimiter)};
        });
}

std::wstring StripTrailingCharacters(const std::wstring& sOriginalString,
                                     const std::wstring& sTrailingCharacter) {
    return Traced(
        L"StripTrailingCharacters",
        [&](std::wstring& result) {
            result = StripOuter(sOriginalString, sTrailingCharacter, true);
        },
        [&](const ErrorInfo& e) {
            ReportError(L"StripTrailingCharacters", e,
                        {{L"sOriginalString", sOriginalString},
                         {L"sTrailingCharacter", sTrailingCharacter}});
        },
        [&] {
            return std::vector<std::wstring>{L"- Passed: " + sOriginalString,
                                             L"- sTrailingCharacter: " + sTrailingCharacter};
        });
}

std::wstring StripPreceedingCharacters(const std::wstring& sOriginalString,
                                       const std::wstring& sCharacter) {
    return Traced(
        L"StripPreceedingCharacters",
        [&](std::wstring& result) { result = StripOuter(sOriginalString, sCharacter, false); },
        [&](const ErrorInfo& e) {
            ReportError(L"StripPreceedingCharacters", e,
                        {{L"sOriginalString", sOriginalString}, {L"sCharacter", sCharacter}});
        },
        [&] {
            return std::vector<std::wstring>{L"- Passed: " + sOriginalString,
                                             L"- sCharacter: " + sCharacter};
        });
}

} // namespace CommonModule
