#pragma once
// The monitor player on the main window, driven through its buttons and tick
// with a hand-moved clock and scripted file dialogs; logs written to order.

#include "monitorwindow.h"

#include "monitor/logplayer.h"
#include "monitor/monitorlog.h"

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <span>
#include <string>
#include <vector>

namespace playertest {

using Bytes = std::vector<uint8_t>;

constexpr int64_t WALL = 1700000000; // 2023-11-14 22:13:20 UTC
constexpr int RPM_WORD = live::WRpm;

inline Bytes FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void SetWord(LiveBlock& block, int k, uint16_t value)
{
    block.b[size_t(2 * k)] = uint8_t(value);
    block.b[size_t(2 * k + 1)] = uint8_t(value >> 8);
}

inline std::span<const uint8_t> Frame(const LiveBlock& block)
{
    return { block.b.data(), size_t(monlog::LiveFrameLen - monlog::RecordHead) };
}

class Player : public MonitorWindow {
protected:
    void SetUp() override
    {
        MonitorWindow::SetUp();
        form->Player.Clock = [this] { return now; };
        form->Player.WallClock = [] { return WALL; };
        form->GroupBoxPlayer->SetVisible(true);
        dialogs.boxes.clear(); // the start-up's own
    }
    void TearDown() override
    {
        form->ConnectedPort.store(0);
        MonitorWindow::TearDown();
    }

    void Press(TSpeedButton* button) { button->Click(); }
    void Record(const std::string& path)
    {
        dialogs.fileAnswers.push_back(QString::fromStdString(path));
        Press(form->Player.SpeedButtonPlay1);
    }
    void Play(const std::string& path)
    {
        dialogs.fileAnswers.push_back(QString::fromStdString(path));
        Press(form->Player.SpeedButtonPlay2);
    }
    void Pause() { Press(form->Player.SpeedButtonPlay3); }
    void Stop() { Press(form->Player.SpeedButtonPlay4); }
    // A live answer as the sequencer hands it over.
    void Answer(uint16_t rpm)
    {
        SetWord(form->Live, RPM_WORD, rpm);
        LogMonitorFrame(form.get());
    }
    MonitorLog Read(const std::string& path)
    {
        MonitorLog log;
        EXPECT_EQ(ParseMonitorLog(FileBytes(path), log), LogRead::Ok) << path;
        return log;
    }
    std::string PlayPos() const { return form->Player.LabelPlayPos->Caption(); }
    // Ticks of 55 ms of the clock.
    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i) {
            now += 55;
            LogPlayerTick(form.get());
        }
    }

    // A log as a recording without a unit leaves it: connection, an image
    // whose byte 2909 is `pickup`, a user-interface record of `page`, then
    // live frames 400 ms apart with rpm 1000, 2000, ...
    std::string WriteLog(const std::string& name, int frames, uint8_t pickup = 9, uint8_t page = 0,
        const std::function<void(MonitorLogWriter&)>& initialExtra = nullptr)
    {
        LogHeaderInfo info;
        info.startTime = uint32_t(WALL);
        info.identity = "Zeperon_12   RSKEY=308   COMPILE=2026_12_01";
        MonitorLogWriter log(info);
        Bytes connection(76, 0);
        EXPECT_EQ(log.Append(monlog::Connection, 0, connection), LogAppend::Appended);
        RsImage image = form->PcImage;
        image.b[2909] = pickup;
        EXPECT_EQ(log.Append(monlog::PcImage, 0, image.b), LogAppend::Appended);
        if (initialExtra)
            initialExtra(log);
        Bytes ui(monlog::UiPayloadLen, 0);
        ui[0] = page;
        EXPECT_EQ(log.Append(monlog::UiState, 0, ui), LogAppend::Appended);
        log.MarkInitial();
        LiveBlock block;
        for (int i = 1; i <= frames; ++i) {
            SetWord(block, RPM_WORD, uint16_t(1000 * i));
            EXPECT_EQ(log.Append(monlog::LiveFrame, uint32_t(400 * i), Frame(block)), LogAppend::Appended);
        }
        const std::string path = dir.file(name);
        std::ofstream(path, std::ios::binary) << log.FileBytes();
        return path;
    }

    int64_t now = 100000;
};

} // namespace playertest
