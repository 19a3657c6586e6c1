// The main window's state between runs: the settings folder, application.ini,
// default.ini (the edited image) and monitor.ini.
#include "app/settings.h"

#include "app/main.h"
#include "app/main_presets.h"
#include "app/otherwindows.h"
#include "files/settingsfiles.h"
#include "image/consistency.h"
#include "mapedit/tab.h"
#include "pages/pages.h"
#include "platform/cp1250.h"
#include "platform/dialogs.h"
#include "platform/screen.h"
#include "texts/langtext.h"

#include <cstdio>

SettingsWriter SettingsFileWriter = WriteFileAtomic;

namespace {

// The page numbers the files and the map tables keep below the window are
// the slots of the page control.
static_assert(PAGE_SLOTS == PAGE_SLOT_COUNT && SETTINGS_PAGES == PAGE_SLOT_COUNT);
static_assert(PAGE_BIKE == PAGE_SLOT_BIKE && PAGE_SYNCHRO == PAGE_SLOT_SYNCHRO && PAGE_ADVANCE == PAGE_SLOT_ADVANCE
    && PAGE_INJECTION == PAGE_SLOT_INJECTION && PAGE_INJECTION_POSITION == PAGE_SLOT_INJECTION_POSITION
    && PAGE_CORRECTIONS == PAGE_SLOT_CORRECTIONS && PAGE_SENSORS == PAGE_SLOT_SENSORS && PAGE_SERVO == PAGE_SLOT_SERVO
    && PAGE_IDLE == PAGE_SLOT_IDLE && PAGE_POWER_OUT == PAGE_SLOT_POWER_OUT && PAGE_RACE == PAGE_SLOT_RACE
    && PAGE_GEAR == PAGE_SLOT_GEAR && PAGE_N2O == PAGE_SLOT_N2O && PAGE_TUNING == PAGE_SLOT_TUNING
    && PAGE_TRACKING == PAGE_SLOT_TRACKING && PAGE_OBD == PAGE_SLOT_OBD && PAGE_TEST == PAGE_SLOT_TEST);
static_assert(ADVANCE_PAGE == PAGE_SLOT_ADVANCE && INJECTION_PAGE == PAGE_SLOT_INJECTION);

// The pages whose map table's sheet the settings keep, and that table.
constexpr PageSlotIndex SHEET_PAGES[]
    = { PAGE_SLOT_ADVANCE, PAGE_SLOT_INJECTION, PAGE_SLOT_CORRECTIONS, PAGE_SLOT_SERVO, PAGE_SLOT_TRACKING };

constexpr bool KeepsSheetOfItsTable(int page)
{
    for (PageSlotIndex slot : SHEET_PAGES)
        if (slot == page)
            return true;
    return false;
}

constexpr bool SheetPagesAgree()
{
    for (int page = 0; page < PAGE_SLOT_COUNT; ++page)
        if (PageKeepsSheet(page) != KeepsSheetOfItsTable(page))
            return false;
    return true;
}
static_assert(SheetPagesAgree(), "the settings keep a sheet for exactly the pages whose table has sheets");

// The map table whose sheet the settings keep for a page, or null.
TTab* SheetTableOfPage(TMainForm* form, int page)
{
    switch (page) {
    case PAGE_SLOT_ADVANCE:
        return form->Maps.AdvanceTable;
    case PAGE_SLOT_INJECTION:
        return form->Maps.InjectionTable;
    case PAGE_SLOT_CORRECTIONS:
        return form->Maps.CorrectionsTable;
    case PAGE_SLOT_SERVO:
        return form->Maps.ServoTable;
    case PAGE_SLOT_TRACKING:
        return form->Maps.TrackTable;
    default:
        return nullptr;
    }
}

bool MonitorPlayerShown(const TMainForm* form)
{
    return form->GroupBoxPlayer ? form->GroupBoxPlayer->Visible() : form->MenuMonitorPlayer->Checked();
}

BasicSettings SettingsOfForm(TMainForm* form)
{
    BasicSettings s;
    s.Left = form->Left();
    s.Top = form->Top();
    s.Height = form->Height();
    s.Width = form->Width();
    s.ComPort = form->ComPort;
    s.ComPortAuto = form->ComPortAuto;
    s.LangIndex = LangIndex;
    s.UpdateNumber = form->UpdateNumber;
    s.File = form->CurrentFileName;
    s.DialogFile = form->DialogFileName;
    s.Page = form->ActivePageIndex;
    if (TTab* table = SheetTableOfPage(form, s.Page))
        s.Sheet = table->CurrentIndex;
    s.ExtMonitorChecked = form->CheckBoxExtMonitor && form->CheckBoxExtMonitor->Checked();
    s.ExtMonitorVisible = FormEM && FormEM->Visible();
    s.NewInstall = form->NewInstall;
    s.MonitorPlayer = MonitorPlayerShown(form);
    s.RecentCount = form->Recent.Count();
    for (int i = 0; i < s.RecentCount; ++i)
        s.Recent[size_t(i)] = form->Recent.Entry(i);
    return s;
}

void ReportWriteFailure(TMainForm* form, const std::string& path, const WriteResult& result)
{
    if (form->SettingsWriteReported)
        return;
    form->SettingsWriteReported = true;
    QString text = QStringLiteral("The settings could not be saved to %1: %2")
                       .arg(QString::fromStdString(path), QString::fromStdString(result.error));
    Dialogs().MessageBox(text, QStringLiteral("Settings"), MB_OK | MB_ICONWARNING);
}

void WriteSettingsFile(TMainForm* form, const std::string& path, std::string_view data)
{
    WriteResult result = SettingsFileWriter(path, data);
    if (!result.ok)
        ReportWriteFailure(form, path, result);
}

void ApplyToForm(TMainForm* form, const BasicSettings& s)
{
    form->SetBounds(s.Left, s.Top, s.Width, s.Height);
    KeepFormOnScreen(form);
    form->ComPort = s.ComPort;
    form->ComPortAuto = s.ComPortAuto;
    LangIndex = s.LangIndex;
    form->UpdateNumber = s.UpdateNumber;
    form->CurrentFileName = s.File;
    form->DialogFileName = s.DialogFile;
    form->OpenDialog1.FileName = s.DialogFile;
    form->SaveDialog1.FileName = s.DialogFile;

    if (TTab* table = SheetTableOfPage(form, s.Page); table && s.Sheet >= 0)
        table->SelectSheet(s.Sheet);
    if (TTabSheet* sheet = form->PageSheets[size_t(s.Page)])
        form->PageControl1->SetActivePage(sheet);
    form->ActivePageIndex = s.Page;

    if (TCheckBox* box = form->CheckBoxExtMonitor) {
        // A restored state is no user's click.
        TNotifyEvent onClick = std::move(box->OnClick);
        box->OnClick = nullptr;
        box->SetChecked(s.ExtMonitorChecked);
        box->OnClick = std::move(onClick);
    }
    form->ExtMonitorAtStart = s.ExtMonitorVisible ? 1 : 0;
    form->NewInstall = s.NewInstall;
    if (form->GroupBoxPlayer)
        form->GroupBoxPlayer->SetVisible(s.MonitorPlayer);
    form->MenuMonitorPlayer->SetChecked(s.MonitorPlayer);

    form->Recent.Clear();
    for (int i = 0; i < s.RecentCount; ++i)
        form->Recent.RestoreEntry(i, s.Recent[size_t(i)]);
}

void LoadDefaultIni(TMainForm* form)
{
    std::string text;
    if (!ReadWholeFile(form->DefaultIniPath, text))
        return;
    if (ParseDefaultIni(text, form->PcImage) < RS_LEN_EXE) {
        // A damaged image is replaced by the defaults; the next save writes a whole file.
        form->PcImage.b[cell::BikeCode] = 11;
        LoadBikeDefaults(form, -1);
        std::remove(form->DefaultIniPath.c_str());
    }
}

} // namespace

void InitSettingsPaths(TMainForm* form)
{
    form->SettingsDir = InitSettingsFolder();
    form->AppIniPath = form->SettingsDir + "application.ini";
    form->DefaultIniPath = form->SettingsDir + "default.ini";
    form->MonitorIniPath = form->SettingsDir + "monitor.ini";
    form->Ini = IniFile(form->AppIniPath);
}

void LoadSettings(TMainForm* form)
{
    form->Ini.Load();
    ApplyToForm(form, ReadBasicSettings(form->Ini, SettingsOfForm(form)));
    LoadDefaultIni(form);
    NormalizeParameterImage(form->PcImage);
    if (form->PcImage.b[cell::BikeCode] >= 67) {
        form->PcImage.b[cell::BikeCode] = 0;
        LoadBikeDefaults(form, -1);
    }
}

void SaveSettings(TMainForm* form)
{
    WriteBasicSettings(form->Ini, SettingsOfForm(form));
    WriteSettingsFile(form, form->AppIniPath, form->Ini.Text());
    WriteSettingsFile(form, form->DefaultIniPath, DefaultIniText(form->PcImage));
    SaveMonitorIni(form);
}
