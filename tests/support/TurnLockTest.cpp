#include "support/TurnLock.h"

#include "support/ScopedWin.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <thread>

using CommonModule::TurnLock;
using CommonModule::TurnLockName;

namespace {

// Another spelling the file system takes for the same folder.
std::wstring Respelled(std::wstring folder) {
    for (auto& c : folder)
        c = c == L'\\' ? L'/' : static_cast<wchar_t>(towlower(c));
    return folder + L"\\";
}

} // namespace

// A run waits for the one holding the turn, gives up after its time, and takes the turn
// of a run that died holding it; a folder name of any length makes a usable lock.
TEST(TurnLock, WaitsForTheHolderGivesUpInTimeAndTakesAnAbandonedTurn) {
    const std::wstring user = L"C:\\users\\Turn" + std::to_wstring(GetCurrentProcessId());
    for (const std::wstring& folder :
         {user + L"\\AppData\\Roaming\\Microsoft\\Templates", user + std::wstring(300, L'x')}) {
        SCOPED_TRACE(folder.size());
        EXPECT_LT(TurnLockName(folder).size(), size_t{MAX_PATH});
        ScopedWin::UniqueHandle held(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        ScopedWin::UniqueHandle dying(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        std::thread otherRun([&] {
            // Exits owning the mutex, as a run that is killed does.
            HANDLE mutex = CreateMutexW(nullptr, FALSE, TurnLockName(Respelled(folder)).c_str());
            WaitForSingleObject(mutex, INFINITE);
            SetEvent(held.get());
            WaitForSingleObject(dying.get(), INFINITE);
            CloseHandle(mutex);
        });
        WaitForSingleObject(held.get(), INFINITE);
        {
            const DWORD start = GetTickCount();
            const TurnLock late(folder, 300);
            EXPECT_FALSE(late.held());
            EXPECT_GE(GetTickCount() - start, 250u);
            EXPECT_NE(late.why().find(L"did not finish"), std::wstring::npos) << late.why();
        }
        SetEvent(dying.get());
        otherRun.join();
        const TurnLock next(folder, 300);
        EXPECT_TRUE(next.held()) << next.why();
    }
}
