// The main window polling an emulated unit through its own sequencer: the
// request bytes on the line, the answers in the panel, a stop command that
// survives a failed poll, and the panel emptied when the unit goes.

#include "monitorwindow.h"

#include "link/linktest.h"
#include "pages/pages.h"
#include "platform/clock.h"

#include <QImage>

#include <chrono>

namespace {

using Bytes = std::vector<uint8_t>;

class WindowOnUnit : public MonitorWindow {
protected:
    void SetUp() override
    {
        MonitorWindow::SetUp();
        unit = std::make_unique<unitemu::UnitEmulator>();
        std::string error;
        ASSERT_TRUE(unit->Start(&error)) << error;
        SetComDeviceOverride(TEST_PORT, unit->SlavePath());
        RsImage image;
        image.Fill(0);
        unit->SetImage(image);
        // The automatic search starts at the unit's port.
        form->ComPort = 0;
        form->ComPortAuto = TEST_PORT;
    }
    void TearDown() override
    {
        form.reset();
        unit->Stop();
        SetComDeviceOverride(TEST_PORT, "");
        MonitorWindow::TearDown();
    }

    // Nothing under way between the window's link and the unit.
    bool Quiet() { return PortQuiet(form->Link->Port(TEST_PORT), *unit) && JobQuiet(*form->Link); }
    // Ticks the window while the line is quiet until `done` holds.
    bool Pump(const std::function<bool()>& done, int maxTicks = 2000)
    {
        const int32_t start = form->TickCount;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            if (done())
                return true;
            if (Quiet()) {
                if (form->TickCount - start > maxTicks)
                    return false;
                form->Timer1Timer(form->Timer1);
            } else {
                // The port layer moves on without the clock.
                form->Link->TimerStep();
            }
            std::this_thread::yield();
        }
        return false;
    }
    bool Polled(int count)
    {
        const int requests = LiveRequests();
        return Pump([&] { return LiveRequests() >= requests + count && Quiet(); });
    }
    int LiveRequests()
    {
        int n = 0;
        for (const Bytes& request : unit->RequestLog())
            n += request.size() > 0 && request[0] == 0x30;
        return n;
    }
    // Between two polls: no job posted and nothing on the line.
    bool BetweenPolls()
    {
        return Pump([&] { return form->Link->JobCode.load() == JOB_IDLE && Quiet(); });
    }
    bool Connected()
    {
        return Pump([&] {
            return form->ConnectedPort.load() == TEST_PORT
                && (form->LinkState == linkstate::Idle || form->LinkState == linkstate::LivePoll);
        });
    }

    std::unique_ptr<unitemu::UnitEmulator> unit;
};

TEST_F(WindowOnUnit, RequestCarriesTheSettingsAndClicksOnceAndAnswersReachThePanel)
{
    // The Tuning and Test pages' values as a user left them.
    form->PcImage.b[2954] = 2;
    for (int i = 0; i < 13; ++i)
        form->PcImage.b[size_t(2986 + i)] = uint8_t(100 + i);
    form->PcImage.b[2991] = 0; // the tuning channel: all cylinders
    form->PcImage.b[2999] = 45;
    form->PcImage.b[3000] = 12;
    unit->SetLiveWord(2, 4321);
    unit->SetLiveWord(10, 13500);
    unit->SetLiveByte(195, 185);
    unit->SetLiveByte(223, 1);
    unit->SetLiveWord(68, 125);
    ASSERT_TRUE(Connected());
    ASSERT_TRUE(BetweenPolls());

    const TestPageControls& t = form->TestPage;
    t.Buttons[0]->click(); // Injection 1A
    t.Buttons[18]->click(); // Stop
    t.Buttons[18]->click();
    ASSERT_TRUE(Polled(1));
    Bytes request = unit->LastLiveRequest();
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

    ASSERT_TRUE(Pump([&] { return form->Monitor.Values.LiveRpm == 4321; }));
    EXPECT_EQ(Label("LabelRpm")->Caption(), "RPM= 4321");
    EXPECT_EQ(Label("LabelNapeti")->Caption(), "U= 13.5 V");
    EXPECT_EQ(Label("LabelVoda")->Caption(), "Coolant= 85 °C");
    EXPECT_EQ(Label("LabelHourMeter")->Caption(), "Hour meter = 1094:21 [h:mm]");

    // The next request carries the settings again and no command.
    ASSERT_TRUE(Polled(1));
    expected[99] = 0;
    expected[101] = 0;
    EXPECT_EQ(unit->LastLiveRequest(), expected);
}

TEST_F(WindowOnUnit, StopLostWithAFailedPollGoesWithTheNext)
{
    ASSERT_TRUE(Connected());
    ASSERT_TRUE(BetweenPolls());
    const int polls = LiveRequests();
    unit->InjectFault(unitemu::Fault::BadCheck);
    form->TestPage.Buttons[8]->click(); // Ignition 1: a pulse that may have fired
    form->TestPage.Buttons[18]->click(); // Stop
    ASSERT_TRUE(Pump([&] { return LiveRequests() >= polls + 2 && Quiet(); }));
    std::vector<Bytes> log = unit->RequestLog();
    std::vector<Bytes> live;
    for (const Bytes& r : log)
        if (!r.empty() && r[0] == 0x30)
            live.push_back(Bytes(r.begin() + 1 + 99, r.begin() + 1 + 103));
    ASSERT_GE(live.size(), 2u);
    EXPECT_EQ(live[live.size() - 2], (Bytes { 0, 0x01, 0x20, 0 })) << "the poll that failed";
    EXPECT_EQ(live.back(), (Bytes { 0, 0, 0x20, 0 })) << "stop again, no second pulse";
}

TEST_F(WindowOnUnit, PanelShowsNoDataOnceTheUnitIsGone)
{
    unit->SetLiveWord(2, 3000);
    ASSERT_TRUE(Connected());
    ASSERT_TRUE(Pump([&] { return form->Monitor.Values.LiveRpm == 3000; }));
    ASSERT_EQ(Label("LabelRpm")->Caption(), "RPM= 3000");

    unit->InjectFault(unitemu::Fault::Silence, -1);
    ASSERT_TRUE(Pump([&] { return form->ConnectedPort.load() == 0; }));
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(Label("LabelRpm")->Caption(), "RPM= ---");
    EXPECT_EQ(form->LiveValues.Rpm, 0);
}

TEST_F(WindowOnUnit, ALogRecordedOnTheUnitReplaysOfflineWithPanelMarkersAndPage)
{
    const std::string path = dir.file("unit.ignlog");
    unit->SetLiveWord(2, 1500);
    ASSERT_TRUE(Connected());
    ASSERT_TRUE(Pump([&] { return form->Monitor.Values.LiveRpm == 1500; }));
    dialogs.fileAnswers.push_back(QString::fromStdString(path));
    form->Player.SpeedButtonPlay1->Click();
    ASSERT_EQ(form->LogPlayerState, LOG_PLAYER_RECORDING);
    for (int rpm : { 2500, 3500 }) {
        unit->SetLiveWord(2, uint16_t(rpm));
        ASSERT_TRUE(Pump([&] { return form->Monitor.Values.LiveRpm == rpm; }));
    }
    form->PageControl1->SetActivePage(form->PageSheets[size_t(PAGE_SLOT_MONITOR)]);
    form->PageControl1Change(form->PageControl1);
    unit->SetLiveWord(2, 4500);
    ASSERT_TRUE(Pump([&] { return form->Monitor.Values.LiveRpm == 4500; }));
    form->Player.SpeedButtonPlay4->Click();

    // Offline, on the first page, the log shows what the unit sent.
    unit->InjectFault(unitemu::Fault::Silence, -1);
    ASSERT_TRUE(Pump([&] { return form->ConnectedPort.load() == 0; }));
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

// The panel with the unit's values moving, for a person to look at.
TEST_F(WindowOnUnit, Screenshot)
{
    const char* folder = std::getenv("ZP_SHOTS");
    if (!folder)
        GTEST_SKIP() << "ZP_SHOTS names the folder for the picture";
    form->PcImage.b[2574] = 2;
    form->PcImage.b[2560] = 120;
    form->PcImage.b[2950] = 100;
    form->PcImage.b[2951] = 130;
    form->PcImage.b[2952] = 150;
    form->PcImage.b[2953] = 180;
    LoadPages(form.get(), 0);
    ASSERT_TRUE(Connected());
    const LiveSet sets[] = { { 'W', 47, 236 }, { 'W', 6, 1480 }, { 'B', 195, 186 }, { 'B', 196, 127 }, { 'W', 4, 1009 },
        { 'W', 69, 652 }, { 'W', 10, 13900 }, { 'B', 183, 24 }, { 'B', 184, 23 }, { 'B', 187, 42 }, { 'B', 188, 44 },
        { 'B', 191, 12 }, { 'B', 192, 12 }, { 'B', 203, 131 }, { 'B', 204, 255 }, { 'B', 205, 255 }, { 'B', 206, 255 },
        { 'W', 7, 620 }, { 'B', 177, 0x20 | 0x10 }, { 'B', 176, 0xC0 }, { 'B', 197, 4 }, { 'B', 199, 14 },
        { 'B', 200, 255 }, { 'B', 201, 255 }, { 'B', 202, 255 }, { 'W', 36, 118 }, { 'W', 65, 121 }, { 'W', 13, 2450 },
        { 'W', 14, 2460 }, { 'W', 11, 1800 }, { 'W', 12, 1820 }, { 'B', 223, 0 }, { 'W', 68, 7385 } };
    for (const LiveSet& s : sets) {
        if (s.kind == 'W')
            unit->SetLiveWord(s.k, uint16_t(s.value));
        else
            unit->SetLiveByte(s.k, uint8_t(s.value));
    }
    for (int rpm : { 5400, 7250, 8930 }) {
        unit->SetLiveWord(2, uint16_t(rpm));
        ASSERT_TRUE(Pump([&] { return form->Monitor.Values.LiveRpm == rpm; }));
    }
    // The whole window, wider than the offscreen screen.
    form->resize(1240, 720);
    form->GroupBoxMonitor->Widget()->grab().save(QString::fromUtf8(folder) + "/monitor-panel.png");
    form->grab().save(QString::fromUtf8(folder) + "/main-window-live.png");
    for (int page : { PAGE_SLOT_MONITOR, PAGE_SLOT_TEST }) {
        form->PageControl1->SetActivePage(form->PageSheets[size_t(page)]);
        form->PageControl1Change(form->PageControl1);
        form->grab().save(
            QString::fromUtf8(folder) + (page == PAGE_SLOT_TEST ? "/test-page.png" : "/monitor-page.png"));
    }
}

} // namespace
