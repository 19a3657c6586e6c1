#include "link/portnoticeline.h"

#include <gtest/gtest.h>

TEST(PortNoticeLine, ReadsWellFormedLinesAndRejectsEverythingElse)
{
    struct Case {
        std::string line;
        std::optional<PortNotice> notice;
    };
    const Case cases[] = {
        { "777 3 2147483553", PortNotice { 3, PORT_NOTICE_RELEASE } },
        { "777 4 0x7FFFFFA2\r", PortNotice { 4, PORT_NOTICE_RESET_RELEASE } },
        { "  777\t12   0x7fffffa4  ", PortNotice { 12, PORT_NOTICE_TAKE_BACK } },
        { "777 -1 -5", PortNotice { -1, -5 } },
        { "777 3", std::nullopt },
        { "777 3 1 4", std::nullopt },
        { "778 3 2147483553", std::nullopt },
        { "0x309 3 2147483553", std::nullopt },
        { "777 three 1", std::nullopt },
        { "777 3 12abc", std::nullopt },
        { "777 3 0x", std::nullopt },
        { "777 3 --1", std::nullopt },
        { "777 3 -+1", std::nullopt },
        { "777 3 99999999999999999999", std::nullopt },
        { "777 3 1\r\r", std::nullopt },
        { "", std::nullopt },
        { "777 3 " + std::string(300, '1'), std::nullopt },
        { std::string("777 3 1\0", 8), std::nullopt },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParsePortNotice(c.line), c.notice) << c.line;
}

TEST(PortNoticeLine, WhatASenderWritesReadsBack)
{
    for (PortNotice n :
        { PortNotice { 3, PORT_NOTICE_RELEASE }, PortNotice { 255, PORT_NOTICE_TAKE_BACK }, PortNotice { 0, -7 } }) {
        std::string line = FormatPortNotice(n);
        ASSERT_EQ(line.back(), '\n');
        line.pop_back();
        EXPECT_EQ(ParsePortNotice(line), n) << line;
    }
}
