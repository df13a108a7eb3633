// OpenWebPage hands its address to the shell's default handler. A command script
// stands in for the browser: the shell runs it, and the file it writes shows the
// address arrived intact.
#include "shell/WebPage.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "testlib/DebugCapture.h"
#include "testlib/Scratch.h"

namespace {
bool WaitForFile(const std::wstring& path) {
    for (int i = 0; i < 300; ++i) {
        if (testlib::FileExists(path)) return true;
        Sleep(50);
    }
    return false;
}
} // namespace

TEST(OpenWebPage, AddressInTheAnsiCodePageReachesItsHandler) {
    testlib::ScratchDir scratch{L"web"};
    const std::wstring marker = scratch / L"opened.txt";
    // U+20AC is 0x80 in the test prefix's code page 1252.
    const std::wstring handler = scratch / L"Hilfe-\u20ac.cmd";
    testlib::WriteFile(handler, "@echo opened>\"" + testlib::Utf8(marker) + "\"\r\n");
    testlib::DebugCapture debug;
    CommonModule::OpenWebPage(handler);
    EXPECT_TRUE(WaitForFile(marker));
    EXPECT_TRUE(debug.lines().empty());
    Sleep(200); // let the script close its file before the folder goes
}
