#include "shell/ComInit.h"

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>

namespace {
// True when the thread is in no apartment any more: a multi-threaded one can be
// entered (an apartment-threaded one still in place would refuse it).
bool ApartmentIsGone() {
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(hr)) CoUninitialize();
    return hr == S_OK;
}
} // namespace

TEST(ShellCom, SessionEndsTheInitialisationItsThreadBegan) {
    bool ready = false, gone = false, inUseWithinTheSession = false;
    std::thread worker([&] {
        {
            const ShellCom::Session session;
            ready = ShellCom::EnsureInitialized() && ShellCom::EnsureInitialized();
            inUseWithinTheSession = !ApartmentIsGone();
        }
        gone = ApartmentIsGone();
    });
    worker.join();
    EXPECT_TRUE(ready);
    EXPECT_TRUE(inUseWithinTheSession);
    EXPECT_TRUE(gone) << "CoInitializeEx left unbalanced";
}
