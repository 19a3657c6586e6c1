#pragma once
// The monitor log ("*.ignlog"): what the user saw while working with a unit,
// as timed records. The file is a 256-byte header, an index of signed 16-bit
// record offsets and one data area holding the records back to back; every
// number is little-endian.
//
// Record: signed 16-bit length (head included), type, 0, unsigned 32-bit
// milliseconds since the recording began (pauses left out), payload.
//
// MonitorLogWriter builds a log in memory as the recorder appends to it;
// ParseMonitorLog takes a file apart and refuses anything that would make the
// player read outside the file or apply a record of the wrong size.

#include "image/rsimage.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace monlog {
constexpr int HeaderLen = 256;
constexpr int MaxRecords = 12000;
constexpr int MaxHeaderAndIndex = HeaderLen + 2 * MaxRecords;
constexpr int32_t MaxData = 2000000;
// An index entry is a signed 16-bit offset: no record may start beyond it.
constexpr int32_t MaxRecordOffset = 32767;
constexpr int32_t MaxFileLen = MaxHeaderAndIndex + MaxData;
constexpr int RecordHead = 8;

// Header offsets.
constexpr int OffHeaderLen = 0;
constexpr int OffStartTime = 4;
constexpr int OffSystemVersion = 8; // major, minor, build, platform id: 4 bytes each
constexpr int OffScreens = 24; // four screens of left, width, top, height (int16 each)
constexpr int MaxScreens = 4;
constexpr int OffKey = 60;
constexpr int OffIdentity = 62;
constexpr int IdentityLen = 186; // zero-terminated within
constexpr int OffDataLen = 248;
constexpr int OffInitialCount = 252;
constexpr int OffRecordCount = 254;

enum RecordType : uint8_t {
    Connection = 1,
    PcImage = 2,
    UnitImage = 3,
    LiveFrame = 4,
    UiState = 5,
};

constexpr int ConnectionLen = 84;
constexpr int ImageLen = RecordHead + RS_LEN_EXE; // 4808
constexpr int LiveFrameLen = 308; // entries 0..299 of the held block
constexpr int UiStateLen = 92;
constexpr int ConnectionTextMax = 74;

// The user-interface payload: page, three zeros, 40 table ids, 40 sheets.
constexpr int UiPages = 20;
constexpr int UiTables = 40;
constexpr int UiPayloadLen = UiStateLen - RecordHead;
constexpr int UiOffPage = 0;
constexpr int UiOffIds = 4;
constexpr int UiOffSheets = 44;

// The exact length of a record of this type; 0 for a type the log does not know.
constexpr int RecordLength(int type)
{
    switch (type) {
    case Connection:
        return ConnectionLen;
    case PcImage:
    case UnitImage:
        return ImageLen;
    case LiveFrame:
        return LiveFrameLen;
    case UiState:
        return UiStateLen;
    default:
        return 0;
    }
}
} // namespace monlog

struct LogScreen {
    int16_t left = 0;
    int16_t width = 0;
    int16_t top = 0;
    int16_t height = 0;
};

// What the header says of the recording machine and program.
struct LogHeaderInfo {
    uint32_t startTime = 0; // seconds since 1970-01-01 00:00 UTC
    std::array<uint32_t, 4> systemVersion {}; // major, minor, build, platform id
    std::vector<LogScreen> screens; // the first four are kept
    std::string identity; // the program identity text, cut to fit
};

enum class LogAppend {
    Appended,
    IndexFull, // 12000 records
    OffsetLimit, // the record would start beyond what an index entry addresses
    DataFull, // the data area would pass 2,000,000 bytes
};

class MonitorLogWriter {
public:
    explicit MonitorLogWriter(const LogHeaderInfo& info);

    // Enters one record at the end of the data area; nothing is written when
    // the format has no room for it.
    [[nodiscard]] LogAppend Append(uint8_t type, uint32_t milliseconds, std::span<const uint8_t> payload);
    // The records so far are the initial ones (the start of the recording).
    void MarkInitial();

    int RecordCount() const;
    int32_t DataLength() const { return int32_t(data_.size()); }
    // The whole file as it stands: header, index, data area.
    std::string FileBytes() const;

private:
    std::vector<uint8_t> header_; // header and index
    std::vector<uint8_t> data_;
};

enum class LogRead {
    Ok,
    WrongKey, // the layout key is not this program's
    Damaged, // a rule of the format is broken; see the reason
};

struct LogRecordView {
    uint8_t type = 0;
    uint32_t milliseconds = 0;
    std::span<const uint8_t> payload;
};

// A log read from a file and checked: every index entry and record lies in
// the data area, every known type has its exact length, the user-interface
// page is a page of the window, 1 <= initial count <= record count <= 12000.
class MonitorLog {
public:
    int RecordCount() const { return count_; }
    int InitialCount() const { return initial_; }
    uint32_t StartTime() const { return startTime_; }
    int Key() const { return key_; }
    const std::string& Identity() const { return identity_; }
    // Record i, 0 <= i < RecordCount().
    LogRecordView Record(int i) const;
    uint32_t Milliseconds(int i) const { return Record(i).milliseconds; }

private:
    friend LogRead ParseMonitorLog(std::span<const uint8_t>, MonitorLog&, std::string*);
    std::vector<uint8_t> data_;
    std::vector<int32_t> offsets_;
    int count_ = 0;
    int initial_ = 0;
    uint32_t startTime_ = 0;
    int key_ = 0;
    std::string identity_;
};

// Takes the bytes of a log file apart. Bytes after the data area are left
// alone. On failure `reason` (when given) says which rule the file breaks and
// `out` is left unchanged.
[[nodiscard]] LogRead ParseMonitorLog(std::span<const uint8_t> file, MonitorLog& out, std::string* reason = nullptr);

// The key a refused file carries at offset 60, 0 when it is too short to hold one.
int MonitorLogKey(std::span<const uint8_t> file);

// Reads at most monlog::MaxFileLen bytes of a file: no valid log is longer,
// and a huge file must not be taken into memory. False when it cannot be read.
[[nodiscard]] bool ReadMonitorLogFile(const std::string& path, std::vector<uint8_t>& out);
