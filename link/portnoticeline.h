#pragma once
// Port notices from other programs: a program that needs a serial port the
// main window holds asks for it with one text line "777 <port> <code>" on a
// local socket that only the same user can reach. The codes are those the
// window handles: release the port, reset the unit and release, take it back.

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

constexpr int PORT_NOTICE_MESSAGE = 777;
constexpr int64_t PORT_NOTICE_RELEASE = 0x7FFFFFA1;
constexpr int64_t PORT_NOTICE_RESET_RELEASE = 0x7FFFFFA2;
constexpr int64_t PORT_NOTICE_TAKE_BACK = 0x7FFFFFA4;
// Longest line accepted; a sender that goes on without a line end is cut off.
constexpr size_t PORT_NOTICE_LINE_MAX = 256;

struct PortNotice {
    int64_t wParam; // a COM port number
    int64_t lParam; // the notice code
    bool operator==(const PortNotice&) const = default;
};

// Reads one line (without its line feed; a final CR is allowed). The three
// fields are separated by blanks or tabs; the numbers are decimal, with an
// optional sign, or hexadecimal after "0x". Anything else gives nothing.
std::optional<PortNotice> ParsePortNotice(std::string_view line);

// The line a sender writes, with its line feed.
std::string FormatPortNotice(const PortNotice& notice);

// The socket's path: the user's runtime folder + "/Zeperon_12.portnotice".
QString PortNoticeSocketPath();
