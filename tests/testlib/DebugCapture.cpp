#include "testlib/DebugCapture.h"

#include "support/DebugLog.h"

namespace testlib {

DebugCapture::DebugCapture() {
    CommonModule::SetDebugObserver([this](const std::string& line) { lines_.push_back(line); });
}

DebugCapture::~DebugCapture() {
    CommonModule::SetDebugObserver(nullptr);
}

} // namespace testlib
