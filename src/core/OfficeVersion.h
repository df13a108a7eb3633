#pragma once
// The version key below "Office" in the registry that holds an application's settings.
#include "core/OfficeApps.h"

#include <array>
#include <optional>
#include <string>

namespace Module1 {

// "15.0" for Office 2013, "16.0" for Office 2016 up to today's Microsoft 365 apps, read
// from the version resource of the executable startup found. "" with the reason for
// any other version, or when it was not found.
std::wstring OfficeVersionKey(const OfficeApp& app, std::wstring& sWhy);

// The same, read once a run for each application: File > New's setting and the trusted
// locations both need it.
class OfficeVersions {
  public:
    std::wstring Key(const OfficeApp& app, std::wstring& sWhy);

  private:
    struct Read {
        std::wstring key, why;
    };
    std::array<std::optional<Read>, 3> read_;
};

} // namespace Module1
