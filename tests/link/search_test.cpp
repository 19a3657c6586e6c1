#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "linkfixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

unitemu::Options Unit(int32_t protocol, int baud, int unitType = RSKEY)
{
    unitemu::Options options;
    options.protocol = protocol;
    options.baud = baud;
    options.unitType = unitType;
    return options;
}

class PortSearch : public LinkFixture {
protected:
    // No two slots ever hold one port.
    void CheckSlots()
    {
        for (int i = 0; i < PROBE_SLOTS; ++i)
            for (int j = i + 1; j < PROBE_SLOTS; ++j)
                if (link_->Slots[i].Port != 0 && link_->Slots[i].Port == link_->Slots[j].Port)
                    ADD_FAILURE() << "slots " << i << " and " << j << " both hold COM" << link_->Slots[i].Port;
    }
    bool Connected() { return link_->ConnectedPort.load() != 0; }
    bool SlotHolds(int port)
    {
        for (const CCOMPROBE& slot : link_->Slots)
            if (slot.Port == port)
                return true;
        return false;
    }
};

TEST_F(PortSearch, TheDefaultTableAsUsed)
{
    CCOMCOM& link = MakeLink();
    const PROBE_ROW expected[]
        = { { PROTO_IGN300, 115200, 175 }, { PROTO_WCOM, 57600, 75 }, { PROTO_WCOMS, 57600, 125 },
              { PROTO_IGN300, 115200, 175 }, { PROTO_IGN50, 57600, 125 }, { PROTO_IGN300, 115200, 175 },
              { PROTO_IGN100, 57600, 175 }, { PROTO_IGN300, 115200, 175 }, { PROTO_IGN150, 57600, 175 },
              { PROTO_IGN300, 115200, 175 }, { PROTO_WCOM, 115200, 75 }, { PROTO_WCOMS, 115200, 325 },
              { PROTO_IGN300, 115200, 175 }, { PROTO_IGN300, 115200, 175 }, { PROTO_NONE, 0, 0 } };
    for (int row = 0; row < PROBE_ROWS; ++row) {
        EXPECT_EQ(link.ProbeRow(row).Protocol, expected[row].Protocol) << row;
        EXPECT_EQ(link.ProbeRow(row).Baud, expected[row].Baud) << row;
        EXPECT_EQ(link.ProbeRow(row).Timeout, expected[row].Timeout) << row;
    }
}

TEST_F(PortSearch, FindsAnIgn300UnitOnAutomaticChoice)
{
    StartUnit(Unit(PROTO_IGN300, 115200));
    CCOMCOM& link = MakeLink();
    ASSERT_TRUE(Pump([&] { return Connected(); }, 60000, [&] { CheckSlots(); }));
    EXPECT_EQ(link.ConnectedPort.load(), TEST_PORT);
    EXPECT_EQ(link.NextAutoPort, TEST_PORT);
    EXPECT_TRUE(link.PortListChanged);
    EXPECT_STREQ(link.Connection.Name, "Morvanta 308");
    EXPECT_EQ(link.Connection.FrameSize, 302);
    EXPECT_EQ(link.Connection.FrameOverhead, 2);
    EXPECT_EQ(link.Connection.HardwareId, -1);
    for (const CCOMPROBE& slot : link.Slots) {
        EXPECT_EQ(slot.Port, 0);
        EXPECT_EQ(slot.State, PROBE_FREE);
    }
    ASSERT_EQ(sink_.shown.size(), 1u);
    const RecordingSink::Shown& shown = sink_.shown[0];
    EXPECT_EQ(shown.slot, 1);
    EXPECT_EQ(shown.text, "###Morvanta 308 connected##Morvanta 308 verbunden##Morvanta 308 připojen");
    EXPECT_EQ(shown.durationMs, -1);
    EXPECT_EQ(shown.fontColor, LINK_COLOR_BLACK);
    EXPECT_EQ(shown.color, LINK_COLOR_WHITE);
    EXPECT_EQ(shown.priority, 100);
    // The probe the unit heard: command 0x30, no data, check CF.
    Bytes probe = unit().RequestLog().at(0);
    ASSERT_EQ(probe.size(), 302u);
    EXPECT_EQ(probe[0], 0x30);
    EXPECT_EQ(probe[301], 0xCF);

    // The search rests while connected and starts again when the port is closed.
    link.TimerStep();
    EXPECT_EQ(link.TransferState.load(), XFER_READY);
    link.ClosePort();
    ASSERT_TRUE(Pump([&] { return Connected(); }));
    EXPECT_EQ(link.ConnectedPort.load(), TEST_PORT);
}

TEST_F(PortSearch, FindsAWcomUnitOnAFixedPortWithOneSlot)
{
    StartUnit(Unit(PROTO_WCOM, 57600));
    CCOMCOM& link = MakeLink();
    link.PortChoice = TEST_PORT;
    link.NextAutoPort = 1;
    ASSERT_TRUE(Pump([&] { return Connected(); }, 60000,
        [&] {
            EXPECT_EQ(link.Slots[1].Port, 0);
            EXPECT_EQ(link.Slots[2].Port, 0);
        }));
    EXPECT_EQ(link.ConnectedPort.load(), TEST_PORT);
    EXPECT_STREQ(link.Connection.Name, "ZEP12 v308 (hw:105)");
    EXPECT_EQ(link.Connection.FrameSize, 48);
    EXPECT_EQ(link.Connection.FrameOverhead, 16);
    EXPECT_EQ(link.Connection.Frame.Protocol, PROTO_WCOM);
}

struct UnmatchedCase {
    const char* name;
    unitemu::Options unit;
    std::string text;
};

class NotServed : public PortSearch, public ::testing::WithParamInterface<UnmatchedCase> { };

// Units that answer but must not become the connection: each answer is
// reported, the port dropped and probed again on the next pass.
TEST_P(NotServed, TheUnitIsReportedAndItsPortDropped)
{
    const UnmatchedCase& c = GetParam();
    StartUnit(c.unit);
    CCOMCOM& link = MakeLink();
    ASSERT_TRUE(Pump([&] { return sink_.shown.size() >= 2 || Connected(); }, 60000, [&] { CheckSlots(); }));
    EXPECT_EQ(link.ConnectedPort.load(), 0);
    EXPECT_EQ(unit().Requests(), 2);
    const RecordingSink::Shown& shown = sink_.shown[0];
    EXPECT_EQ(shown.slot, 1);
    EXPECT_EQ(shown.text, c.text);
    EXPECT_EQ(shown.durationMs, 6000);
    EXPECT_EQ(shown.fontColor, LINK_COLOR_BLACK);
    EXPECT_EQ(shown.color, LINK_COLOR_RED);
    EXPECT_EQ(shown.priority, 10);
}

unitemu::Options WcomUnit(int unitType, int frameSize)
{
    unitemu::Options options = Unit(PROTO_WCOM, 57600, unitType);
    options.frameSize = frameSize;
    return options;
}

INSTANTIATE_TEST_SUITE_P(Link, NotServed,
    ::testing::Values(UnmatchedCase { "OtherType", WcomUnit(300, 48),
                          "###COM 201:ZEP12 v300 (hw:105) (unmatched)##COM 201:ZEP12 v300 (hw:105) verbunden "
                          "(unübertroffen)##COM 201:ZEP12 v300 (hw:105) připojen (nekompatibilní)" },
        // A unit whose frames hold no data, or more than a request can carry,
        // cannot be served.
        UnmatchedCase { "FrameSizeWithoutData", WcomUnit(RSKEY, 16),
            "###COM 201:ZEP12 v308 (hw:105) (unmatched)##COM 201:ZEP12 v308 (hw:105) verbunden "
            "(unübertroffen)##COM 201:ZEP12 v308 (hw:105) připojen (nekompatibilní)" },
        UnmatchedCase { "FrameSizeTooLarge", WcomUnit(RSKEY, 529),
            "###COM 201:ZEP12 v308 (hw:105) (unmatched)##COM 201:ZEP12 v308 (hw:105) verbunden "
            "(unübertroffen)##COM 201:ZEP12 v308 (hw:105) připojen (nekompatibilní)" },
        UnmatchedCase { "SmallFixedFrameUnit", Unit(PROTO_IGN100, 57600, 52),
            "###COM 201:Morvanta 52 (unmatched)##COM 201:Morvanta 52 verbunden (unübertroffen)##COM "
            "201:Morvanta 52 připojen (nekompatibilní)" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PortSearch, ALineThatEchoesTheProbeIsDropped)
{
    StartUnit(Unit(PROTO_WCOM, 57600));
    unit().InjectFault(unitemu::Fault::Echo, -1);
    unit().InjectFault(unitemu::Fault::Silence, -1);
    CCOMCOM& link = MakeLink();
    ASSERT_TRUE(Pump([&] { return unit().Requests() >= 3; }, 60000, [&] { CheckSlots(); }));
    EXPECT_EQ(link.ConnectedPort.load(), 0);
    EXPECT_TRUE(sink_.shown.empty());
    // Each pass drops the port at its first WCOM probe: neither a second
    // probe of that row nor the WCOMS row follows.
    for (const Bytes& request : unit().RequestLog()) {
        ASSERT_EQ(request.size(), 16u);
        EXPECT_EQ(request[WCOM_TYPE], 0xBB);
    }
}

TEST_F(PortSearch, AFixedChoiceWaitsForTheSlotThatHoldsThePort)
{
    // COM200 answers nothing; COM201 is the unit.
    StartUnit(Unit(PROTO_WCOM, 57600, 999), TEST_PORT - 1);
    StartUnit(Unit(PROTO_IGN300, 115200));
    CCOMCOM& link = MakeLink();
    link.NextAutoPort = TEST_PORT - 1;
    ASSERT_TRUE(Pump([&] { return link.Slots[1].Port == TEST_PORT; }));
    link.PortChoice = TEST_PORT;
    ASSERT_TRUE(Pump([&] { return Connected(); }, 60000, [&] { CheckSlots(); }));
    EXPECT_EQ(link.ConnectedPort.load(), TEST_PORT);
    EXPECT_TRUE(Pump([&] { return link.Port(TEST_PORT - 1).PortState.load() == PORT_CLOSED; }));
}

TEST_F(PortSearch, OfflineOpensNothing)
{
    StartUnit(Unit(PROTO_IGN300, 115200));
    CCOMCOM& link = MakeLink();
    link.PortChoice = -1;
    EXPECT_FALSE(Pump([&] { return Connected() || SlotHolds(TEST_PORT); }, 3000));
    EXPECT_EQ(link.Port(TEST_PORT).PortState.load(), PORT_CLOSED);
    EXPECT_EQ(unit().Requests(), 0);
}

struct PreambleAnswerCase {
    const char* name;
    Bytes data;
    const char* unitName;
    int32_t frameSize, hardwareId, unitType;
};

class PreambleAnswer : public ::testing::TestWithParam<PreambleAnswerCase> { };

// The name and the words after it are taken only from inside the data.
TEST_P(PreambleAnswer, NameAndWordsComeFromTheData)
{
    const PreambleAnswerCase& c = GetParam();
    uint8_t frame[FRAME_BUF];
    std::memset(frame, 0xEE, sizeof frame);
    BuildWcomFrame(frame, 0xFEEE, 0, int(c.data.size()), c.data.data());
    CCOMPROBE slot;
    IdentifyPreambleUnit(frame, &slot);
    EXPECT_STREQ(slot.Name, c.unitName);
    EXPECT_EQ(slot.FrameSize, c.frameSize);
    EXPECT_EQ(slot.HardwareId, c.hardwareId);
    EXPECT_EQ(slot.UnitType, c.unitType);
    EXPECT_EQ(slot.FrameOverhead, 16);
}

INSTANTIATE_TEST_SUITE_P(Link, PreambleAnswer,
    ::testing::Values(PreambleAnswerCase { "NameOnly", { 'A', 'B', 0 }, "AB v-1 (hw:ffffffff)", 48, -1, -1 },
        PreambleAnswerCase { "AllWords", { 'A', 0, 64, 0, 5, 1, 0x34, 1 }, "A v308 (hw:105)", 64, 0x105, 308 },
        PreambleAnswerCase { "HalfAWord", { 'A', 0, 64, 0, 5 }, "A v-1 (hw:ffffffff)", 64, -1, -1 },
        PreambleAnswerCase { "NoZeroByte", { 'X', 'Y', 'Z' }, "XYZ v-1 (hw:ffffffff)", 48, -1, -1 },
        PreambleAnswerCase { "NoData", {}, " v-1 (hw:ffffffff)", 48, -1, -1 },
        PreambleAnswerCase { "LongName", Bytes(40, 'N'), "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN", 48, -1, -1 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FixedAnswer, TheUnitTypeAndNameOfEachProtocol)
{
    struct Case {
        int32_t protocol;
        int typeAt; // where the answer carries its type
        int32_t unitType, frameSize;
        const char* name;
        bool result;
    };
    const Case cases[] = {
        { PROTO_IGN50, 50, 52, 52, "Morvanta 52", true },
        { PROTO_IGN100, 100, 52, 102, "Morvanta 52", true },
        { PROTO_IGN150, 150, 7, 152, "Morvanta 7", true },
        { PROTO_IGN300, 2, 308, 302, "Morvanta 308", true },
        { PROTO_WCOM, 2, -1, 52, "Morvanta (unknown)", false },
    };
    for (const Case& c : cases) {
        uint8_t frame[FRAME_BUF] = { 0xB0 };
        if (c.protocol == PROTO_IGN300) {
            frame[2] = 0x01;
            frame[3] = 0x34;
        } else {
            frame[c.typeAt] = uint8_t(c.unitType);
        }
        int32_t unitType = 0, frameSize = 0;
        char name[PROBE_NAME_LEN] = {};
        EXPECT_EQ(IdentifyUnitName(c.protocol, frame, &unitType, &frameSize, name), c.result) << c.protocol;
        EXPECT_EQ(unitType, c.unitType) << c.protocol;
        EXPECT_EQ(frameSize, c.frameSize) << c.protocol;
        EXPECT_STREQ(name, c.name) << c.protocol;
        frame[0] = 0x30;
        EXPECT_FALSE(IdentifyUnitName(c.protocol, frame, &unitType, &frameSize, name)) << c.protocol;
    }
}

} // namespace
