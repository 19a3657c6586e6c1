#include "link/identity.h"

#include <cstdio>
#include <ctime>

namespace {

// Month codes: the sum of the characters of the English abbreviation, modulo 64.
struct MonthCode {
    uint8_t code;
    const char* text;
};
constexpr MonthCode MONTH_CODES[] = {
    { 25, " 1" },
    { 13, " 2" },
    { 32, " 3" },
    { 35, " 4" },
    { 39, " 5" },
    { 45, " 6" },
    { 43, " 7" },
    { 29, " 8" },
    { 40, " 9" },
    { 38, "10" },
    { 51, "11" },
    { 12, "12" },
};

const char* MonthText(uint8_t code)
{
    for (const MonthCode& m : MONTH_CODES)
        if (m.code == code)
            return m.text;
    return "00";
}

// Two digit characters as the unit's texts write them ('0' + tens, '0' + units).
std::string TwoDigits(uint8_t v)
{
    return { char('0' + v / 10), char('0' + v % 10) };
}

} // namespace

int IdentityUnitType(const uint8_t* block)
{
    return block[IdentityOffset::UnitType] | (block[IdentityOffset::UnitType + 1] << 8);
}

int IdentitySubVersion(const uint8_t* block)
{
    return block[IdentityOffset::SubVersion];
}

std::string FormatHardwareCode(const uint8_t* code)
{
    if (code[3] == 0xFF)
        return {};
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02i%02i%02i%c%c", code[3], code[2], code[1], char(code[0] & 0x7F),
        (code[0] & 0x80) ? '+' : '_');
    return buf;
}

std::string FormatSerialNumber(const uint8_t* s)
{
    if (s[7] == 0xFF)
        return "none SN";
    char buf[64];
    std::snprintf(
        buf, sizeof buf, "%02i%02i%02i-%02i%02i%02i-%03i%02x", s[7], s[6], s[5], s[4], s[3], s[2], s[1], s[0]);
    return buf;
}

std::string FormatLastUpdate(int32_t secondsSince1970)
{
    if (secondsSince1970 == -1)
        return {};
    std::time_t t = std::time_t(uint32_t(secondsSince1970));
    std::tm local {};
    if (!localtime_r(&t, &local))
        return {};
    char buf[80];
    std::snprintf(buf, sizeof buf, "(last update: %02i.%02i.%02i-%02i:%02i:%02i)", local.tm_mday, local.tm_mon + 1,
        local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
    return buf;
}

UnitVersionTexts BuildUnitVersionTexts(const uint8_t* b)
{
    UnitVersionTexts t;
    t.name = std::string(reinterpret_cast<const char*>(b), 3) + TwoDigits(b[3]);
    t.date = (b[4] < 10 ? std::string(1, ' ') : std::string(1, char('0' + b[4] / 10))) + char('0' + b[4] % 10) + "."
        + MonthText(b[5]) + ".20" + TwoDigits(b[6]);
    t.time = TwoDigits(b[7]) + ":" + TwoDigits(b[8]);
    if (b[IdentityOffset::LongName] != 0) {
        const char* name = reinterpret_cast<const char*>(b + IdentityOffset::LongName);
        size_t len = 0;
        while (len < 30 && name[len] != 0)
            ++len;
        t.name.assign(name, len);
    }
    if (uint8_t h = b[IdentityOffset::Hardware]; h != 0 && h != 0xFF)
        t.hardware = FormatHardwareCode(b + IdentityOffset::Hardware) + t.name;
    if (uint8_t s = b[IdentityOffset::Serial]; s != 0 && s != 0xFF)
        t.serial = FormatSerialNumber(b + IdentityOffset::Serial);
    if (uint8_t u = b[IdentityOffset::LastUpdate]; u != 0 && u != 0xFF) {
        const uint8_t* p = b + IdentityOffset::LastUpdate;
        t.lastUpdate = FormatLastUpdate(
            int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24));
    }
    return t;
}
