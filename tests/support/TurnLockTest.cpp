#include "support/TurnLock.h"

#include "support/ScopedWin.h"

#include <gtest/gtest.h>

#include <thread>

// A run waits for the one holding the turn (whatever spelling of the folder it used),
// gives up in time, and takes the turn of a run that died holding it.
TEST(TurnLock, WaitsForTheHolderGivesUpInTimeAndTakesAnAbandonedTurn) {
    const std::wstring user = L"C:\\users\\Turn" + std::to_wstring(GetCurrentProcessId());
    for (const std::wstring& folder : {user + L"\\Templates", user + std::wstring(300, L'x')}) {
        std::wstring respelled = folder + L"\\";
        for (auto& c : respelled)
            c = c == L'\\' ? L'/' : c == L'T' ? L't' : c;
        const ScopedWin::UniqueHandle held(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        const ScopedWin::UniqueHandle dying(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        std::thread otherRun([&] { // ends owning the mutex, as a killed run does
            HANDLE mutex =
                CreateMutexW(nullptr, TRUE, CommonModule::TurnLockName(respelled).c_str());
            SignalObjectAndWait(held.get(), dying.get(), INFINITE, FALSE);
            CloseHandle(mutex);
        });
        WaitForSingleObject(held.get(), INFINITE);
        const CommonModule::TurnLock late(folder, 300); // keeps the mutex in being
        EXPECT_NE(late.why().find(L"did not finish"), std::wstring::npos);
        SetEvent(dying.get());
        otherRun.join();
        EXPECT_TRUE(CommonModule::TurnLock(folder, 300).held());
    }
}
