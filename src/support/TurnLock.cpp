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

TurnLock::TurnLock(const std::wstring& sFolder, DWORD waitMilliseconds) {
    const std::wstring name = TurnLockName(sFolder);
    mutex_.reset(CreateMutexW(nullptr, FALSE, name.c_str()));
    if (!mutex_) {
        why_ = L"the lock \"" + name + L"\" could not be made: " + LastError().description;
        return;
    }
    const DWORD waited = WaitForSingleObject(mutex_.get(), waitMilliseconds);
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (held_) return;
    why_ = waited == WAIT_TIMEOUT
               ? L"another run for \"" + sFolder + L"\" did not finish within " +
                     std::to_wstring(waitMilliseconds / 1000) + L" seconds; nothing was done"
               : L"the lock \"" + name + L"\" could not be taken: " + LastError().description;
}

TurnLock::~TurnLock() {
    if (held_) ReleaseMutex(mutex_.get());
}

} // namespace CommonModule
