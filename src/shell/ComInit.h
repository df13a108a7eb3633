#pragma once
namespace ShellCom {
// Initialises COM (apartment-threaded) once for the process; later calls are free.
bool EnsureInitialized();
} // namespace ShellCom
