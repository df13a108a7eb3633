#include "support/TurnLock.h"

#include "testlib/Scratch.h"

#include <gtest/gtest.h>

namespace {
LRESULT CALLBACK CountPaints(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) ++*reinterpret_cast<int*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}
} // namespace

// A run waits for the one holding the turn (a file in the folder, which every session and
// computer writing there opens), gives up in time, and takes the turn of a run that died
// holding it; a lock file left behind holds no turn. A window's thread keeps painting
// while it waits.
TEST(TurnLock, WaitsForTheHolderGivesUpInTimeAndTakesAnAbandonedTurn) {
    testlib::ScratchDir scratch(L"turn");
    testlib::WriteFile(scratch / CommonModule::kTurnLockFile, "left behind");
    for (const std::wstring& folder : {scratch / L"New\\Templates", scratch.path()}) {
        auto holder = std::make_unique<CommonModule::TurnLock>(folder, 300);
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
        const CommonModule::TurnLock late(folder, 300);
        EXPECT_GT(paints, 0);
        DestroyWindow(window);
        EXPECT_NE(late.why().find(L"did not finish"), std::wstring::npos);
        holder.reset(); // what the system does with the handle of a run that is killed
        EXPECT_TRUE(CommonModule::TurnLock(folder, 300).held());
    }
}

// A holder's file whose delete is still pending answers "access denied" for a moment.
TEST(TurnLock, OnlyASharingViolationOrABriefDenialIsWaitedFor) {
    using CommonModule::ClassifyLockOpen, CommonModule::LockAnswer;
    EXPECT_EQ(ClassifyLockOpen(ERROR_SHARING_VIOLATION, 0), LockAnswer::Held);
    EXPECT_EQ(ClassifyLockOpen(ERROR_ACCESS_DENIED, 100), LockAnswer::Held);
    EXPECT_EQ(ClassifyLockOpen(ERROR_ACCESS_DENIED, 60000), LockAnswer::CannotTake);
}
