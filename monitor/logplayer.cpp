// The monitor player's recorder and playback on the main window.
#include "monitor/logplayer.h"

#include "app/editpath.h"
#include "app/main.h"
#include "mapedit/tab.h"
#include "pages/pages.h"
#include "platform/dialogs.h"
#include "platform/filewrite.h"

#include <QGuiApplication>
#include <QScreen>

#include <sys/utsname.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

const char* const LOG_FILTER = "IGN log file|*.ignlog;*.IGNLOG";
const char* const LOG_EXTENSION = "*.ignlog";
const char* const KEY_MISMATCH = "RS keys are not equal (%i!=%i)";
const char* const PLAYER_CAPTION = "Monitor player";

bool Recording(int state)
{
    return state == LOG_PLAYER_RECORDING || state == LOG_PLAYER_RECORDING_PAUSED;
}

bool Playing(int state)
{
    return state == LOG_PLAYER_PLAYING || state == LOG_PLAYER_PLAYING_PAUSED;
}

int64_t Now(TMainForm* form)
{
    LogPlayer& p = form->Player;
    if (p.Clock)
        return p.Clock();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t WallNow(TMainForm* form)
{
    return form->Player.WallClock ? form->Player.WallClock() : int64_t(std::time(nullptr));
}

QString PathText(const LogPlayer& p)
{
    return QString::fromStdU16String(p.FileName);
}

void Tell(const QString& text)
{
    Dialogs().MessageBox(text, QString::fromLatin1(PLAYER_CAPTION), MB_OK | MB_ICONWARNING);
}

// The kernel's release as the system version ("6.1.0-18" gives 6, 1, 0);
// the platform id stays 0.
std::array<uint32_t, 4> SystemVersion()
{
    std::array<uint32_t, 4> version {};
    utsname name {};
    if (uname(&name) != 0)
        return version;
    unsigned major = 0, minor = 0, build = 0;
    if (std::sscanf(name.release, "%u.%u.%u", &major, &minor, &build) >= 2)
        version = { major, minor, build, 0 };
    return version;
}

LogHeaderInfo HeaderInfo(TMainForm* form)
{
    LogHeaderInfo info;
    info.startTime = uint32_t(WallNow(form));
    info.systemVersion = SystemVersion();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect r = screen->geometry();
        info.screens.push_back({ int16_t(r.left()), int16_t(r.width()), int16_t(r.top()), int16_t(r.height()) });
    }
    info.identity = form->ProgramIdText;
    return info;
}

// Writes the whole recording over the file; a failure is told once until a
// write succeeds again.
bool SaveRecording(TMainForm* form)
{
    LogPlayer& p = form->Player;
    p.UnsavedRecords = 0;
    p.LastSave = Now(form);
    const WriteResult result = WriteFileAtomic(PathText(p).toStdString(), p.Writer->FileBytes());
    if (result.ok) {
        p.SaveFailureShown = false;
        return true;
    }
    if (!p.SaveFailureShown) {
        p.SaveFailureShown = true;
        Tell(QStringLiteral("The monitor log could not be written to %1: %2")
                 .arg(PathText(p), QString::fromStdString(result.error)));
    }
    return false;
}

const char* LimitText(LogAppend result)
{
    switch (result) {
    case LogAppend::IndexFull:
        return "it holds 12000 records";
    case LogAppend::OffsetLimit:
        return "no further record can be addressed in the file (32767 bytes of records)";
    default:
        return "its records reach 2,000,000 bytes";
    }
}

// Enters a record built from `payload` at the end of the recording.
void AppendLogRecord(TMainForm* form, uint8_t type, std::span<const uint8_t> payload)
{
    LogPlayer& p = form->Player;
    if (form->LogPlayerState != LOG_PLAYER_RECORDING || !p.Writer)
        return;
    const uint32_t ms = uint32_t(Now(form) - p.StartClock);
    const LogAppend result = p.Writer->Append(type, ms, payload);
    if (result != LogAppend::Appended) {
        StopLog(form);
        Tell(QStringLiteral("The recording has stopped: the monitor log is full (%1).")
                 .arg(QString::fromLatin1(LimitText(result))));
        return;
    }
    p.Position = p.Writer->RecordCount();
    if (++p.UnsavedRecords >= LOG_SAVE_RECORDS)
        SaveRecording(form);
    ShowLogState(form);
}

void SetScrollBarQuiet(TMainForm* form, int max, int position)
{
    const int32_t loading = form->LoadingControls;
    form->LoadingControls = 1;
    form->Player.ScrollBarPlay->SetMax(max);
    form->Player.ScrollBarPlay->SetPosition(position);
    form->LoadingControls = loading;
}

// Playback position 0 is the initial records, position p the single record
// initial count + p - 1.
void SeekLog(TMainForm* form, int position)
{
    LogPlayer& p = form->Player;
    p.Position = std::clamp(position, 0, std::max(p.Positions - 1, 0));
    const int initial = p.Log->InitialCount();
    if (p.Position == 0) {
        for (int i = 0; i < initial; ++i)
            ApplyLogRecord(form, i);
    } else {
        ApplyLogRecord(form, initial + p.Position - 1);
    }
}

void ApplyUiState(TMainForm* form, std::span<const uint8_t> ui)
{
    using namespace monlog;
    const int page = ui[UiOffPage];
    if (page != form->ActivePageIndex && page < form->PageControl1->PageCount()) {
        form->PageControl1->SetActivePageIndex(page);
        form->ActivePageIndex = page;
        // The new page shows the image now, so that its next store cannot
        // write what an older image left in its controls.
        LoadPages(form, 0);
    }
    for (int t = 0; t < form->Maps.MapTableCount; ++t) {
        TTab* table = form->Maps.MapTables[t];
        if (!table)
            continue;
        for (int k = 0; k < UiTables; ++k) {
            const int sheet = ui[size_t(UiOffSheets + k)];
            if (ui[size_t(UiOffIds + k)] == table->TableId && sheet != table->CurrentIndex && sheet < table->SheetCount)
                table->SelectSheet(sheet);
        }
    }
}

std::string TimeText(const LogPlayer& p)
{
    if (p.RecordTime == 0)
        return {};
    const time_t t = time_t(p.RecordTime);
    tm local {};
    if (!localtime_r(&t, &local))
        return {};
    char text[64];
    std::snprintf(text, sizeof text, "%04i_%02i_%02i %02i:%02i:%02i.%02i", local.tm_year + 1900, local.tm_mon + 1,
        local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, p.RecordMs / 10);
    return text;
}

} // namespace

void InitLogPlayer(TMainForm* form)
{
    LogPlayer& p = form->Player;
    form->LogPlayerState = LOG_PLAYER_IDLE;
    p.Writer.reset();
    p.Log.reset();
    p.RecordTime = 0;
    ShowLogState(form);
}

void ShowLogState(TMainForm* form)
{
    LogPlayer& p = form->Player;
    const int state = form->LogPlayerState;
    p.SpeedButtonPlay1->SetEnabled(state == LOG_PLAYER_IDLE || state == LOG_PLAYER_RECORDING_PAUSED);
    p.SpeedButtonPlay2->SetEnabled(state == LOG_PLAYER_IDLE || state == LOG_PLAYER_PLAYING_PAUSED);
    p.SpeedButtonPlay3->SetEnabled(state == LOG_PLAYER_RECORDING || state == LOG_PLAYER_PLAYING);
    p.SpeedButtonPlay4->SetEnabled(state != LOG_PLAYER_IDLE);

    char text[128] = "";
    const std::string time = TimeText(p);
    switch (state) {
    case LOG_PLAYER_RECORDING:
        std::snprintf(
            text, sizeof text, "Recording (%i) %i seconds", p.Position, int((Now(form) - p.StartClock) / 1000));
        break;
    case LOG_PLAYER_RECORDING_PAUSED:
        std::snprintf(text, sizeof text, "Recording (%i) - pause", p.Position);
        break;
    case LOG_PLAYER_PLAYING:
        std::snprintf(text, sizeof text, "Play (%i) %s", p.Position, time.c_str());
        break;
    case LOG_PLAYER_PLAYING_PAUSED:
        std::snprintf(text, sizeof text, "Play (%i) - pause %s", p.Position, time.c_str());
        break;
    default:
        break;
    }
    p.LabelPlayPos->SetCaption(text);
    p.LabelPlayPos->SetVisible(state != LOG_PLAYER_IDLE);
    p.LabelPlayFile->SetCaption(p.FileName);
    p.LabelPlayFile->SetVisible(state != LOG_PLAYER_IDLE);
    const bool playing = Playing(state) && p.Log;
    p.LabelPlayDevice->SetCaption(playing ? p.Log->Identity() : std::string());
    p.LabelPlayDevice->SetVisible(Playing(state));
    p.ScrollBarPlay->SetVisible(Playing(state));
    if (playing)
        SetScrollBarQuiet(form, std::max(p.Positions - 1, 0), p.Position);
}

void StartLogRecord(TMainForm* form)
{
    LogPlayer& p = form->Player;
    if (form->LogPlayerState == LOG_PLAYER_RECORDING_PAUSED) {
        p.StartClock += Now(form) - p.PauseClock;
        form->LogPlayerState = LOG_PLAYER_RECORDING;
        return;
    }
    if (form->LogPlayerState != LOG_PLAYER_IDLE)
        return;
    FileDialogRequest request;
    request.filter = QString::fromLatin1(LOG_FILTER);
    request.defaultExt = QString::fromLatin1(LOG_EXTENSION);
    request.fileName = QString::fromStdU16String(p.FileName);
    const QString picked = Dialogs().SaveFileName(request);
    if (picked.isEmpty())
        return;

    p.FileName = picked.toStdU16String();
    p.Position = p.Positions = 0;
    p.RecordTime = 0;
    p.LastUiState.fill(0);
    p.UiStateLogged = false;
    p.Log.reset();
    p.Writer = std::make_unique<MonitorLogWriter>(HeaderInfo(form));
    p.StartClock = Now(form);
    p.SaveFailureShown = false;
    form->LogPlayerState = LOG_PLAYER_RECORDING;
    LogConnection(form);
    LogImage(form, 0);
    LogImage(form, 1);
    LogUiState(form);
    p.Writer->MarkInitial();
    // The file holds the start of the recording at once; a file that cannot
    // be written ends the recording before it begins.
    if (!SaveRecording(form)) {
        p.Writer.reset();
        form->LogPlayerState = LOG_PLAYER_IDLE;
    }
}

void StartLogPlay(TMainForm* form)
{
    LogPlayer& p = form->Player;
    if (form->LogPlayerState == LOG_PLAYER_PLAYING_PAUSED && p.Log) {
        if (p.Log->InitialCount() + p.Position >= p.Log->RecordCount()) {
            p.RecordTime = 0;
            p.StartClock = p.PlayClockBase = Now(form);
            SetScrollBarQuiet(form, std::max(p.Positions - 1, 0), 0);
            SeekLog(form, 0);
        } else {
            p.PlayClockBase += Now(form) - p.PauseClock;
        }
        form->LogPlayerState = LOG_PLAYER_PLAYING;
        return;
    }
    if (form->LogPlayerState != LOG_PLAYER_IDLE)
        return;
    // A replayed image must never reach a unit unasked.
    if (form->ConnectedPort.load() != 0) {
        Tell(QStringLiteral("A monitor log cannot be played while a unit is connected."));
        return;
    }
    FileDialogRequest request;
    request.filter = QString::fromLatin1(LOG_FILTER);
    request.defaultExt = QString::fromLatin1(LOG_EXTENSION);
    request.fileName = QString::fromStdU16String(p.FileName);
    const QString picked = Dialogs().OpenFileName(request);
    if (picked.isEmpty())
        return;
    std::vector<uint8_t> bytes;
    if (!ReadMonitorLogFile(picked.toStdString(), bytes))
        return;
    auto log = std::make_unique<MonitorLog>();
    std::string reason;
    switch (ParseMonitorLog(bytes, *log, &reason)) {
    case LogRead::Ok:
        break;
    case LogRead::WrongKey: {
        char text[64];
        std::snprintf(text, sizeof text, KEY_MISMATCH, MonitorLogKey(bytes), RSKEY);
        ErrorBox(text, MB_OK);
        return;
    }
    case LogRead::Damaged:
        Dialogs().MessageBox(QStringLiteral("%1 is not a monitor log that can be played: %2.")
                                 .arg(picked, QString::fromStdString(reason)),
            QStringLiteral("Error"), MB_OK | MB_ICONERROR);
        return;
    }

    p.FileName = picked.toStdU16String();
    p.Writer.reset();
    p.Log = std::move(log);
    p.Position = 0;
    p.Positions = p.Log->RecordCount() - p.Log->InitialCount() + 1;
    p.RecordTime = 0;
    p.StartTime = p.Log->StartTime();
    p.StartClock = p.PlayClockBase = Now(form);
    p.PcImageReplayed = p.UnitImageReplayed = false;
    p.UnitImageBefore = form->Images.UnitImage;
    p.UnitImageValidBefore = form->Images.UnitImageValid;
    for (int i = 0; i < p.Log->InitialCount(); ++i)
        ApplyLogRecord(form, i);
    form->LogPlayerState = LOG_PLAYER_PLAYING;
}

void StopLog(TMainForm* form)
{
    LogPlayer& p = form->Player;
    const int state = form->LogPlayerState;
    if (Recording(state) && p.Writer)
        SaveRecording(form);
    if (Playing(state) && p.Log) {
        ImageCopies& images = form->Images;
        // The unit's image goes back to what the unit last said, unless a read
        // of the unit has replaced the replayed one since.
        if (p.UnitImageReplayed && images.UnitImageValid && images.UnitImage == p.UnitImageReplayedLast) {
            images.UnitImage = p.UnitImageBefore;
            images.UnitImageValid = p.UnitImageValidBefore;
            form->CompareUnitWithPc();
        }
        // The replayed settings become one undo step, so one Undo gives back
        // the image held before the playback.
        if (p.PcImageReplayed)
            form->Undo->TakeUndoSnapshot();
    }
    p.Writer.reset();
    p.Log.reset();
    form->LogPlayerState = LOG_PLAYER_IDLE;
    ShowLogState(form);
}

void LogConnection(TMainForm* form)
{
    std::array<uint8_t, monlog::ConnectionLen - monlog::RecordHead> payload {};
    payload[0] = uint8_t(form->ConnectedPort.load());
    const size_t length = std::min(form->StatusText.size(), size_t(monlog::ConnectionTextMax));
    std::memcpy(&payload[1], form->StatusText.data(), length);
    AppendLogRecord(form, monlog::Connection, payload);
}

void LogImage(TMainForm* form, int which)
{
    if (which == 0)
        AppendLogRecord(form, monlog::PcImage, form->PcImage.b);
    else if (form->Images.UnitImageValid)
        AppendLogRecord(form, monlog::UnitImage, form->Images.UnitImage.b);
}

void LogMonitorFrame(TMainForm* form)
{
    AppendLogRecord(form, monlog::LiveFrame,
        std::span<const uint8_t>(form->Live.b.data(), monlog::LiveFrameLen - monlog::RecordHead));
}

void LogUiState(TMainForm* form)
{
    LogPlayer& p = form->Player;
    if (form->LogPlayerState != LOG_PLAYER_RECORDING || !p.Writer)
        return;
    using namespace monlog;
    std::array<uint8_t, UiPayloadLen> ui {};
    ui[UiOffPage] = uint8_t(form->ActivePageIndex);
    const int tables = std::min(form->Maps.MapTableCount, UiTables);
    for (int t = 0; t < tables; ++t) {
        if (const TTab* table = form->Maps.MapTables[t]) {
            ui[size_t(UiOffIds + t)] = uint8_t(table->TableId);
            ui[size_t(UiOffSheets + t)] = uint8_t(table->CurrentIndex);
        }
    }
    if (p.UiStateLogged && ui == p.LastUiState)
        return;
    p.LastUiState = ui;
    p.UiStateLogged = true;
    AppendLogRecord(form, UiState, ui);
}

void ApplyLogRecord(TMainForm* form, int i)
{
    LogPlayer& p = form->Player;
    if (!p.Log || i < 0 || i >= p.Log->RecordCount())
        return;
    const LogRecordView record = p.Log->Record(i);
    p.RecordTime = int64_t(p.StartTime) + record.milliseconds / 1000;
    p.RecordMs = int(record.milliseconds % 1000);
    switch (record.type) {
    case monlog::PcImage:
        if (!p.PcImageReplayed) {
            // What the user had before the playback stays one Undo away.
            CommitEditNow(form);
            form->Undo->TakeUndoSnapshot();
            p.PcImageReplayed = true;
        }
        std::copy(record.payload.begin(), record.payload.end(), form->PcImage.b.begin());
        LoadPages(form, 0);
        break;
    case monlog::UnitImage:
        std::copy(record.payload.begin(), record.payload.end(), form->Images.UnitImage.b.begin());
        form->Images.UnitImageValid = 1;
        p.UnitImageReplayedLast = form->Images.UnitImage;
        p.UnitImageReplayed = true;
        form->CompareUnitWithPc();
        break;
    case monlog::LiveFrame:
        // Entry 300 of the held block is not in the log and stays as it is.
        std::copy(record.payload.begin(), record.payload.end(), form->Live.b.begin());
        UpdateLiveMonitor(form);
        break;
    case monlog::UiState:
        ApplyUiState(form, record.payload);
        break;
    default:
        break;
    }
}

void LogPlayStep(TMainForm* form)
{
    LogPlayer& p = form->Player;
    if (form->LogPlayerState != LOG_PLAYER_PLAYING || !p.Log)
        return;
    const int count = p.Log->RecordCount();
    const int i = p.Log->InitialCount() + p.Position;
    int j = i - 1;
    const int64_t t0 = p.Log->Milliseconds(j);
    const int64_t now = Now(form);
    const int64_t elapsed = now - p.PlayClockBase;
    while (j < count && elapsed >= int64_t(p.Log->Milliseconds(j)) - t0)
        ++j;
    // Only a record that came due moves the base; otherwise the wait for a
    // record more than one tick away would start again on every tick.
    if (j > i) {
        for (int k = i; k < j; ++k)
            ApplyLogRecord(form, k);
        p.Position = j - p.Log->InitialCount();
        p.PlayClockBase = now;
    }
    if (j >= count)
        form->LogPlayerState = LOG_PLAYER_PLAYING_PAUSED;
    ShowLogState(form);
}

void LogPlayerTick(TMainForm* form)
{
    LogPlayer& p = form->Player;
    const int state = form->LogPlayerState;
    if (Recording(state) && p.Writer) {
        if (p.UnsavedRecords > 0 && Now(form) - p.LastSave >= LOG_SAVE_MS)
            SaveRecording(form);
        return;
    }
    if (Playing(state) && form->ConnectedPort.load() != 0) {
        StopLog(form);
        Tell(QStringLiteral("The playback has stopped: a unit is connected."));
        return;
    }
    if (state == LOG_PLAYER_PLAYING)
        LogPlayStep(form);
}

void TMainForm::SpeedButtonPlay(TObject* Sender)
{
    if (LoadingControls)
        return;
    if (Sender == Player.SpeedButtonPlay1) {
        StartLogRecord(this);
    } else if (Sender == Player.SpeedButtonPlay2) {
        StartLogPlay(this);
    } else if (Sender == Player.SpeedButtonPlay3) {
        if (LogPlayerState == LOG_PLAYER_RECORDING)
            LogPlayerState = LOG_PLAYER_RECORDING_PAUSED;
        else if (LogPlayerState == LOG_PLAYER_PLAYING)
            LogPlayerState = LOG_PLAYER_PLAYING_PAUSED;
        Player.PauseClock = Now(this);
    } else if (Sender == Player.SpeedButtonPlay4) {
        StopLog(this);
    }
    ShowLogState(this);
}

void TMainForm::PlayPosChange(TObject*)
{
    if (LoadingControls || !Playing(LogPlayerState) || !Player.Log)
        return;
    SeekLog(this, Player.ScrollBarPlay->Position());
    ShowLogState(this);
}
