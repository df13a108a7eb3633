#include "support/TurnLock.h"

#include "testlib/Scratch.h"

#include <gtest/gtest.h>

using CommonModule::LockAnswer;

namespace {
LRESULT CALLBACK CountPaints(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) ++*reinterpret_cast<int*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}
} // namespace

// A run waits for the one holding the turn in the same folder (a file: another session
// or computer opens the same one), keeps its window painting meanwhile and gives up in
// time; a holder whose handle the system closed (it died) has left its turn, and a
// file left behind by anyone holds no turn.
TEST(TurnLock, WaitsForTheHolderGivesUpInTimeAndTakesAnAbandonedTurn) {
    testlib::ScratchDir scratch(L"turn");
    const std::wstring folder = scratch / L"Templates"; // made by the first run
    auto holder = std::make_unique<CommonModule::TurnLock>(folder, 300);
    ASSERT_TRUE(holder->held());
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
    const CommonModule::TurnLock late(folder, 600);
    EXPECT_GT(paints, 0);
    DestroyWindow(window);
    EXPECT_FALSE(late.held());
    EXPECT_NE(late.why().find(L"did not finish within 0 seconds"), std::wstring::npos);

    holder.reset(); // what the system does for a run that is killed
    EXPECT_FALSE(testlib::FileExists(folder + L"\\" + CommonModule::kTurnLockFile));
    testlib::WriteFile(folder + L"\\" + CommonModule::kTurnLockFile, "left behind");
    EXPECT_TRUE(CommonModule::TurnLock(folder, 300).held());
}

// The answers of the platform's open: a holder elsewhere answers "sharing violation"; a
// holder's file whose delete is still pending answers "access denied" for a moment; any
// other answer, or a denial that lasts, lets the run go on without its turn.
TEST(TurnLock, EachAnswerOfTheOpenMeansTakenHeldOrCannotTake) {
    const struct {
        DWORD error;
        ULONGLONG deniedFor;
        LockAnswer answer;
    } cases[] = {{ERROR_SUCCESS, 0, LockAnswer::Taken},
                 {ERROR_SHARING_VIOLATION, 0, LockAnswer::Held},
                 {ERROR_LOCK_VIOLATION, 0, LockAnswer::Held},
                 {ERROR_ACCESS_DENIED, 100, LockAnswer::Held},
                 {ERROR_ACCESS_DENIED, 60000, LockAnswer::CannotTake},
                 {ERROR_PATH_NOT_FOUND, 0, LockAnswer::CannotTake},
                 {ERROR_BAD_NETPATH, 0, LockAnswer::CannotTake}};
    for (const auto& c : cases)
        EXPECT_EQ(CommonModule::ClassifyLockOpen(c.error, c.deniedFor), c.answer) << c.error;
}
