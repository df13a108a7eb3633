#include "support/TurnLock.h"

#include "support/ScopedWin.h"

#include <gtest/gtest.h>

#include <thread>

namespace {
LRESULT CALLBACK CountPaints(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) ++*reinterpret_cast<int*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}
} // namespace

// A run waits for the one holding the turn (whatever spelling of the folder it used),
// gives up in time, and takes the turn of a run that died holding it. A window's thread
// keeps painting while it waits.
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
        WNDCLASSW wc{};
        wc.lpfnWndProc = CountPaints;
        wc.lpszClassName = L"TurnLockTestWindow";
        RegisterClassW(&wc);
        int paints = 0;
        const HWND window = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 50, 50, nullptr,
                                          nullptr, nullptr, nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&paints));
        ShowWindow(window, SW_SHOWNOACTIVATE);
        InvalidateRect(window, nullptr, TRUE);
        const CommonModule::TurnLock late(folder, 300); // keeps the mutex in being
        EXPECT_GT(paints, 0);
        DestroyWindow(window);
        EXPECT_NE(late.why().find(L"did not finish"), std::wstring::npos);
        SetEvent(dying.get());
        otherRun.join();
        EXPECT_TRUE(CommonModule::TurnLock(folder, 300).held());
    }
}
