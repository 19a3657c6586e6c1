// The least the main window needs of its neighbours, until each subsystem
// brings its own code: every body reports its call and does only what the
// window's own steps rely on afterwards.
#include "app/main_services.h"

#include "app/consistency.h"
#include "app/langtext.h"
#include "app/main.h"
#include "app/main_presets.h"
#include "monitor/monitorpage.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include <cstdlib>

std::function<void(const char* name)> ServiceCallListener;

namespace {

void Note(const char* name)
{
    if (ServiceCallListener)
        ServiceCallListener(name);
}

struct RunTimeSheet {
    int slot;
    const char* name;
    const char* caption;
};
// The sheets the advance, injection, injection position and servo pages make.
constexpr RunTimeSheet RUN_TIME_SHEETS[] = {
    { 2, "TabSheet_Advance", "Advance" },
    { 3, "TabSheet_Injection", "Injection" },
    { 4, "TabSheet_InjPosition", "Injection position" },
    { 8, "TabSheet_Servo", "Servo" },
};
// Page slots of the form's own sheets, in their order; -1 for the maintenance sheet.
constexpr int TEST_PAGE = 19;
constexpr int FORM_SHEET_SLOTS[] = { 0, 1, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, -1 };

} // namespace

void CreateSettingsPages(TMainForm* form)
{
    Note("CreateSettingsPages");
    for (size_t i = 0; i < form->FormSheets.size() && i < std::size(FORM_SHEET_SLOTS); ++i) {
        int slot = FORM_SHEET_SLOTS[i];
        if (slot >= 0 && slot != 6 && slot != 15)
            form->PageSheets[size_t(slot)] = form->FormSheets[i];
    }
    for (const RunTimeSheet& def : RUN_TIME_SHEETS) {
        auto* sheet = new TTabSheet(form);
        sheet->SetName(def.name);
        sheet->SetCaption(def.caption);
        sheet->SetPageControl(form->PageControl1);
        sheet->SetPageIndex(def.slot);
        form->PageSheets[size_t(def.slot)] = sheet;
    }
    RegisterMonitorLabels(form);
}

void StoreActivePage(TMainForm* form)
{
    Note("StoreActivePage");
    if (form->ActivePageIndex == TEST_PAGE)
        StoreTestPage(form);
}

void StoreAndReloadPage(TMainForm* form)
{
    StoreActivePage(form);
    NormalizeParameterImage(form->PcImage);
    LoadPages(form, 0);
    form->Undo->SnapshotAfterEdit();
}

int LoadPages(TMainForm* form, int all)
{
    Note(all ? "LoadPages(all)" : "LoadPages(active)");
    if (all || form->ActivePageIndex == TEST_PAGE)
        LoadTestPage(form);
    if (all)
        form->Maps.MapSyncPrev = 1;
    return all;
}

void RefreshPageColours(TMainForm*)
{
    Note("RefreshPageColours");
}

void SetInjectionBackgrounds(TMainForm*)
{
    Note("SetInjectionBackgrounds");
}

void ShowLambdaBar(TMainForm*)
{
    Note("ShowLambdaBar");
}

void UpdateDefValues(TMainForm*)
{
    Note("UpdateDefValues");
}

void InitLogPlayer(TMainForm* form)
{
    Note("InitLogPlayer");
    form->LogPlayerState = 0;
}

void StopLog(TMainForm* form)
{
    Note("StopLog");
    form->LogPlayerState = 0;
}

void LogPlayStep(TMainForm*)
{
    Note("LogPlayStep");
}

void LogImage(TMainForm*, int)
{
    Note("LogImage");
}

void LogUiState(TMainForm*)
{
    Note("LogUiState");
}

void ShowExternalMonitor(TMainForm* form, int)
{
    Note("ShowExternalMonitor");
    form->ExtMonitorAtStart = 0;
}

void KeepFormOnScreen(TForm* form)
{
    QScreen* screen
        = QGuiApplication::screenAt(QPoint(form->Left() + form->Width() / 2, form->Top() + form->Height() / 2));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect area = screen->availableGeometry();
    int width = std::min(form->Width(), area.width());
    int height = std::min(form->Height(), area.height());
    int left = std::clamp(form->Left(), area.left(), area.left() + area.width() - width);
    int top = std::clamp(form->Top(), area.top(), area.top() + area.height() - height);
    form->SetBounds(left, top, width, height);
}

void WriteMonitorSet(TMainForm*, const std::string&)
{
    Note("WriteMonitorSet");
}

void ApplyLanguage(TMainForm* form)
{
    Note("ApplyLanguage");
    FillMessageTable(form->MessageTable, LangIndex);
    FillControlTextSlots(form->MessageTable, LangIndex);
    form->UpdateMainCaption();
}

void StartUpdateThread(TMainForm*)
{
    Note("StartUpdateThread");
}

void StopUpdateCheck(TMainForm*)
{
    Note("StopUpdateCheck");
}

void UpdateCheckTimerStep(TMainForm*)
{
    Note("UpdateCheckTimerStep");
}

std::string TestSwitchPath()
{
    if (const char* path = std::getenv("ZEPERON_TEST_SWITCH"); path && *path)
        return path;
    return (QDir::homePath() + QStringLiteral("/.Zeperon_12_test")).toStdString();
}

void LoadBikeDefaults(TMainForm* form, int page)
{
    Note("LoadBikeDefaults");
    MainFileHost host(*form);
    ::LoadBikeDefaults(host, page);
}

void SetBikeConstants(TMainForm* form)
{
    Note("SetBikeConstants");
    ::SetBikeConstants(form->PcImage, form->PcImage.b[2550]);
}

void UpdateRecentFilesMenu(TMainForm*)
{
    Note("UpdateRecentFilesMenu");
}

void OpenParameterFile(TMainForm*, const std::u16string&)
{
    Note("OpenParameterFile");
}

void SetProbeDefault(TMainForm*)
{
    Note("SetProbeDefault");
}

void LogMonitorFrame(TMainForm*)
{
    Note("LogMonitorFrame");
}

void ReadNextChangedBlock(TMainForm* form)
{
    Note("ReadNextChangedBlock");
    if (int block = LinkSequencer::LowestChangedBlock(form->ChangedBlocks); block != 0) {
        form->Sequencer.ReadBlock(block);
        return;
    }
    form->LinkState = linkstate::LivePoll;
    SendLiveRequest(form);
}

void ImageRangeToMaps(TMainForm*, int, int)
{
    Note("ImageRangeToMaps");
}
