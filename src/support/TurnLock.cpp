#include "support/TurnLock.h"

#include "support/DebugLog.h"
#include "support/Staging.h"

namespace CommonModule {

namespace {

// How often a waiting run tries the lock again, and how long an "access denied" may
// last before it is taken as final.
constexpr DWORD kRetryMilliseconds = 250;
constexpr ULONGLONG kDeletePendingMilliseconds = 3000;

// Sleeps; a window's thread (the window's Install) keeps painting meanwhile, so that a
// wait for a logon run does not leave the window blank.
void PaintingSleep(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        const DWORD left = static_cast<DWORD>(end - now);
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_PAINT) != WAIT_OBJECT_0) return;
        MSG m;
        while (PeekMessageW(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            DispatchMessageW(&m);
    }
}

// No sharing: any second open, from any session or computer, fails while this one
// lasts. Deleted on close, so that no file is left to be mistaken for a holder. The link
// flag keeps a link planted under the lock's name from being followed.
HANDLE OpenLock(const std::wstring& path) {
    return CreateFileW(
        LongPathSafe(path).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

} // namespace

LockAnswer ClassifyLockOpen(DWORD error, ULONGLONG deniedForMilliseconds) {
    switch (error) {
    case ERROR_SUCCESS:
        return LockAnswer::Taken;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return LockAnswer::Held;
    case ERROR_ACCESS_DENIED:
    case ERROR_DELETE_PENDING:
        return deniedForMilliseconds < kDeletePendingMilliseconds ? LockAnswer::Held
                                                                  : LockAnswer::CannotTake;
    default:
        return LockAnswer::CannotTake;
    }
}

namespace {

// Tells the one waiting when its wait began and, on whatever way out, that it is over.
class WaitNotice {
  public:
    explicit WaitNotice(TurnWait* wait) : wait_(wait) {}
    ~WaitNotice() {
        if (wait_ && told_) wait_->WaitOver();
    }
    WaitNotice(const WaitNotice&) = delete;
    WaitNotice& operator=(const WaitNotice&) = delete;
    void Began() {
        if (wait_ && !told_) wait_->Waiting();
        told_ = true;
    }

  private:
    TurnWait* wait_;
    bool told_ = false;
};

} // namespace

TurnLock::TurnLock(const std::wstring& sFolder, DWORD waitMilliseconds, TurnWait* wait) {
    if (sFolder.empty()) {
        held_ = true;
        DPrint(L"no turn can be taken without a templates folder; this run does not wait for "
               L"others");
        return;
    }
    const std::wstring path = sFolder + L"\\" + kTurnLockFile;
    MakeFolderTree(sFolder);
    WaitNotice notice(wait);
    const ULONGLONG start = GetTickCount64();
    ULONGLONG deniedSince = 0;
    for (;;) {
        lock_.reset(OpenLock(path));
        const DWORD error = lock_ ? ERROR_SUCCESS : GetLastError();
        const ULONGLONG now = GetTickCount64();
        const bool denied = error == ERROR_ACCESS_DENIED || error == ERROR_DELETE_PENDING;
        if (!denied)
            deniedSince = 0;
        else if (!deniedSince)
            deniedSince = now;
        const LockAnswer answer = ClassifyLockOpen(error, denied ? now - deniedSince : 0);
        if (answer == LockAnswer::Taken) break;
        if (answer == LockAnswer::CannotTake) {
            // Running at the same time is what happened before there were turns.
            DPrint(L"the lock \"" + path + L"\" cannot be taken (" + Win32Error(error).description +
                   L"); this run does not wait for others");
            break;
        }
        if (now - start >= waitMilliseconds) {
            why_ = L"another run for \"" + sFolder + L"\" did not finish within " +
                   std::to_wstring(waitMilliseconds / 1000) + L" seconds; nothing was done";
            return;
        }
        notice.Began();
        PaintingSleep(static_cast<DWORD>(
            std::min<ULONGLONG>(kRetryMilliseconds, start + waitMilliseconds - now)));
    }
    held_ = true;
}

} // namespace CommonModule
