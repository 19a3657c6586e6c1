#pragma once
// Monitor-set files: the external monitor's window bounds, the base size of
// its layout and every widget, stored as "*.zmo" files and as monitor.ini.
// All numbers are 32-bit little-endian. A 24-byte header is followed by one
// 108-byte record per widget in painting order, then the texts of the text
// widgets, then the pictures of the picture widgets as complete BMP files.
// This part knows only bytes; the window turns records into widgets.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

constexpr int32_t MONSET_MAGIC = 0x1001;
constexpr int MONSET_HEADER_LEN = 24;
constexpr int MONSET_ITEM_LEN = 108;
constexpr int MAX_SET_TEXTS = 256;
constexpr int MAX_SET_PICTURES = 256;
// The smallest BMP file header the reader takes (file header and the start
// of the information header).
constexpr uint32_t MONSET_MIN_BMP = 26;

// Offsets inside a record.
namespace setitem {
constexpr int Kind = 0;
constexpr int Aux = 4;
constexpr int ColorMk = 8;
constexpr int KindAgain = 104;
} // namespace setitem

struct MonitorSetHeader {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0; // outer size of the window, low 16 bits stored
    int32_t Height = 0;
    int32_t origWidth = 0; // base size of the layout, 0 when absent
    int32_t origHeight = 0;
};

// One widget's record, as stored.
struct MonitorSetItem {
    std::array<uint8_t, MONSET_ITEM_LEN> bytes {};

    int32_t Get(int offset) const;
    void Set(int offset, int32_t value);
    int32_t kind() const { return Get(setitem::Kind); }
    int32_t aux() const { return Get(setitem::Aux); }
    int32_t colorMk() const { return Get(setitem::ColorMk); }
};

struct MonitorSetText {
    int32_t number = 0;
    std::string text; // 8-bit code-page bytes, without the terminating zero
};

struct MonitorSetPicture {
    int32_t number = 0;
    std::vector<uint8_t> bmp; // a whole BMP file
};

struct MonitorSet {
    MonitorSetHeader header;
    std::vector<MonitorSetItem> items;
    std::vector<MonitorSetText> texts;
    std::vector<MonitorSetPicture> pictures;
};

// The file's bytes. Texts and pictures are written as given; the caller
// numbers them and sets the records' `aux`.
std::vector<uint8_t> EncodeMonitorSet(const MonitorSet& set);

namespace setread {
constexpr int Ok = 0;
constexpr int BadFormat = 2; // wrong magic, or fewer bytes than the records need
constexpr int BadTexts = 3;
constexpr int BadPictures = 4;
} // namespace setread

// Reads a set's bytes. Records of kinds other than picture, text, label,
// value and gauge are skipped. With BadFormat `out` is left empty; with
// BadTexts or BadPictures it holds the header, every record and the texts
// and pictures that were read before the fault. A text needs its number
// (equal to the `aux` of the next text record), a length that fits in what
// is left and its zero byte; a picture needs its number, "BM" and a stored
// file size from 26 to what is left, and is taken as exactly that many bytes.
int DecodeMonitorSet(std::span<const uint8_t> data, MonitorSet& out);
