#pragma once
namespace ShellCom {

// Initialises COM (apartment-threaded) on the calling thread the first time it is
// asked; later calls are free. False when the shell objects cannot be used here.
bool EnsureInitialized();

// Balances what EnsureInitialized began on this thread when it ends: the thread that
// runs the program holds one for the whole run, so COM is initialised only when a
// shell object is wanted, and uninitialised by the thread that initialised it.
class Session {
  public:
    Session() noexcept = default;
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
};

} // namespace ShellCom
