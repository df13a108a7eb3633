#include "shell/ComInit.h"

#include <windows.h>
#include <objbase.h>

namespace ShellCom {

bool EnsureInitialized() {
    // The program has one thread, so one initialisation serves it for the whole run;
    // COM is torn down with the process. A thread already in the multi-threaded
    // apartment (RPC_E_CHANGED_MODE) can still use the shell objects.
    static const bool ready = [] {
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        return SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
    }();
    return ready;
}

} // namespace ShellCom
