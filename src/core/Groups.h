#pragma once
// For whom a configuration is: its "Groups" key lists groups, and the configuration
// applies to a user whose own token is a member of any of them. No list is everyone.
#include <string>
#include <unordered_map>
#include <vector>

namespace Module1 {

// The entries of a "Groups" value, separated by ";", without the blanks around them;
// empty entries go.
std::vector<std::wstring> ParseGroups(const std::wstring& sGroups);
// The entries as the window and the debug lines show them: "Legal; Sales".
std::wstring JoinGroups(const std::vector<std::wstring>& groups);

enum class Applies { Yes, No, Undecided };

// The user's answers for one run: each distinct entry is looked up and checked once,
// whichever configurations name it, and asked again only by the next run.
class GroupCheck {
  public:
    // Yes when the list is empty or the token is a member of an entry; No when every
    // entry resolved and none matched; Undecided when an entry could not be resolved
    // and none matched, with the entry and the system's reason in why.
    Applies Decide(const std::vector<std::wstring>& groups, std::wstring& why);

  private:
    struct Answer {
        bool decided = false;
        bool member = false;
        std::wstring why; // when not decided
    };
    const Answer& AnswerFor(const std::wstring& entry);

    std::unordered_map<std::wstring, Answer> answers_; // by entry, letter case ignored
};

} // namespace Module1
