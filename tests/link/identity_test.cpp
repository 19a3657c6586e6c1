#include "link/identity.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

std::array<uint8_t, IDENTITY_LEN> Block()
{
    std::array<uint8_t, IDENTITY_LEN> b {};
    std::memcpy(b.data(), "ZEP", 3);
    b[3] = 12; // shown as "12"
    b[4] = 1; // day
    b[5] = 12; // December
    b[6] = 19;
    b[7] = 9;
    b[8] = 5;
    b[11] = 308 & 0xFF;
    b[12] = 308 >> 8;
    return b;
}

} // namespace

TEST(UnitIdentity, NameDateAndTimeTexts)
{
    auto b = Block();
    UnitVersionTexts t = BuildUnitVersionTexts(b.data());
    EXPECT_EQ(t.name, "ZEP12");
    EXPECT_EQ(t.date, " 1.12.2019");
    EXPECT_EQ(t.time, "09:05");
    EXPECT_EQ(t.hardware, "");
    EXPECT_EQ(t.serial, "");
    EXPECT_EQ(t.lastUpdate, "");
    EXPECT_EQ(IdentityUnitType(b.data()), 308);
    EXPECT_EQ(IdentitySubVersion(b.data()), 0);

    b[4] = 23;
    b[5] = 7; // no month has this code
    EXPECT_EQ(BuildUnitVersionTexts(b.data()).date, "23.00.2019");
}

TEST(UnitIdentity, LongNameHardwareAndSerial)
{
    auto b = Block();
    const uint8_t hw[] = { 0xC1, 0x05, 0x02, 0x09 };
    std::memcpy(b.data() + 30, hw, 4);
    const uint8_t sn[] = { 0x12, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01 };
    std::memcpy(b.data() + 38, sn, 8);
    UnitVersionTexts t = BuildUnitVersionTexts(b.data());
    // The long name starts at byte 17 and runs into the hardware code.
    std::string longName(reinterpret_cast<const char*>(b.data() + 17), 13);
    longName += "\xC1\x05\x02\x09";
    EXPECT_EQ(t.name, "ZEP12"); // byte 17 is 0: the short name stays
    EXPECT_EQ(t.hardware, "090205A+ZEP12");
    EXPECT_EQ(t.serial, "010203-040506-00712");

    b[30] = 0x41;
    EXPECT_EQ(BuildUnitVersionTexts(b.data()).hardware, "090205A_ZEP12");
    b[45] = 0xFF;
    EXPECT_EQ(BuildUnitVersionTexts(b.data()).serial, "none SN");
    for (uint8_t first : { 0x00, 0xFF }) {
        b[38] = first;
        EXPECT_EQ(BuildUnitVersionTexts(b.data()).serial, "");
    }

    std::memcpy(b.data() + 17, "Torvik Racing", 14); // with its zero byte
    EXPECT_EQ(BuildUnitVersionTexts(b.data()).name, "Torvik Racing");
    std::memset(b.data() + 17, 'N', 30); // no zero byte: cut at 30 characters
    EXPECT_EQ(BuildUnitVersionTexts(b.data()).name, std::string(30, 'N'));
}

TEST(UnitIdentity, LastUpdateInLocalTime)
{
    const char* oldTz = std::getenv("TZ");
    std::string saved = oldTz ? oldTz : "";
    setenv("TZ", "UTC", 1);
    tzset();
    auto b = Block();
    uint32_t when = 1700000001; // 2023-11-14 22:13:21 UTC; its low byte is not 0
    for (int i = 0; i < 4; ++i)
        b[size_t(34 + i)] = uint8_t(when >> (8 * i));
    EXPECT_EQ(BuildUnitVersionTexts(b.data()).lastUpdate, "(last update: 14.11.2023-22:13:21)");
    EXPECT_EQ(FormatLastUpdate(-1), "");
    std::memset(b.data() + 34, 0xFF, 4);
    EXPECT_EQ(BuildUnitVersionTexts(b.data()).lastUpdate, "");
    if (oldTz)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}
