// The main window polling an emulated unit through its own sequencer: the
// request bytes on the line, the answers in the panel, a stop command that
// survives a failed poll, and the panel emptied when the unit goes.

#include "windowonunit.h"

#include "pages/pages.h"

#include "platform/clock.h"

#include <algorithm>

namespace {

using Bytes = std::vector<uint8_t>;

TEST_F(WindowOnUnit, RequestCarriesTheSettingsAndClicksOnceAndAnswersReachThePanel)
{
    // The Tuning and Test pages' values as a user left them.
    form->PcImage.b[2954] = 2;
    for (int i = 0; i < 13; ++i)
        form->PcImage.b[size_t(2986 + i)] = uint8_t(100 + i);
    form->PcImage.b[2991] = 0; // the tuning channel: all cylinders
    form->PcImage.b[2999] = 45;
    form->PcImage.b[3000] = 12;
    unit.SetLiveWord(2, 4321);
    unit.SetLiveWord(10, 13500);
    unit.SetLiveByte(195, 185);
    unit.SetLiveByte(223, 1);
    unit.SetLiveWord(68, 125);
    ASSERT_TRUE(Connected());
    ASSERT_TRUE(BetweenPolls());

    const TestPageControls& t = form->TestPage;
    t.Buttons[0]->click(); // Injection 1A
    t.Buttons[18]->click(); // Stop
    t.Buttons[18]->click();
    ASSERT_TRUE(Polled(1));
    Bytes request = unit.LastLiveRequest();
    ASSERT_EQ(request.size(), size_t(LIVE_REQUEST_LEN));
    Bytes expected(LIVE_REQUEST_LEN, 0);
    expected[1] = 2;
    for (int i = 0; i < 13; ++i)
        expected[size_t(4 + i)] = uint8_t(100 + i);
    expected[9] = 0;
    expected[99] = 0x01;
    expected[101] = 0x20;
    expected[103] = 45;
    expected[104] = 12;
    EXPECT_EQ(request, expected);

    ASSERT_TRUE(Run([&] { return form->Monitor.Values.LiveRpm == 4321; }));
    EXPECT_EQ(Label("LabelRpm")->Caption(), "RPM= 4321");
    EXPECT_EQ(Label("LabelNapeti")->Caption(), "U= 13.5 V");
    EXPECT_EQ(Label("LabelVoda")->Caption(), "Coolant= 85 °C");
    EXPECT_EQ(Label("LabelHourMeter")->Caption(), "Hour meter = 1094:21 [h:mm]");

    // The next request carries the settings again and no command.
    ASSERT_TRUE(Polled(1));
    expected[99] = 0;
    expected[101] = 0;
    EXPECT_EQ(unit.LastLiveRequest(), expected);
}

TEST_F(WindowOnUnit, StopLostWithAFailedPollGoesWithTheNext)
{
    ASSERT_TRUE(Connected());
    ASSERT_TRUE(BetweenPolls());
    const int polls = LiveRequests();
    unit.InjectFault(unitemu::Fault::BadCheck);
    form->TestPage.Buttons[8]->click(); // Ignition 1: a pulse that may have fired
    form->TestPage.Buttons[18]->click(); // Stop
    ASSERT_TRUE(Run([&] { return LiveRequests() >= polls + 2 && Quiet(); }));
    std::vector<Bytes> log = unit.RequestLog();
    std::vector<Bytes> live;
    for (const Bytes& r : log)
        if (!r.empty() && r[0] == 0x30)
            live.push_back(Bytes(r.begin() + 1 + 99, r.begin() + 1 + 103));
    // A slow machine may fit more polls in before the wait ends: the one that
    // carried the pulse and the one after it are compared.
    const auto pulsed = [](const Bytes& b) { return b[1] != 0; };
    const auto pulse = std::find_if(live.begin(), live.end(), pulsed);
    ASSERT_TRUE(pulse != live.end() && pulse + 1 != live.end());
    EXPECT_EQ(*pulse, (Bytes { 0, 0x01, 0x20, 0 })) << "the poll that failed";
    EXPECT_EQ(*(pulse + 1), (Bytes { 0, 0, 0x20, 0 })) << "stop again";
    EXPECT_TRUE(std::none_of(pulse + 1, live.end(), pulsed)) << "no second pulse";
}

TEST_F(WindowOnUnit, PanelShowsNoDataOnceTheUnitIsGone)
{
    unit.SetLiveWord(2, 3000);
    ASSERT_TRUE(Connected());
    ASSERT_TRUE(Run([&] { return form->Monitor.Values.LiveRpm == 3000; }));
    ASSERT_EQ(Label("LabelRpm")->Caption(), "RPM= 3000");

    unit.InjectFault(unitemu::Fault::Silence, -1);
    ASSERT_TRUE(Run([&] { return form->ConnectedPort.load() == 0; }));
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(Label("LabelRpm")->Caption(), "RPM= ---");
    EXPECT_EQ(form->LiveValues.Rpm, 0);
}

TEST_F(WindowOnUnit, ALogRecordedOnTheUnitReplaysOfflineWithPanelMarkersAndPage)
{
    const std::string path = dir.file("unit.ignlog");
    unit.SetLiveWord(2, 1500);
    ASSERT_TRUE(Connected());
    ASSERT_TRUE(Run([&] { return form->Monitor.Values.LiveRpm == 1500; }));
    dialogs.fileAnswers.push_back(QString::fromStdString(path));
    form->Player.SpeedButtonPlay1->Click();
    ASSERT_EQ(form->LogPlayerState, LOG_PLAYER_RECORDING);
    for (int rpm : { 2500, 3500 }) {
        unit.SetLiveWord(2, uint16_t(rpm));
        ASSERT_TRUE(Run([&] { return form->Monitor.Values.LiveRpm == rpm; }));
    }
    form->PageControl1->SetActivePage(form->PageSheets[size_t(PAGE_SLOT_MONITOR)]);
    form->PageControl1Change(form->PageControl1);
    unit.SetLiveWord(2, 4500);
    ASSERT_TRUE(Run([&] { return form->Monitor.Values.LiveRpm == 4500; }));
    form->Player.SpeedButtonPlay4->Click();

    // Offline, on the first page, the log shows what the unit sent.
    unit.InjectFault(unitemu::Fault::Silence, -1);
    ASSERT_TRUE(Run([&] { return form->ConnectedPort.load() == 0; }));
    form->Timer1Timer(form->Timer1);
    form->PageControl1->SetActivePage(form->PageSheets[0]);
    form->PageControl1Change(form->PageControl1);
    int64_t now = 0;
    form->Player.Clock = [&] { return now; };
    dialogs.fileAnswers.push_back(QString::fromStdString(path));
    form->Player.SpeedButtonPlay2->Click();
    ASSERT_EQ(form->LogPlayerState, LOG_PLAYER_PLAYING);
    std::vector<int> seen;
    bool pageFollowed = false;
    // The records are milliseconds apart: the clock steps by one.
    for (int step = 0; step < 600000 && form->LogPlayerState == LOG_PLAYER_PLAYING; ++step) {
        now += 1;
        LogPlayerTick(form.get());
        if (seen.empty() || seen.back() != form->Monitor.Values.LiveRpm)
            seen.push_back(form->Monitor.Values.LiveRpm);
        EXPECT_EQ(form->LiveValues.Rpm, form->Monitor.Values.LiveRpm) << "the map markers follow";
        pageFollowed |= form->ActivePageIndex == PAGE_SLOT_MONITOR;
        EXPECT_TRUE(pageFollowed || form->Monitor.Values.LiveRpm < 4500) << "the page changed before 4500 rpm";
    }
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_PLAYING_PAUSED);
    EXPECT_EQ(seen.back(), 4500);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_NE(std::find(seen.begin(), seen.end(), 2500), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), 3500), seen.end());
    EXPECT_EQ(form->ActivePageIndex, PAGE_SLOT_MONITOR);
    EXPECT_EQ(Label("LabelRpm")->Caption(), "RPM= 4500");
}

} // namespace
