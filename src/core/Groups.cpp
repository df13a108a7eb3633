#include "core/Groups.h"

#include "support/Accounts.h"
#include "support/Text.h"

#include <algorithm>

namespace Module1 {

namespace {
bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}
} // namespace

std::vector<std::wstring> ParseGroups(const std::wstring& sGroups) {
    std::vector<std::wstring> groups;
    for (size_t at = 0; at <= sGroups.size();) {
        const size_t end = std::min(sGroups.find(L';', at), sGroups.size());
        size_t first = at, last = end;
        while (first < last && IsBlank(sGroups[first]))
            ++first;
        while (last > first && IsBlank(sGroups[last - 1]))
            --last;
        if (last > first) groups.push_back(sGroups.substr(first, last - first));
        at = end + 1;
    }
    return groups;
}

std::wstring JoinGroups(const std::vector<std::wstring>& groups) {
    std::wstring joined;
    for (const auto& group : groups)
        joined += (joined.empty() ? L"" : L"; ") + group;
    return joined;
}

const GroupCheck::Answer& GroupCheck::AnswerFor(const std::wstring& entry) {
    // Account names compare without letter case, as the system looks them up.
    const std::wstring key = Text::Lower(entry);
    if (const auto known = answers_.find(key); known != answers_.end()) return known->second;
    Answer answer;
    std::wstring why;
    const std::vector<BYTE> sid = CommonModule::SidOfAccount(entry, why);
    if (sid.empty())
        answer.why = L"the group \"" + entry + L"\" cannot be looked up: " + why;
    else if (!CommonModule::TokenHasGroup(sid, answer.member, why))
        answer.why = L"membership of \"" + entry + L"\" cannot be checked: " + why;
    else
        answer.decided = true;
    return answers_.emplace(key, std::move(answer)).first->second;
}

Applies GroupCheck::Decide(const std::vector<std::wstring>& groups, std::wstring& why) {
    Applies applies = groups.empty() ? Applies::Yes : Applies::No;
    for (const auto& entry : groups) {
        const Answer& answer = AnswerFor(entry);
        if (answer.decided && answer.member) return Applies::Yes;
        if (!answer.decided && applies == Applies::No) {
            applies = Applies::Undecided;
            why = answer.why;
        }
    }
    return applies;
}

} // namespace Module1
