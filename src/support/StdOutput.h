#pragma once
// Standard output of a GUI program: there only when the caller redirected it (a script's
// "> report.txt", a deployment tool reading a pipe), and then inherited as a handle. No
// console is ever opened for it.
#include <windows.h>

#include <string>

namespace CommonModule {

class RedirectedOutput {
  public:
    RedirectedOutput();
    // One line in UTF-8 with CR LF; nothing when no output was handed over.
    void Line(const std::wstring& sLine);
    bool present() const { return handle_ != nullptr; }

  private:
    HANDLE handle_ = nullptr; // the process's, not ours to close
};

} // namespace CommonModule
