#include "support/TurnLock.h"

#include "support/DebugLog.h"
#include "support/Text.h"

namespace CommonModule {

namespace {

constexpr wchar_t kPrefix[] = L"Local\\Dorvane.Turn.";
// Kernel object names end at MAX_PATH characters; the prefix takes some of them.
constexpr size_t kLongestReadableName = 200;

std::wstring Hex(unsigned long long value) {
    wchar_t text[17] = {};
    for (int i = 15; i >= 0; --i, value >>= 4)
        text[i] = L"0123456789ABCDEF"[value & 0xF];
    return text;
}

// Waits for the mutex; a window's thread (the window's Install) keeps painting
// meanwhile, so that a wait for a logon run does not leave the window blank.
DWORD WaitForTurn(HANDLE mutex, DWORD waitMilliseconds) {
    const ULONGLONG end = GetTickCount64() + waitMilliseconds;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now >= end ? 0 : static_cast<DWORD>(end - now);
        const DWORD waited = MsgWaitForMultipleObjects(1, &mutex, FALSE, left, QS_PAINT);
        if (waited != WAIT_OBJECT_0 + 1) return waited;
        MSG m;
        while (PeekMessageW(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            DispatchMessageW(&m);
    }
}

} // namespace

std::wstring TurnLockName(const std::wstring& sFolder) {
    std::wstring folder = sFolder;
    // A "\" would name a namespace; "/" is not one the file system takes as different.
    for (auto& c : folder)
        c = c == L'\\' ? L'/' : Text::FoldCase(c);
    while (folder.size() > 1 && folder.back() == L'/')
        folder.pop_back();
    if (folder.size() <= kLongestReadableName) return kPrefix + folder;
    unsigned long long hash = 14695981039346656037ull; // FNV-1a, 64 bits
    for (wchar_t c : folder)
        hash = (hash ^ static_cast<unsigned>(c)) * 1099511628211ull;
    return kPrefix + folder.substr(folder.size() - 64) + L"." + Hex(hash);
}

TurnLock::TurnLock(const std::wstring& sFolder, DWORD waitMilliseconds, TurnWait* wait) {
    const std::wstring name = TurnLockName(sFolder);
    mutex_.reset(CreateMutexW(nullptr, FALSE, name.c_str()));
    // A lock this run may not open (one an elevated run of the same user made, whose
    // default security leaves the user's own runs out) costs the turns, not the run:
    // running at the same time is what happened before there were turns.
    DWORD waited = mutex_ ? WaitForSingleObject(mutex_.get(), 0) : WAIT_FAILED;
    if (waited == WAIT_TIMEOUT && waitMilliseconds > 0) {
        if (wait) wait->Waiting();
        waited = WaitForTurn(mutex_.get(), waitMilliseconds);
        if (wait) wait->WaitOver();
    }
    if (waited == WAIT_TIMEOUT) {
        why_ = L"another run for \"" + sFolder + L"\" did not finish within " +
               std::to_wstring(waitMilliseconds / 1000) + L" seconds; nothing was done";
        return;
    }
    held_ = true;
    owner_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (!owner_)
        DPrint(L"the lock \"" + name + L"\" cannot be taken (" + LastError().description +
               L"); this run does not wait for others");
}

TurnLock::~TurnLock() {
    if (owner_) ReleaseMutex(mutex_.get());
}

} // namespace CommonModule
