#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "monitor/live.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A request of 300 bytes: zero except the listed positions.
Bytes Expected(const std::map<int, uint8_t>& set)
{
    Bytes b(LIVE_REQUEST_LEN, 0);
    for (auto [at, v] : set)
        b[size_t(at)] = v;
    return b;
}

Bytes Build(const LiveRequestInputs& in, const RsImage& image, OneShotCommands& oneShot)
{
    // Junk in the buffer shows that every unlisted byte is cleared.
    Bytes out(LIVE_REQUEST_LEN, 0xEE);
    SendLiveRequest(in, image, oneShot, std::span<uint8_t, LIVE_REQUEST_LEN>(out.data(), LIVE_REQUEST_LEN));
    return out;
}

// The Tuning page's bytes and the Test page's two values, with the image's
// neighbours of every copied range set so that an off-by-one shows.
RsImage TuningImage()
{
    RsImage image;
    image.Fill(0x55);
    image.b[2954] = 3;
    for (int i = 0; i < 13; ++i)
        image.b[size_t(2986 + i)] = uint8_t(0x10 + i);
    image.b[2999] = 45; // 4500 rpm test speed
    image.b[3000] = 12; // 120 ms servo pulse
    return image;
}

std::map<int, uint8_t> TuningBytes()
{
    std::map<int, uint8_t> m { { 1, 3 }, { 103, 45 }, { 104, 12 } };
    for (int i = 0; i < 13; ++i)
        m[4 + i] = uint8_t(0x10 + i);
    return m;
}

struct Click {
    int byte;
    uint8_t mask;
};

struct RequestCase {
    const char* name;
    bool tuningOn;
    int switchItem;
    std::vector<Click> clicks;
    std::map<int, uint8_t> extra; // on top of TuningBytes()
};

class LiveRequestBytes : public ::testing::TestWithParam<RequestCase> { };

TEST_P(LiveRequestBytes, CarriesSettingsAndClicksOnceThenClearsThem)
{
    const RequestCase& c = GetParam();
    RsImage image = TuningImage();
    OneShotCommands oneShot;
    for (const Click& k : c.clicks)
        oneShot.Set(k.byte, k.mask);

    std::map<int, uint8_t> want = TuningBytes();
    for (auto [at, v] : c.extra)
        want[at] = v;
    EXPECT_EQ(Build({ c.tuningOn, c.switchItem }, image, oneShot), Expected(want));
    oneShot.Answered();

    // The next poll carries the settings again and no command.
    for (int i = 99; i <= 102; ++i)
        want.erase(i);
    EXPECT_EQ(Build({ c.tuningOn, c.switchItem }, image, oneShot), Expected(want));
}

INSTANTIATE_TEST_SUITE_P(Cases, LiveRequestBytes,
    ::testing::Values(RequestCase { "TuningOnAutotuning", true, 2, {}, { { 0, 1 }, { 2, 2 } } },
        RequestCase { "TuningOffStillCarriesImageAndCommands", false, 0, { { 1, 0x04 } }, { { 100, 0x04 } } },
        RequestCase { "LaunchControlSwitch", true, 3, {}, { { 0, 1 }, { 2, 3 } } },
        RequestCase { "NoSwitchItemSendsFF", true, -1, {}, { { 0, 1 }, { 2, 0xFF } } },
        RequestCase {
            "InjectorClickedTwiceSendsItsBitOnce", true, 0, { { 0, 0x01 }, { 0, 0x01 } }, { { 0, 1 }, { 99, 0x01 } } },
        RequestCase { "OneButtonOfEveryByte", false, 1, { { 0, 0x80 }, { 1, 0x08 }, { 2, 0x20 }, { 3, 0x80 } },
            { { 2, 1 }, { 99, 0x80 }, { 100, 0x08 }, { 101, 0x20 }, { 102, 0x80 } } },
        RequestCase { "ServoPlusAndMinusTogether", false, 0, { { 3, 0x01 }, { 3, 0x02 } }, { { 102, 0x03 } } }),
    [](const auto& info) { return std::string(info.param.name); });

// What happens to the commands of a request by the fate of its poll.
struct FateCase {
    const char* name;
    std::vector<Click> clicks;
    void (OneShotCommands::*fate)();
    std::array<uint8_t, 4> nextCarries;
};

class OneShotFate : public ::testing::TestWithParam<FateCase> { };

TEST_P(OneShotFate, DecidesWhatTheNextRequestCarries)
{
    const FateCase& c = GetParam();
    RsImage image;
    OneShotCommands oneShot;
    for (const Click& k : c.clicks)
        oneShot.Set(k.byte, k.mask);
    Build({}, image, oneShot);
    EXPECT_EQ(oneShot.Pending(), (std::array<uint8_t, 4> {})) << "taken by the request";
    (oneShot.*c.fate)();
    EXPECT_EQ(oneShot.InFlight(), (std::array<uint8_t, 4> {}));

    Bytes next = Build({}, image, oneShot);
    EXPECT_EQ(Bytes(next.begin() + 99, next.begin() + 103), Bytes(c.nextCarries.begin(), c.nextCarries.end()));
}

INSTANTIATE_TEST_SUITE_P(Cases, OneShotFate,
    ::testing::Values(
        // A refused post sent nothing: every command waits for the next one.
        FateCase { "RefusedPostKeepsAll", { { 0, 0x01 }, { 2, 0x20 }, { 3, 0x40 } }, &OneShotCommands::PostRefused,
            { 0x01, 0, 0x20, 0x40 } },
        // A failed poll may have reached the unit: only the stop is repeated.
        FateCase {
            "FailedPollRepeatsStop", { { 0, 0x01 }, { 2, 0x20 | 0x02 } }, &OneShotCommands::Failed, { 0, 0, 0x20, 0 } },
        FateCase { "FailedPollDropsTestPulses", { { 1, 0x01 } }, &OneShotCommands::Failed, { 0, 0, 0, 0 } },
        FateCase { "AnsweredPollSendsOnce", { { 2, 0x20 } }, &OneShotCommands::Answered, { 0, 0, 0, 0 } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OneShotCommands, ClickWhilePollRunsTravelsWithTheNextRequest)
{
    RsImage image;
    OneShotCommands oneShot;
    oneShot.Set(2, OneShotCommands::StopBit);
    Build({}, image, oneShot);
    oneShot.Set(0, 0x10); // clicked while the first poll is on the line
    oneShot.Failed();
    Bytes next = Build({}, image, oneShot);
    EXPECT_EQ(Bytes(next.begin() + 99, next.begin() + 103), (Bytes { 0x10, 0, 0x20, 0 }));
    oneShot.Answered();
    next = Build({}, image, oneShot);
    EXPECT_EQ(Bytes(next.begin() + 99, next.begin() + 103), (Bytes { 0, 0, 0, 0 }));
}

TEST(OneShotCommands, IgnoresAByteOutsideTheFour)
{
    OneShotCommands oneShot;
    oneShot.Set(4, 0xFF);
    oneShot.Set(-1, 0xFF);
    EXPECT_EQ(oneShot.Pending(), (std::array<uint8_t, 4> {}));
}

} // namespace
