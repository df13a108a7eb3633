#pragma once
// Runs that write into the same templates folder take turns: each holds a lock file in
// that folder, open without sharing, for as long as it writes. Two runs at the same
// moment (a logon script and a scheduled task, two remote desktop sessions of one user,
// two computers that share a redirected profile) would otherwise stage and replace the
// same files and fail each other. A file in the folder itself reaches every session and
// every computer that writes there, which no kernel object does.
#include "support/ScopedWin.h"

#include <windows.h>

#include <string>

namespace CommonModule {

// How long a run waits for the one before it: longer than any run that is still working.
inline constexpr DWORD kTurnWaitMilliseconds = 5 * 60 * 1000;
// The lock file's name in the folder; hidden, and gone when its holder's handle closes.
inline constexpr wchar_t kTurnLockFile[] = L"~dvturn.lock";

// What one attempt to open the lock gives: the turn, a holder to wait for, or a lock
// this run cannot take at all (it then goes on without waiting, as runs did before there
// were turns). The answers come from CreateFileW; a delete still pending after its
// holder closed answers "access denied" for a moment, so that answer is waited out
// for a short while before it counts as final.
enum class LockAnswer { Taken, Held, CannotTake };
LockAnswer ClassifyLockOpen(DWORD error, ULONGLONG deniedForMilliseconds);

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
    // Waits up to waitMilliseconds for the turn in sFolder, which is made when missing,
    // telling `wait` (when given) if it has to. An empty sFolder (no templates folder that
    // may be written into) takes no turn. A run that died holding the turn has left it:
    // the system closes its handle, and the file goes with it.
    explicit TurnLock(const std::wstring& sFolder, DWORD waitMilliseconds = kTurnWaitMilliseconds,
                      TurnWait* wait = nullptr);
    // A run that writes nothing (a check) takes no turn and waits for no one.
    struct NotNeeded {};
    explicit TurnLock(NotNeeded) : held_(true) {}
    TurnLock(const TurnLock&) = delete;
    TurnLock& operator=(const TurnLock&) = delete;

    // False only when the wait ran out: then nothing may be touched.
    bool held() const { return held_; }
    // Why the turn was not taken; "" when held.
    const std::wstring& why() const { return why_; }

  private:
    ScopedWin::UniqueFile lock_;
    bool held_ = false;
    std::wstring why_;
};

} // namespace CommonModule
