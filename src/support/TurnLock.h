#pragma once
// Runs that write into the same folder take turns: each holds a mutex named after the
// folder, in the session's namespace, for as long as it writes. Two runs at the same
// moment (a logon script and a scheduled task, a user who starts the program twice)
// would otherwise stage and replace the same files and fail each other.
#include "support/ScopedWin.h"

#include <windows.h>

#include <string>

namespace CommonModule {

// How long a run waits for the one before it: longer than any run that is still working.
inline constexpr DWORD kTurnWaitMilliseconds = 5 * 60 * 1000;

// The mutex's name for a folder: the same for every spelling the file system takes for
// the same path (letter case, "\" or "/"), and within the length a name may have.
std::wstring TurnLockName(const std::wstring& sFolder);

// Told when a run has to wait for its turn, and when that wait is over (with the turn or
// without): a window says meanwhile why nothing seems to happen.
class TurnWait {
  public:
    virtual void Waiting() = 0;
    virtual void WaitOver() = 0;

  protected:
    ~TurnWait() = default;
};

class TurnLock {
  public:
    // Waits up to waitMilliseconds for the turn, telling `wait` (when given) if it has to.
    // A run that died holding it (an abandoned mutex) has left its turn: only its working
    // folders remain, and they are not shared.
    explicit TurnLock(const std::wstring& sFolder, DWORD waitMilliseconds = kTurnWaitMilliseconds,
                      TurnWait* wait = nullptr);
    ~TurnLock();
    TurnLock(const TurnLock&) = delete;
    TurnLock& operator=(const TurnLock&) = delete;

    // False only when the wait ran out: then nothing may be touched.
    bool held() const { return held_; }
    // Why the turn was not taken; "" when held.
    const std::wstring& why() const { return why_; }

  private:
    ScopedWin::UniqueHandle mutex_;
    bool held_ = false;
    bool owner_ = false; // false for a run that goes on without the lock
    std::wstring why_;
};

} // namespace CommonModule
