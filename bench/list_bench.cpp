// RefreshConfigList on the Configs folder beside this program, against its floor: one
// listing of the folder and the same number of insertions into a list box of the same
// kind, size and font, also without a repaint per entry. Both are timed with the
// repaint that follows (UpdateWindow), in alternating rounds.
//
//   bench_list WARMUPS RUNS
//
// Prints "times_ms.refresh ...", "times_ms.floor ...", "items.refresh ..." and
// "items.floor ...", one value per measured round, and "entries.firstdiff": the first
// position where the two lists differ at the end, -1 when they are the same.
#include "BenchClock.h"
#include "resource.h"
#include "support/AppSettings.h"
#include "support/ScopedWin.h"
#include "ui/common/Fonts.h"
#include "ui/ConfigList.h"
#include "ui/Form1.h"
#include "ui/Form1Layout.h"
#include "ui/common/Layout.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

const Layout::Control& List1Layout() {
    for (const Layout::Control& c : Form1Layout::kControls)
        if (c.id == IDC_List1) return c;
    return Form1Layout::kControls[0];
}

void FloorRefresh(HWND list, const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    ScopedWin::UniqueFind find(FindFirstFileExW((folder + L"\\*.cfg").c_str(), FindExInfoBasic, &fd,
                                                FindExSearchNameMatch, nullptr,
                                                FIND_FIRST_EX_LARGE_FETCH));
    if (find) {
        do {
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            std::wstring name = fd.cFileName;
            if (name.size() > 4) name.resize(name.size() - 4);
            names.push_back(std::move(name));
        } while (FindNextFileW(find.get(), &fd));
    }
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& n : names)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

std::wstring EntryText(HWND list, LRESULT index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

// The first position where the two lists differ, or -1 when they hold the same names
// in the same order.
LRESULT FirstDifference(HWND a, HWND b) {
    const LRESULT count = SendMessageW(a, LB_GETCOUNT, 0, 0);
    const LRESULT other = SendMessageW(b, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count && i < other; ++i)
        if (EntryText(a, i) != EntryText(b, i)) return i;
    return count == other ? -1 : (count < other ? count : other);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_list WARMUPS RUNS\n");
        return 2;
    }
    const int warmups = bench::ToInt(argv[1]);
    const int runs = bench::ToInt(argv[2]);
    InitCommonControls();
    HWND form = Form1::Show();
    HWND list = form ? Form1::Control(form, IDC_List1) : nullptr;
    if (!list) {
        std::fprintf(stderr, "bench_list: no main window\n");
        return 1;
    }

    const Layout::Control& entry = List1Layout();
    const int dpi = Layout::ScreenDpi();
    const ScopedWin::UniqueFont font = Fonts::LayoutFont(dpi);
    HWND floorWindow =
        CreateWindowExW(0, L"Static", L"floor", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 700, 0,
                        300, 300, nullptr, nullptr, nullptr, nullptr);
    HWND floorList = CreateWindowExW(
        Layout::ExStyleOf(entry), L"ListBox", L"", Layout::StyleOf(entry),
        Layout::TwipsToPixels(entry.left, dpi), Layout::TwipsToPixels(entry.top, dpi),
        Layout::TwipsToPixels(entry.width, dpi), Layout::TwipsToPixels(entry.height, dpi),
        floorWindow, nullptr, nullptr, nullptr);
    SendMessageW(floorList, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    const std::wstring configs = CommonModule::AppPath() + L"Configs";

    std::vector<double> refresh, floor, refreshItems, floorItems;
    for (int round = 0; round < warmups + runs; ++round) {
        Pump();
        double t0 = bench::NowMs();
        ConfigList::RefreshConfigList(form);
        UpdateWindow(list);
        const double tRefresh = bench::NowMs() - t0;
        Pump();
        t0 = bench::NowMs();
        FloorRefresh(floorList, configs);
        UpdateWindow(floorList);
        const double tFloor = bench::NowMs() - t0;
        if (round < warmups) continue;
        refresh.push_back(tRefresh);
        floor.push_back(tFloor);
        refreshItems.push_back(static_cast<double>(SendMessageW(list, LB_GETCOUNT, 0, 0)));
        floorItems.push_back(static_cast<double>(SendMessageW(floorList, LB_GETCOUNT, 0, 0)));
    }
    bench::PrintValues("times_ms.refresh", refresh);
    bench::PrintValues("times_ms.floor", floor);
    bench::PrintValues("items.refresh", refreshItems);
    bench::PrintValues("items.floor", floorItems);
    bench::PrintValues("entries.firstdiff",
                       {static_cast<double>(FirstDifference(list, floorList))});
    DestroyWindow(floorWindow);
    DestroyWindow(form);
    return 0;
}
