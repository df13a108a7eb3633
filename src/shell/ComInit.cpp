#include "shell/ComInit.h"

#include <windows.h>
#include <objbase.h>

namespace ShellCom {

namespace {
enum class State { None, Initialized, Foreign };
// Per thread: COM's initialisation belongs to a thread and is undone on that thread.
thread_local State state = State::None;
} // namespace

bool EnsureInitialized() {
    if (state != State::None) return true;
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // S_FALSE (already initialised here) also takes a reference to give back.
    if (SUCCEEDED(hr))
        state = State::Initialized;
    else if (hr == RPC_E_CHANGED_MODE) // a multi-threaded apartment serves the shell too
        state = State::Foreign;
    return state != State::None;
}

Session::~Session() {
    if (state == State::Initialized) CoUninitialize();
    state = State::None;
}

} // namespace ShellCom
