#pragma once
// The monitor player of the main window: records a monitor log while the user
// works with a unit and plays one back, so the panel, the external monitor,
// the map tables' live markers, the settings and the shown page and sheets
// move as they did.
//
// States (TMainForm::LogPlayerState): 0 idle, 1 recording, 5 recording
// paused, 2 playing, 6 playback paused (also at the end of the log).
//
// A recording is kept in memory and rewritten whole through the atomic file
// writer as it grows (it starts with its initial records, then every 10
// records or 5 seconds, and at Stop), so a crash loses at most the last few
// seconds and never leaves a half-written file. A log is at most about 38 KB
// (no record may start past byte 32767 of the data area), so a rewrite costs
// little.

#include "image/rsimage.h"
#include "monitor/monitorlog.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TMainForm;
class TLabel;
class TScrollBar;
class TSpeedButton;

constexpr int LOG_PLAYER_IDLE = 0;
constexpr int LOG_PLAYER_RECORDING = 1;
constexpr int LOG_PLAYER_PLAYING = 2;
constexpr int LOG_PLAYER_RECORDING_PAUSED = 5;
constexpr int LOG_PLAYER_PLAYING_PAUSED = 6;

// A recording is written again after this many new records or milliseconds.
constexpr int LOG_SAVE_RECORDS = 10;
constexpr int64_t LOG_SAVE_MS = 5000;

struct LogPlayer {
    // The controls inside GroupBoxPlayer.
    TSpeedButton* SpeedButtonPlay1 = nullptr; // Record
    TSpeedButton* SpeedButtonPlay2 = nullptr; // Play
    TSpeedButton* SpeedButtonPlay3 = nullptr; // Pause
    TSpeedButton* SpeedButtonPlay4 = nullptr; // Stop
    TScrollBar* ScrollBarPlay = nullptr;
    TLabel* LabelPlayFile = nullptr;
    TLabel* LabelPlayPos = nullptr;
    TLabel* LabelPlayDevice = nullptr;

    // Milliseconds of elapsed time (a steady clock), and the calendar time in
    // seconds since 1970; tests put in their own.
    std::function<int64_t()> Clock;
    std::function<int64_t()> WallClock;

    std::u16string FileName;
    std::unique_ptr<MonitorLogWriter> Writer; // while recording
    std::unique_ptr<MonitorLog> Log; // while playing
    // Records appended, or the playback position counted from the first
    // record after the initial ones.
    int Position = 0;
    int Positions = 0;
    int64_t StartClock = 0;
    int64_t PlayClockBase = 0;
    int64_t PauseClock = 0;
    uint32_t StartTime = 0;
    int64_t RecordTime = 0; // calendar seconds of the record applied last, 0 none
    int RecordMs = 0;
    std::array<uint8_t, monlog::UiPayloadLen> LastUiState {};
    // The start of a recording holds a user-interface record whatever it is.
    bool UiStateLogged = false;

    // The recording's writes: records and time since the file was last written.
    int UnsavedRecords = 0;
    int64_t LastSave = 0;
    bool SaveFailureShown = false;

    // What playback changed of the window, to give back at Stop.
    bool PcImageReplayed = false;
    bool UnitImageReplayed = false;
    RsImage UnitImageBefore;
    int32_t UnitImageValidBefore = 0;
    RsImage UnitImageReplayedLast;
};

// Builds GroupBoxPlayer and its controls (hidden until the menu shows it).
void BuildLogPlayer(TMainForm* form);

void InitLogPlayer(TMainForm* form);
void ShowLogState(TMainForm* form);
void StartLogRecord(TMainForm* form);
void StartLogPlay(TMainForm* form);
void StopLog(TMainForm* form);

// The recorder's records: each does nothing unless a recording runs.
void LogConnection(TMainForm* form);
// which: 0 PcImage, 1 UnitImage (only while it is valid).
void LogImage(TMainForm* form, int which);
void LogMonitorFrame(TMainForm* form);
// Appends only when the page or a table's sheet changed since the last one.
void LogUiState(TMainForm* form);

void ApplyLogRecord(TMainForm* form, int i);
// One playback step: the records that came due since the last applied one.
void LogPlayStep(TMainForm* form);
// Every tick: the playback step, the stop of a playback when a unit
// connects, and the periodic write of a recording.
void LogPlayerTick(TMainForm* form);
