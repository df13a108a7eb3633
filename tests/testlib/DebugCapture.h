#pragma once
// Collects the debug lines the code under test sends while this object lives.
#include <string>
#include <vector>

namespace testlib {

class DebugCapture {
  public:
    DebugCapture();
    ~DebugCapture();
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;
    const std::vector<std::string>& lines() const { return lines_; }
    void clear() { lines_.clear(); }

  private:
    std::vector<std::string> lines_;
};

} // namespace testlib
