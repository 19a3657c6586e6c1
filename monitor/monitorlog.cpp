#include "monitor/monitorlog.h"

#include <algorithm>
#include <fstream>

namespace {

using namespace monlog;

uint16_t Get16(std::span<const uint8_t> b, size_t at)
{
    return uint16_t(b[at] | (b[at + 1] << 8));
}

uint32_t Get32(std::span<const uint8_t> b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v)
{
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

LogRead Refuse(std::string* reason, const char* text)
{
    if (reason)
        *reason = text;
    return LogRead::Damaged;
}

} // namespace

MonitorLogWriter::MonitorLogWriter(const LogHeaderInfo& info)
    : header_(HeaderLen, 0)
{
    header_.reserve(MaxHeaderAndIndex);
    Put16(header_, OffHeaderLen, HeaderLen);
    Put32(header_, OffStartTime, info.startTime);
    for (size_t i = 0; i < info.systemVersion.size(); ++i)
        Put32(header_, OffSystemVersion + 4 * i, info.systemVersion[i]);
    const size_t screens = std::min(info.screens.size(), size_t(MaxScreens));
    for (size_t i = 0; i < screens; ++i) {
        const LogScreen& s = info.screens[i];
        const size_t at = OffScreens + 8 * i;
        Put16(header_, at, uint16_t(s.left));
        Put16(header_, at + 2, uint16_t(s.width));
        Put16(header_, at + 4, uint16_t(s.top));
        Put16(header_, at + 6, uint16_t(s.height));
    }
    Put16(header_, OffKey, uint16_t(RSKEY));
    const size_t identity = std::min(info.identity.size(), size_t(IdentityLen - 1));
    std::copy_n(info.identity.begin(), identity, header_.begin() + OffIdentity);
}

LogAppend MonitorLogWriter::Append(uint8_t type, uint32_t milliseconds, std::span<const uint8_t> payload)
{
    const int32_t offset = DataLength();
    const int32_t length = RecordHead + int32_t(payload.size());
    if (RecordCount() >= MaxRecords)
        return LogAppend::IndexFull;
    if (offset > MaxRecordOffset)
        return LogAppend::OffsetLimit;
    if (offset + length > MaxData)
        return LogAppend::DataFull;

    data_.resize(size_t(offset + length));
    Put16(data_, size_t(offset), uint16_t(length));
    data_[size_t(offset) + 2] = type;
    data_[size_t(offset) + 3] = 0;
    Put32(data_, size_t(offset) + 4, milliseconds);
    std::copy(payload.begin(), payload.end(), data_.begin() + offset + RecordHead);

    header_.resize(header_.size() + 2);
    Put16(header_, header_.size() - 2, uint16_t(offset));
    Put16(header_, OffHeaderLen, uint16_t(header_.size()));
    Put16(header_, OffRecordCount, uint16_t(RecordCount()));
    Put32(header_, OffDataLen, uint32_t(data_.size()));
    return LogAppend::Appended;
}

void MonitorLogWriter::MarkInitial()
{
    Put16(header_, OffInitialCount, uint16_t(RecordCount()));
}

int MonitorLogWriter::RecordCount() const
{
    return int(header_.size() - HeaderLen) / 2;
}

std::string MonitorLogWriter::FileBytes() const
{
    std::string bytes;
    bytes.reserve(header_.size() + data_.size());
    bytes.append(header_.begin(), header_.end());
    bytes.append(data_.begin(), data_.end());
    return bytes;
}

LogRecordView MonitorLog::Record(int i) const
{
    const std::span<const uint8_t> data(data_);
    const size_t at = size_t(offsets_[size_t(i)]);
    const size_t length = Get16(data, at);
    LogRecordView view;
    view.type = data[at + 2];
    view.milliseconds = Get32(data, at + 4);
    view.payload = data.subspan(at + RecordHead, length - RecordHead);
    return view;
}

int MonitorLogKey(std::span<const uint8_t> file)
{
    return file.size() >= size_t(OffKey + 2) ? Get16(file, OffKey) : 0;
}

LogRead ParseMonitorLog(std::span<const uint8_t> file, MonitorLog& out, std::string* reason)
{
    if (file.size() < size_t(HeaderLen))
        return Refuse(reason, "the header is cut short");
    if (MonitorLogKey(file) != RSKEY)
        return LogRead::WrongKey;
    const int count = int16_t(Get16(file, OffRecordCount));
    const int initial = int16_t(Get16(file, OffInitialCount));
    if (count < 1 || count > MaxRecords)
        return Refuse(reason, "the record count is out of range");
    if (initial < 1 || initial > count)
        return Refuse(reason, "the count of initial records is out of range");
    const size_t headerLen = Get16(file, OffHeaderLen);
    if (headerLen != size_t(HeaderLen + 2 * count))
        return Refuse(reason, "the header length does not match the record count");
    if (file.size() < headerLen)
        return Refuse(reason, "the index is cut short");
    const uint32_t dataLen = Get32(file, OffDataLen);
    if (dataLen > uint32_t(MaxData) || dataLen > file.size() - headerLen)
        return Refuse(reason, "the data area is longer than the file");
    const std::span<const uint8_t> data = file.subspan(headerLen, dataLen);

    std::vector<int32_t> offsets(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int32_t offset = int16_t(Get16(file, size_t(HeaderLen + 2 * i)));
        if (offset < 0 || int64_t(offset) + RecordHead > int64_t(dataLen))
            return Refuse(reason, "an index entry points outside the data area");
        const int length = int16_t(Get16(data, size_t(offset)));
        if (length < RecordHead || int64_t(offset) + length > int64_t(dataLen))
            return Refuse(reason, "a record reaches outside the data area");
        const int type = data[size_t(offset) + 2];
        const int expected = RecordLength(type);
        if (expected != 0 && length != expected)
            return Refuse(reason, "a record has the wrong length for its type");
        if (type == UiState && data[size_t(offset) + RecordHead + UiOffPage] >= UiPages)
            return Refuse(reason, "a record names a page the window does not have");
        offsets[size_t(i)] = offset;
    }

    out.data_.assign(data.begin(), data.end());
    out.offsets_ = std::move(offsets);
    out.count_ = count;
    out.initial_ = initial;
    out.startTime_ = Get32(file, OffStartTime);
    out.key_ = RSKEY;
    const auto identity = file.subspan(OffIdentity, IdentityLen);
    out.identity_.assign(identity.begin(), std::find(identity.begin(), identity.end(), uint8_t(0)));
    return LogRead::Ok;
}

bool ReadMonitorLogFile(const std::string& path, std::vector<uint8_t>& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.resize(size_t(MaxFileLen));
    in.read(reinterpret_cast<char*>(out.data()), std::streamsize(out.size()));
    if (in.bad())
        return false;
    out.resize(size_t(in.gcount()));
    return true;
}
