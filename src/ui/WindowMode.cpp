#include "ui/WindowMode.h"

#include "support/DebugLog.h"
#include "ui/Form1.h"

namespace WindowMode {

int Run() {
    if (!Form1::Show()) {
        CommonModule::DPrint(L"Form1: the main window could not be created");
        return 1;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Tab, the arrow keys, Enter and Space work as in a dialog box, in every
        // window of ours.
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root && IsDialogMessageW(root, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

} // namespace WindowMode
