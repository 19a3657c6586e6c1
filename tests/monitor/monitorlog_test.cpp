// The monitor log's bytes as the recorder writes them, read back, and the
// files the reader must refuse.
#include "monitor/monitorlog.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

uint16_t U16(const std::string& b, size_t at)
{
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}
uint32_t U32(const std::string& b, size_t at)
{
    return uint32_t(U16(b, at)) | uint32_t(U16(b, at + 2)) << 16;
}
void Put16(Bytes& b, size_t at, uint16_t v)
{
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
void Put32(Bytes& b, size_t at, uint32_t v)
{
    Put16(b, at, uint16_t(v));
    Put16(b, at + 2, uint16_t(v >> 16));
}

LogHeaderInfo Info()
{
    LogHeaderInfo info;
    info.startTime = 0x65000001;
    info.systemVersion = { 6, 1, 76, 0 };
    info.screens = { { 0, 1920, 0, 1080 }, { -1280, 1280, 100, 1024 } };
    info.identity = "Zeperon_12   RSKEY=308   COMPILE=2026_12_11";
    return info;
}

Bytes Payload(int type, uint8_t fill = 0)
{
    return Bytes(size_t(monlog::RecordLength(type) - monlog::RecordHead), fill);
}

// A recording started without a unit: connection, PC image, user interface.
MonitorLogWriter StartWithoutUnit()
{
    MonitorLogWriter log(Info());
    Bytes connection = Payload(monlog::Connection);
    connection[0] = 0;
    EXPECT_EQ(log.Append(monlog::Connection, 0, connection), LogAppend::Appended);
    EXPECT_EQ(log.Append(monlog::PcImage, 0, Payload(monlog::PcImage, 0x11)), LogAppend::Appended);
    Bytes ui = Payload(monlog::UiState);
    ui[monlog::UiOffPage] = 3;
    EXPECT_EQ(log.Append(monlog::UiState, 1, ui), LogAppend::Appended);
    log.MarkInitial();
    return log;
}

Bytes ToBytes(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

TEST(MonitorLogWriter, AStartWithoutAUnitGivesTheGoldenHeader)
{
    MonitorLogWriter log = StartWithoutUnit();
    std::string file = log.FileBytes();
    ASSERT_EQ(file.size(), 262u + 4984u);
    EXPECT_EQ(U16(file, 0), 262);
    EXPECT_EQ(U16(file, 2), 0);
    EXPECT_EQ(U32(file, 4), 0x65000001u);
    EXPECT_EQ(U32(file, 8), 6u);
    EXPECT_EQ(U32(file, 12), 1u);
    EXPECT_EQ(U32(file, 16), 76u);
    EXPECT_EQ(U32(file, 20), 0u);
    // Two screens, the other two left 0.
    const int16_t screens[16] = { 0, 1920, 0, 1080, -1280, 1280, 100, 1024 };
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(int16_t(U16(file, 24 + 2 * size_t(i))), screens[i]) << i;
    EXPECT_EQ(U32(file, 56), 0u);
    EXPECT_EQ(U16(file, 60), 308);
    EXPECT_EQ(file.substr(62, 44), Info().identity + '\0');
    EXPECT_EQ(file.substr(106, 142), std::string(142, '\0'));
    EXPECT_EQ(U32(file, 248), 4984u);
    EXPECT_EQ(U16(file, 252), 3);
    EXPECT_EQ(U16(file, 254), 3);
    // The index, then the records back to back from file offset 262.
    EXPECT_EQ(U16(file, 256), 0);
    EXPECT_EQ(U16(file, 258), 84);
    EXPECT_EQ(U16(file, 260), 84 + 4808);
    const size_t ui = 262 + 84 + 4808;
    EXPECT_EQ(U16(file, ui), 92);
    EXPECT_EQ(uint8_t(file[ui + 2]), 5);
    EXPECT_EQ(uint8_t(file[ui + 3]), 0);
    EXPECT_EQ(U32(file, ui + 4), 1u);
    EXPECT_EQ(uint8_t(file[ui + 8]), 3);

    // The first live record goes to offset 4984.
    Bytes frame = Payload(monlog::LiveFrame, 0x5A);
    ASSERT_EQ(log.Append(monlog::LiveFrame, 385, frame), LogAppend::Appended);
    file = log.FileBytes();
    EXPECT_EQ(U16(file, 0), 264);
    EXPECT_EQ(U16(file, 252), 3);
    EXPECT_EQ(U16(file, 254), 4);
    EXPECT_EQ(U16(file, 262), 4984);
    EXPECT_EQ(U32(file, 248), 4984u + 308u);
    EXPECT_EQ(U16(file, 264 + 4984), 308);
    EXPECT_EQ(U32(file, 264 + 4984 + 4), 385u);
}

TEST(MonitorLogWriter, TheIdentityIsCutToItsFieldAndStaysTerminated)
{
    LogHeaderInfo info = Info();
    info.identity = std::string(300, 'x');
    info.screens.assign(6, LogScreen { 1, 2, 3, 4 });
    MonitorLogWriter log(info);
    const std::string file = log.FileBytes();
    EXPECT_EQ(file.substr(62, 185), std::string(185, 'x'));
    EXPECT_EQ(file[247], '\0');
    EXPECT_EQ(U16(file, 24 + 8 * 3 + 6), 4) << "the fourth screen is kept";
    EXPECT_EQ(U32(file, 56), 0u) << "the fifth is not";
}

TEST(MonitorLogWriter, StopsAtTheLastAddressableOffsetWithTrueIndexEntries)
{
    MonitorLogWriter log = StartWithoutUnit();
    const Bytes frame = Payload(monlog::LiveFrame);
    LogAppend result = LogAppend::Appended;
    int appended = 0;
    while ((result = log.Append(monlog::LiveFrame, 0, frame)) == LogAppend::Appended)
        ++appended;
    EXPECT_EQ(result, LogAppend::OffsetLimit);
    // 4984 + 91 x 308 = 33012: the 91st record starts at 32704, the next could not.
    EXPECT_EQ(appended, 91);
    EXPECT_EQ(log.DataLength(), 33012);
    MonitorLog back;
    ASSERT_EQ(ParseMonitorLog(ToBytes(log.FileBytes()), back), LogRead::Ok);
    ASSERT_EQ(back.RecordCount(), 94);
    EXPECT_EQ(back.Record(93).type, monlog::LiveFrame);
    // Refused appends leave the file as it was.
    const std::string before = log.FileBytes();
    EXPECT_EQ(log.Append(monlog::UiState, 0, Payload(monlog::UiState)), LogAppend::OffsetLimit);
    EXPECT_EQ(log.FileBytes(), before);
}

TEST(MonitorLogWriter, ARecordThatWouldPassTheDataLimitIsRefused)
{
    MonitorLogWriter log(Info());
    EXPECT_EQ(log.Append(9, 0, Bytes(size_t(monlog::MaxData))), LogAppend::DataFull);
    EXPECT_EQ(log.RecordCount(), 0);
    EXPECT_EQ(log.DataLength(), 0);
}

TEST(MonitorLogReader, ReadsBackWhatWasWritten)
{
    MonitorLogWriter log = StartWithoutUnit();
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(log.Append(monlog::LiveFrame, uint32_t(400 * (i + 1)), Payload(monlog::LiveFrame, uint8_t(i))),
            LogAppend::Appended);
    const Bytes file = ToBytes(log.FileBytes());
    // Seven records: the data area starts at file offset 270.
    ASSERT_EQ(U16(log.FileBytes(), 0), 270);
    MonitorLog back;
    ASSERT_EQ(ParseMonitorLog(file, back), LogRead::Ok);
    EXPECT_EQ(back.RecordCount(), 7);
    EXPECT_EQ(back.InitialCount(), 3);
    EXPECT_EQ(back.StartTime(), 0x65000001u);
    EXPECT_EQ(back.Identity(), Info().identity);
    EXPECT_EQ(back.Record(1).type, monlog::PcImage);
    EXPECT_EQ(back.Record(1).payload.size(), 4800u);
    EXPECT_EQ(back.Record(1).payload[4799], 0x11);
    EXPECT_EQ(back.Record(2).payload[0], 3);
    for (int i = 0; i < 4; ++i) {
        const LogRecordView r = back.Record(3 + i);
        EXPECT_EQ(r.type, monlog::LiveFrame);
        EXPECT_EQ(r.milliseconds, uint32_t(400 * (i + 1)));
        ASSERT_EQ(r.payload.size(), 300u);
        EXPECT_EQ(r.payload[0], uint8_t(i));
        EXPECT_EQ(r.payload[299], uint8_t(i));
    }
}

TEST(MonitorLogReader, TheStartTimeIsUnsignedAndTrailingBytesAreLeftAlone)
{
    LogHeaderInfo info = Info();
    info.startTime = 0xF0000000u; // after 2038
    MonitorLogWriter log(info);
    ASSERT_EQ(log.Append(monlog::UiState, 0, Payload(monlog::UiState)), LogAppend::Appended);
    log.MarkInitial();
    Bytes file = ToBytes(log.FileBytes());
    file.resize(file.size() + 10, 0xEE);
    MonitorLog back;
    ASSERT_EQ(ParseMonitorLog(file, back), LogRead::Ok);
    EXPECT_EQ(back.StartTime(), 0xF0000000u);
}

// A valid log with a live frame last, for the hostile variants below.
Bytes GoodFile()
{
    MonitorLogWriter log = StartWithoutUnit();
    EXPECT_EQ(log.Append(monlog::LiveFrame, 400, Payload(monlog::LiveFrame)), LogAppend::Appended);
    return ToBytes(log.FileBytes());
}

TEST(MonitorLogReader, RefusesHostileFilesAndKeepsWhatItHeld)
{
    // GoodFile: 4 records, header 264, data 5292; record 3 (live) at 4984,
    // record 2 (user interface) at 4892.
    constexpr size_t data = 264;
    struct Case {
        const char* what;
        std::function<void(Bytes&)> spoil;
        LogRead expected;
    };
    const Case cases[] = {
        { "shorter than a header", [](Bytes& b) { b.resize(255); }, LogRead::Damaged },
        { "another layout key", [](Bytes& b) { Put16(b, 60, 307); }, LogRead::WrongKey },
        { "header length off by two", [](Bytes& b) { Put16(b, 0, 266); }, LogRead::Damaged },
        { "header length below 256", [](Bytes& b) { Put16(b, 0, 10); }, LogRead::Damaged },
        { "no records", [](Bytes& b) { Put16(b, 254, 0), Put16(b, 0, 256); }, LogRead::Damaged },
        { "negative record count", [](Bytes& b) { Put16(b, 254, 0xFFFF); }, LogRead::Damaged },
        { "more than 12000 records",
            [](Bytes& b) {
                Put16(b, 254, 12001);
                Put16(b, 0, uint16_t(256 + 2 * 12001));
            },
            LogRead::Damaged },
        { "no initial record", [](Bytes& b) { Put16(b, 252, 0); }, LogRead::Damaged },
        { "more initial records than records", [](Bytes& b) { Put16(b, 252, 5); }, LogRead::Damaged },
        { "index cut short", [](Bytes& b) { b.resize(262); }, LogRead::Damaged },
        { "data length beyond the file", [](Bytes& b) { Put32(b, 248, 5293); }, LogRead::Damaged },
        { "data length beyond the format", [](Bytes& b) { Put32(b, 248, 0xFFFFFFF0u); }, LogRead::Damaged },
        { "negative index entry", [](Bytes& b) { Put16(b, 262, 0x8000); }, LogRead::Damaged },
        { "index entry without room for a head", [](Bytes& b) { Put16(b, 262, 5292 - 7); }, LogRead::Damaged },
        { "record length below its head", [](Bytes& b) { Put16(b, data + 4984, 7); }, LogRead::Damaged },
        { "negative record length", [](Bytes& b) { Put16(b, data + 4984, 0xFFFF); }, LogRead::Damaged },
        { "record reaching past the data",
            [](Bytes& b) {
                Put16(b, data + 4984, 310);
                Put32(b, 248, 5292);
            },
            LogRead::Damaged },
        { "image record too short",
            [](Bytes& b) {
                b[data + 4984 + 2] = monlog::PcImage; // a 308-byte record called an image
            },
            LogRead::Damaged },
        { "live record too long for its type", [](Bytes& b) { b[data + 4892 + 2] = monlog::LiveFrame; },
            LogRead::Damaged },
        { "page 20", [](Bytes& b) { b[data + 4892 + 8] = 20; }, LogRead::Damaged },
        { "page 200", [](Bytes& b) { b[data + 4892 + 8] = 200; }, LogRead::Damaged },
        // Sound variants the reader takes.
        { "page 19", [](Bytes& b) { b[data + 4892 + 8] = 19; }, LogRead::Ok },
        { "unknown type of any length", [](Bytes& b) { b[data + 4984 + 2] = 9; }, LogRead::Ok },
        { "two entries naming one record", [](Bytes& b) { Put16(b, 262, 4892); }, LogRead::Ok },
    };
    MonitorLog held;
    ASSERT_EQ(ParseMonitorLog(GoodFile(), held), LogRead::Ok);
    for (const Case& c : cases) {
        Bytes file = GoodFile();
        c.spoil(file);
        MonitorLog log = held;
        std::string reason;
        EXPECT_EQ(ParseMonitorLog(file, log, &reason), c.expected) << c.what;
        if (c.expected == LogRead::Damaged) {
            EXPECT_FALSE(reason.empty()) << c.what;
        }
        if (c.expected != LogRead::Ok) {
            EXPECT_EQ(log.RecordCount(), 4) << c.what;
            EXPECT_EQ(log.Record(3).payload.size(), 300u) << c.what;
        }
    }
    Bytes wrongKey = GoodFile();
    Put16(wrongKey, 60, 307);
    EXPECT_EQ(MonitorLogKey(wrongKey), 307);
}

} // namespace
