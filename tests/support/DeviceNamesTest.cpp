#include "support/DeviceNames.h"

#include "testlib/Scratch.h"

#include <gtest/gtest.h>

TEST(DeviceNames, TheBaseNameDecidesInAnyCaseWithTrailingBlanksDropped) {
    struct Case {
        const wchar_t* segment;
        bool device;
    };
    const Case cases[] = {
        {L"CON", true},          {L"prn", true},      {L"Aux.txt", true},
        {L"nul.dotx", true},     {L"CONIN$", true},   {L"conout$.x", true},
        {L"clock$", true},       {L"COM1", true},     {L"lpt9.exe", true},
        {L"com0", true},         {L"nul ", true},     {L"NUL  .dotx", true},
        {L"nul.txt.dotx", true}, {L"console", false}, {L"COM10.ico", false},
        {L"LPT.ico", false},     {L"comx", false},    {L" nul", false},
        {L"nu", false},          {L"clock", false},   {L"", false},
        {L"nulx", false},        {L"x.nul", false},   {L"LPT\u00b2.txt", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DeviceNames::IsDeviceName(c.segment), c.device) << testlib::Utf8(c.segment);
}
