#pragma once
// The unit's 300-byte identity block and the texts built from it for the
// status bar and the parameter files.

#include <cstdint>
#include <string>

constexpr int IDENTITY_LEN = 300;
constexpr int IDENTITY_KEPT = 299; // bytes the main window keeps

// Where the fields lie in the block. The unit sends the words at 11 and 13
// high byte first; the link swaps them after each identity read.
namespace IdentityOffset {
constexpr int SubVersion = 10;
constexpr int UnitType = 11;
constexpr int LongName = 17;
constexpr int Hardware = 30;
constexpr int LastUpdate = 34;
constexpr int Serial = 38;
} // namespace IdentityOffset

struct UnitVersionTexts {
    std::string name = "Unit = --";
    std::string date = "Date = --";
    std::string time = "--:--";
    std::string hardware;
    std::string serial;
    std::string lastUpdate;
};

// The texts of a kept block (at least IDENTITY_KEPT bytes).
UnitVersionTexts BuildUnitVersionTexts(const uint8_t* block);

int IdentityUnitType(const uint8_t* block);
int IdentitySubVersion(const uint8_t* block);

// Four bytes from offset 30: "090205A+" style, empty when byte 33 is 0xFF.
std::string FormatHardwareCode(const uint8_t* code);
// Eight bytes from offset 38: "010203-040506-00712" style, "none SN" when byte 45 is 0xFF.
std::string FormatSerialNumber(const uint8_t* serial);
// "(last update: dd.mm.yyyy-hh:mm:ss)" in local time; empty for -1 or a time
// the calendar cannot show.
std::string FormatLastUpdate(int32_t secondsSince1970);
