// The monitor player on the main window, driven through its buttons, scroll
// bar and tick with a hand-moved clock and scripted file dialogs: the bytes
// of the recorded file, what playback puts on screen and into the images.
#include "playerwindow.h"

#include "app/editpath.h"
#include "pages/pages.h"

#include <filesystem>

namespace {

using namespace playertest;

TEST_F(Player, ARecordingHoldsItsStartAtOnceGrowsOnDiskAndIsWholeAtStop)
{
    const std::string path = dir.file("run.ignlog");
    form->StatusText = "not connected";
    Record(path);
    ASSERT_EQ(form->LogPlayerState, LOG_PLAYER_RECORDING);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_TRUE(dialogs.fileDialogs[0].save);
    EXPECT_EQ(dialogs.fileDialogs[0].request.filter, "IGN log file|*.ignlog;*.IGNLOG");
    EXPECT_EQ(DefaultSuffix(dialogs.fileDialogs[0].request.defaultExt), "ignlog");
    EXPECT_EQ(PlayPos(), "Recording (3) 0 seconds");
    EXPECT_EQ(form->Player.LabelPlayFile->Caption(), path);
    EXPECT_TRUE(form->Player.LabelPlayPos->Visible());
    EXPECT_FALSE(form->Player.ScrollBarPlay->Visible());
    EXPECT_FALSE(form->Player.SpeedButtonPlay1->Enabled());
    EXPECT_FALSE(form->Player.SpeedButtonPlay2->Enabled());
    EXPECT_TRUE(form->Player.SpeedButtonPlay3->Enabled());

    // Started without a unit: connection, PC image, user interface.
    Bytes file = FileBytes(path);
    ASSERT_EQ(file.size(), 262u + 4984u);
    EXPECT_EQ(file[0] | file[1] << 8, 262);
    EXPECT_EQ(file[252], 3);
    EXPECT_EQ(file[254], 3);
    EXPECT_EQ(uint32_t(file[4] | file[5] << 8 | file[6] << 16 | file[7] << 24), uint32_t(WALL));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[62])), form->ProgramIdText);
    EXPECT_EQ(file[262 + 8], 0) << "no port";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[262 + 9])), "not connected");
    EXPECT_TRUE(std::equal(form->PcImage.b.begin(), form->PcImage.b.end(), file.begin() + 262 + 84 + 8));
    EXPECT_EQ(file[262 + 84 + 4808 + 8], form->ActivePageIndex);

    // Nine answers stay in memory; the tenth record writes the file again.
    for (int i = 1; i <= 9; ++i) {
        now += 385;
        Answer(uint16_t(1000 + i));
    }
    EXPECT_EQ(FileBytes(path).size(), 262u + 4984u);
    now += 385;
    Answer(1010);
    EXPECT_EQ(Read(path).RecordCount(), 13);
    // One more record is written 5 s after the last write, by the tick.
    now += 385;
    Answer(1011);
    now += 4000;
    LogPlayerTick(form.get());
    EXPECT_EQ(Read(path).RecordCount(), 13);
    now += 1000;
    LogPlayerTick(form.get());
    EXPECT_EQ(Read(path).RecordCount(), 14);
    EXPECT_EQ(PlayPos(), "Recording (14) 4 seconds") << "as the last record left it";

    // Equal user-interface states give one record.
    LogUiState(form.get());
    now += 10;
    form->ActivePageIndex = 7;
    LogUiState(form.get());
    LogUiState(form.get());
    Stop();
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_IDLE);
    EXPECT_FALSE(form->Player.LabelPlayPos->Visible());
    MonitorLog log = Read(path);
    ASSERT_EQ(log.RecordCount(), 15);
    EXPECT_EQ(log.InitialCount(), 3);
    EXPECT_EQ(log.Record(3).milliseconds, 385u);
    EXPECT_EQ(log.Record(3).payload[2 * RPM_WORD], uint8_t(1001 & 0xFF));
    EXPECT_EQ(log.Record(13).milliseconds, 11u * 385u);
    EXPECT_EQ(log.Record(14).type, monlog::UiState);
    EXPECT_EQ(log.Record(14).payload[0], 7);

    // Idle, answers append nothing and the file stays as it is.
    file = FileBytes(path);
    Answer(2000);
    LogImage(form.get(), 0);
    LogUiState(form.get());
    EXPECT_EQ(FileBytes(path), file);
}

TEST_F(Player, APauseLeavesItsTimeOutOfTheRecords)
{
    const std::string path = dir.file("pause.ignlog");
    form->Images.UnitImageValid = 1;
    form->Images.UnitImage.b[100] = 0x42;
    Record(path);
    now += 1000;
    Answer(1);
    Pause();
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_RECORDING_PAUSED);
    EXPECT_EQ(PlayPos(), "Recording (5) - pause");
    EXPECT_TRUE(form->Player.SpeedButtonPlay1->Enabled());
    Answer(2); // nothing while paused
    now += 10000;
    Record(path);
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_RECORDING);
    EXPECT_EQ(dialogs.fileDialogs.size(), 1u) << "a resume asks for no file";
    now += 500;
    Answer(3);
    Stop();
    MonitorLog log = Read(path);
    // A valid unit image is a fourth initial record.
    ASSERT_EQ(log.InitialCount(), 4);
    EXPECT_EQ(log.Record(2).type, monlog::UnitImage);
    EXPECT_EQ(log.Record(2).payload[100], 0x42);
    ASSERT_EQ(log.RecordCount(), 6);
    EXPECT_EQ(log.Record(4).milliseconds, 1000u);
    EXPECT_EQ(log.Record(5).milliseconds, 1500u);
}

TEST_F(Player, AFullLogStopsTheRecordingAndSaysWhy)
{
    const std::string path = dir.file("full.ignlog");
    Record(path);
    for (int i = 0; i < 100 && form->LogPlayerState == LOG_PLAYER_RECORDING; ++i)
        Answer(uint16_t(i));
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_IDLE);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].text.contains("32767")) << dialogs.boxes[0].text.toStdString();
    MonitorLog log = Read(path);
    EXPECT_EQ(log.RecordCount(), 3 + 91);
}

TEST_F(Player, AFailedWriteIsToldAndTheRecordingKeepsItsRecords)
{
    // A folder that does not exist: the recording does not start.
    Record(dir.file("missing/x.ignlog"));
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_IDLE);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].text.contains("could not be written"));

    // The folder goes while recording: told once, and Stop writes it all
    // once the folder is back.
    std::filesystem::create_directories(dir.path() / "logs");
    const std::string path = dir.file("logs/x.ignlog");
    Record(path);
    std::filesystem::remove_all(dir.path() / "logs");
    for (int i = 0; i < 25; ++i)
        Answer(uint16_t(i));
    EXPECT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_RECORDING);
    std::filesystem::create_directories(dir.path() / "logs");
    Stop();
    EXPECT_EQ(Read(path).RecordCount(), 28);
}

TEST_F(Player, PlaybackFollowsTheClockShowsTheFramesAndPausesAtTheEnd)
{
    const std::string path = WriteLog("play.ignlog", 3);
    Play(path);
    ASSERT_EQ(form->LogPlayerState, LOG_PLAYER_PLAYING);
    form->Live.b[300] = 77;
    EXPECT_FALSE(dialogs.fileDialogs[0].save);
    EXPECT_EQ(dialogs.fileDialogs[0].request.filter, "IGN log file|*.ignlog;*.IGNLOG");
    EXPECT_EQ(form->PcImage.b[2909], 9);
    EXPECT_EQ(form->Player.LabelPlayDevice->Caption(), "Zeperon_12   RSKEY=308   COMPILE=2026_12_01");
    EXPECT_TRUE(form->Player.LabelPlayDevice->Visible());
    EXPECT_TRUE(form->Player.ScrollBarPlay->Visible());
    EXPECT_EQ(form->Player.ScrollBarPlay->Max(), 3);
    EXPECT_EQ(PlayPos().rfind("Play (0) ", 0), 0u) << PlayPos();

    // The first frame is due 400 ms after the initial records, not before,
    // however many ticks come between.
    Ticks(7); // 385 ms
    EXPECT_EQ(form->Monitor.Values.LiveRpm, 0);
    Ticks(1); // 440 ms
    EXPECT_EQ(form->Monitor.Values.LiveRpm, 1000);
    EXPECT_EQ(form->LiveValues.Rpm, 1000) << "the map markers follow";
    EXPECT_EQ(Label("LabelRpm")->Caption(), "RPM= 1000");
    EXPECT_EQ(form->Live.b[300], 77) << "the log does not hold B300";
    EXPECT_EQ(form->Player.ScrollBarPlay->Position(), 1);
    // The local time of the frame, 0.4 s after the start.
    time_t t = time_t(WALL);
    tm local {};
    localtime_r(&t, &local);
    char expected[64];
    std::snprintf(expected, sizeof expected, "Play (1) %04i_%02i_%02i %02i:%02i:%02i.40", local.tm_year + 1900,
        local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    EXPECT_EQ(PlayPos(), expected);

    Ticks(8);
    EXPECT_EQ(form->Monitor.Values.LiveRpm, 2000);
    Ticks(8);
    EXPECT_EQ(form->Monitor.Values.LiveRpm, 3000);
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_PLAYING_PAUSED) << "the end of the log";
    EXPECT_EQ(PlayPos().rfind("Play (3) - pause ", 0), 0u) << PlayPos();
    EXPECT_TRUE(form->Player.SpeedButtonPlay2->Enabled());

    // Playing appends nothing, to this log or any other.
    const Bytes played = FileBytes(path);
    LogMonitorFrame(form.get());
    LogImage(form.get(), 0);
    LogUiState(form.get());
    EXPECT_EQ(FileBytes(path), played);
    EXPECT_EQ(form->Player.Writer, nullptr);

    // Paused, the panel keeps the replayed values.
    UpdateLiveMonitor(form.get());
    EXPECT_EQ(Label("LabelRpm")->Caption(), "RPM= 3000");

    // Play at the end starts again from the initial records.
    form->PcImage.b[2909] = 3;
    Press(form->Player.SpeedButtonPlay2);
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_PLAYING);
    EXPECT_EQ(form->Player.Position, 0);
    EXPECT_EQ(form->PcImage.b[2909], 9);
    Ticks(8);
    EXPECT_EQ(form->Monitor.Values.LiveRpm, 1000);

    // Stopped, the tick's refresh shows no data again.
    Stop();
    Tick();
    EXPECT_EQ(Label("LabelRpm")->Caption(), "RPM= ---");
}

TEST_F(Player, ALogOfInitialRecordsOnlyEndsAtTheFirstStep)
{
    Play(WriteLog("initial.ignlog", 0));
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_PLAYING);
    Ticks(1);
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_PLAYING_PAUSED);
    EXPECT_EQ(PlayPos().rfind("Play (0) - pause 20", 0), 0u) << PlayPos();
}

TEST_F(Player, SeekingWhilePausedAppliesTheOneRecordThere)
{
    Play(WriteLog("seek.ignlog", 8));
    Pause();
    ASSERT_EQ(form->LogPlayerState, LOG_PLAYER_PLAYING_PAUSED);
    form->PcImage.b[2909] = 4;
    form->Player.ScrollBarPlay->SetPosition(5);
    EXPECT_EQ(form->Monitor.Values.LiveRpm, 5000) << "record initial + 4";
    EXPECT_EQ(form->PcImage.b[2909], 4) << "and no other";
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_PLAYING_PAUSED);
    EXPECT_EQ(PlayPos().rfind("Play (5) - pause ", 0), 0u);
    EXPECT_TRUE(LiveDataPresent(form.get()));
    // Position 0 gives the initial records again.
    form->Player.ScrollBarPlay->SetPosition(0);
    EXPECT_EQ(form->PcImage.b[2909], 9);
    // Playing on from a seek goes on from there.
    form->Player.ScrollBarPlay->SetPosition(6);
    Press(form->Player.SpeedButtonPlay2);
    Ticks(8);
    EXPECT_EQ(form->Monitor.Values.LiveRpm, 7000);
}

TEST_F(Player, ReplayedImagesGoBackAtStopOrByOneUndo)
{
    form->PcImage.b[2909] = 5;
    CommitEditNow(form.get());
    const RsImage before = form->PcImage;
    RsImage recordedUnit;
    recordedUnit.b[7] = 0x77;
    Play(WriteLog("images.ignlog", 1, 9, 0, [&](MonitorLogWriter& log) {
        EXPECT_EQ(log.Append(monlog::UnitImage, 0, recordedUnit.b), LogAppend::Appended);
    }));
    EXPECT_EQ(form->Images.UnitImageValid, 1);
    EXPECT_EQ(form->Images.UnitImage, recordedUnit);
    EXPECT_EQ(form->PcImage.b[2909], 9);
    Stop();
    EXPECT_EQ(form->Images.UnitImageValid, 0) << "the unit's image comes back";
    EXPECT_EQ(form->PcImage.b[2909], 9) << "the replayed settings stay";
    Press(form->SpeedButtonZpet);
    EXPECT_EQ(form->PcImage, before);
}

TEST_F(Player, AReplayNeverMeetsAConnectedUnit)
{
    const std::string path = WriteLog("unit.ignlog", 2);
    form->ConnectedPort.store(5);
    Play(path);
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_IDLE);
    EXPECT_TRUE(dialogs.fileDialogs.empty());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].text.contains("connected"));

    form->ConnectedPort.store(0);
    dialogs.fileAnswers.clear();
    Play(path);
    ASSERT_EQ(form->LogPlayerState, LOG_PLAYER_PLAYING);
    form->ConnectedPort.store(5);
    LogPlayerTick(form.get());
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_IDLE);
    EXPECT_EQ(dialogs.boxes.size(), 2u);
}

TEST_F(Player, AChangedPageIsLoadedSoItsStoreKeepsTheReplayedImage)
{
    ASSERT_NE(form->ActivePageIndex, ADVANCE_PAGE);
    form->PcImage.b[2909] = 5;
    LoadPages(form.get(), 1);
    // The replayed image's pick-up correction is 9, and the log shows the
    // Advance page, whose controls held 5 until then.
    Play(WriteLog("page.ignlog", 0, 9, ADVANCE_PAGE));
    EXPECT_EQ(form->ActivePageIndex, ADVANCE_PAGE);
    EXPECT_EQ(form->PageControl1->ActivePageIndex(), ADVANCE_PAGE);
    StoreActivePage(form.get());
    EXPECT_EQ(form->PcImage.b[2909], 9);
}

TEST_F(Player, HostileLogsAreRefusedAndNothingIsApplied)
{
    const std::string good = WriteLog("good.ignlog", 2);
    struct Case {
        const char* what;
        std::function<void(Bytes&)> spoil;
        const char* caption;
        const char* text;
    };
    const Case cases[] = {
        { "another key", [](Bytes& b) { b[60] = 0x33; }, "Error", "RS keys are not equal (307!=308)" },
        { "cut short", [](Bytes& b) { b.resize(300); }, "Error", "data area is longer than the file" },
        { "page 200", [](Bytes& b) { b[size_t(266 + 84 + 4808 + 8)] = 200; }, "Error", "page" },
        { "empty file", [](Bytes& b) { b.clear(); }, "Error", "header is cut short" },
    };
    const RsImage before = form->PcImage;
    for (const Case& c : cases) {
        Bytes bytes = FileBytes(good);
        c.spoil(bytes);
        const std::string path = dir.file("bad.ignlog");
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        dialogs.boxes.clear();
        Play(path);
        EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_IDLE) << c.what;
        EXPECT_EQ(form->PcImage, before) << c.what;
        ASSERT_EQ(dialogs.boxes.size(), 1u) << c.what;
        EXPECT_EQ(dialogs.boxes[0].caption, c.caption) << c.what;
        EXPECT_TRUE(dialogs.boxes[0].text.contains(c.text)) << c.what << ": " << dialogs.boxes[0].text.toStdString();
    }
    // A file that cannot be opened is passed over without a word.
    dialogs.boxes.clear();
    Play(dir.file("none.ignlog"));
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_IDLE);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(Player, ClosingTheWindowWhileRecordingWritesTheFile)
{
    const std::string path = dir.file("close.ignlog");
    Record(path);
    for (int i = 0; i < 4; ++i)
        Answer(uint16_t(i));
    TCloseAction action = caFree;
    form->FormClose(form.get(), action);
    EXPECT_EQ(Read(path).RecordCount(), 7);
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_IDLE);
}

} // namespace
