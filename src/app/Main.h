#pragma once

namespace Module1 {

// The program: startup, then the window or the command-line action. Returns the exit
// code.
int Main();

} // namespace Module1
