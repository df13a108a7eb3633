#include "ui/AccessHint.h"

#include <gtest/gtest.h>

// "Run as administrator" changes nothing about what a share's server refuses.
TEST(AccessHint, NoElevationHintForAFileOnAShare) {
    const std::wstring message = L"could not be saved";
    EXPECT_NE(AccessHint::WithRunAsHint(message, ERROR_ACCESS_DENIED, L"C:\\App\\Configs\\A.cfg"),
              message);
    EXPECT_EQ(
        AccessHint::WithRunAsHint(message, ERROR_ACCESS_DENIED, L"\\\\srv\\apps\\Configs\\A.cfg"),
        message);
}
