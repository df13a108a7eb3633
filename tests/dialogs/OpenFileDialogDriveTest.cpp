// The dialog itself, driven from a second thread the way a user would: the
// multiple-selection mode no caller uses, the hook's check of each named file, and
// what a cancel (or a second dialog) hands back.
#include "dialogs/MCommonFile.h"
#include "testlib/Scratch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

namespace {

constexpr wchar_t kTitle[] = L"Pick for the test";
constexpr int kFileNameBox = 0x47C; // cmb13

struct Search {
    DWORD thread;
    bool wantDialog; // the dialog has a file-name box, its message box has none
    HWND found = nullptr;
};

BOOL CALLBACK Match(HWND h, LPARAM p) {
    auto& s = *reinterpret_cast<Search*>(p);
    wchar_t cls[16] = {}, title[64] = {};
    GetClassNameW(h, cls, 16);
    GetWindowTextW(h, title, 64);
    if (GetWindowThreadProcessId(h, nullptr) != s.thread || std::wstring(cls) != L"#32770" ||
        std::wstring(title) != kTitle || !IsWindowVisible(h) ||
        (GetDlgItem(h, kFileNameBox) != nullptr) != s.wantDialog)
        return TRUE;
    s.found = h;
    return FALSE;
}

HWND WaitFor(DWORD thread, bool wantDialog) {
    for (int i = 0; i < 300; ++i) {
        Search s{thread, wantDialog};
        EnumWindows(Match, reinterpret_cast<LPARAM>(&s));
        if (s.found) return s.found;
        Sleep(100);
    }
    return nullptr;
}

void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

void Type(HWND dialog, const wchar_t* text) {
    SendMessageW(GetDlgItem(dialog, kFileNameBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    Press(dialog, IDOK);
}

struct Outcome {
    long result = -2;
    std::wstring path = L"before";
    long filterIndex = 1;
    DWORD flags = 0x4;
};

// Shows the dialog on this thread while `drive` works it from another.
template <class Drive> Outcome Show(const std::wstring& folder, bool bMultiSelect, Drive drive) {
    const DWORD self = GetCurrentThreadId();
    std::thread driver([&] { drive(self); });
    Outcome o;
    bool bReadOnly = false;
    o.result =
        MCommonFile::ShowOpenFileDialog(o.path, true, bMultiSelect, bReadOnly, false, L"All|*.*",
                                        o.filterIndex, folder, kTitle, L"", nullptr, o.flags);
    driver.join();
    return o;
}

class OpenFileDialogDriven : public testing::Test {
  protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (scripts/test.sh)";
        testlib::WriteFile(dir / L"a.dot", "a");
        testlib::WriteFile(dir / L"b.dot", "b");
    }
    testlib::ScratchDir dir{L"dlg"};
};

} // namespace

TEST_F(OpenFileDialogDriven, MultipleSelectionChecksEveryNameAndCountsThem) {
    std::wstring warning;
    const Outcome o = Show(dir.path(), true, [&](DWORD thread) {
        const HWND dialog = WaitFor(thread, true);
        if (!dialog) return;
        Type(dialog, L"\"a.dot\" \"zz.dot\" \"b.dot\"");
        if (const HWND box = WaitFor(thread, false)) {
            wchar_t text[512] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 512);
            warning = text;
            Press(box, IDOK);
            while (IsWindow(box))
                Sleep(50);
        }
        Type(dialog, L"\"a.dot\" \"b.dot\"");
    });
    EXPECT_EQ(warning,
              dir / L"zz.dot" +
                  L"\r\nFile not found.\r\nPlease verify the correct file name was given.");
    EXPECT_EQ(o.result, 2);
    EXPECT_EQ(o.path, dir.path() + L'\0' + L"\"a.dot\" \"b.dot\"" + std::wstring(2, L'\0'));
    EXPECT_EQ(o.filterIndex, 1);
    // The caller's flags come back with the dialog's own.
    EXPECT_EQ(o.flags & 0x880224u, 0x880224u);
}

// A second dialog asked for while one is open, from any thread, is refused the way a
// cancel ends.
TEST_F(OpenFileDialogDriven, CancelHandsBackNothing) {
    Outcome second;
    const Outcome o = Show(dir.path(), false, [&](DWORD thread) {
        const HWND dialog = WaitFor(thread, true);
        if (!dialog) return;
        bool bReadOnly = false;
        second.result = MCommonFile::ShowOpenFileDialog(second.path, true, false, bReadOnly, false,
                                                        L"All|*.*", second.filterIndex, dir.path(),
                                                        kTitle, L"", nullptr, second.flags);
        Press(dialog, IDCANCEL);
    });
    for (const Outcome& each : {o, second}) {
        EXPECT_EQ(each.result, 0);
        EXPECT_EQ(each.path, L"");
        EXPECT_EQ(each.filterIndex, -1);
        EXPECT_EQ(each.flags, 0u);
    }
}
