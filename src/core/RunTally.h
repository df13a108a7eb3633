#pragma once
// What a silent run did, in counts, for its event in the Windows event log, and what it
// has to tell that fails nothing.
#include <string>
#include <vector>

namespace Module1 {

struct RunTally {
    unsigned installed = 0;  // files copied or shortcuts written
    unsigned unchanged = 0;  // files and shortcuts found in place as they would be written
    unsigned removed = 0;    // files and shortcuts removed
    unsigned notForUser = 0; // configurations for other groups than the user's
    // Another run for this user held the folders past the wait: nothing ran at all,
    // which an administrator has to look at like a run that could not start.
    bool bTurnNotHad = false;
    // Notices, each as its debug line: they never change the exit code.
    std::vector<std::wstring> notices;
};

} // namespace Module1
