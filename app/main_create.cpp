// The main window's start-up: the steps run in a fixed order because each
// uses what the ones before set up (the archive before the bike defaults,
// the pages before the settings are loaded into them, the language after the
// consistency pass).
#include "app/main.h"

#include "app/comportmenu.h"
#include "app/language.h"
#include "app/main_link.h"
#include "app/main_menu.h"
#include "app/main_presets.h"
#include "app/settings.h"
#include "files/impet.h"
#include "files/impet_command.h"
#include "image/consistency.h"
#include "pages/pages.h"
#include "platform/dialogs.h"
#include "texts/langtext.h"
#include "update/update.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <string_view>

namespace {

constexpr const char* NO_IMPET_WARNING = "No Impet attached !\nNejsou vloženy NEW soubory - nutne doplnit !!!";

// Controls this build shows or hides whatever the settings say.
struct FixedVisibility {
    const char* name;
    bool visible;
    bool tabOnly; // the tab of a sheet rather than the control
};
constexpr FixedVisibility FIXED_VISIBILITY[] = {
    { "RadioGroupPinEngine23", false, false },
    { "RadioGroupPinEngine14", false, false },
    { "RadioGroupPinBody11", false, false },
    { "RadioGroupPinBody1", false, false },
    { "RadioGroupPinBody35", false, false },
    { "RadioGroupPinEngine13", false, false },
    { "CheckBoxInvInput", false, false },
    { "TabSheet_Synchro", true, true },
    { "TabSheet_Tracking", true, true },
    { "TabSheet_Input", false, true },
    { "TabSheet_Knock", false, true },
    { "TabSheet_OBD", false, true },
    { "CheckBoxTPS3pt", false, false },
    { "ButtonTpsX", false, false },
    { "GroupBoxRaceQuickShiftDown", false, false },
    { "EditIdleRpmMez", false, false },
    { "UpDownIdleRpmMez", false, false },
    { "LabelIdleRpmMez", false, false },
    { "EditN2O_Repeat", false, false },
    { "UpDownN2O_Repeat", false, false },
    { "LabelN2O_Repeat", false, false },
    { "LabelMonTlStartIn", false, false },
    { "LabelMonTlStartOut", false, false },
    { "LabelMonNeutral", false, false },
    { "LabelMonSideStand", false, false },
    { "LabelMonPinBody1In", false, false },
    { "LabelMonPinBody11In", false, false },
    { "LabelMonPinBody35In", false, false },
    { "LabelMonPinEngine14In", false, false },
    { "LabelMonPinEngine23In", false, false },
    { "Label2", false, false },
    { "LabelMonFan1", false, false },
    { "LabelMonFan2", false, false },
    { "LabelOilOk", false, false },
    { "LabelMonLambda1Heat", false, false },
    { "LabelMonFuelMv", false, false },
    { "CGaugeFuel", false, false },
    { "CheckBoxTestInjFuelOn", false, false },
    { "CheckBoxTestIgnFuelOn", false, false },
    { "ButtonTestStart", false, false },
    { "ButtonTestFan1", false, false },
    { "ButtonTestFan2", false, false },
};

struct CommandWord {
    const char* word;
    int language; // -1: not a language word
};
// Compared exactly, letter case included, with the first argument only.
constexpr CommandWord COMMAND_WORDS[] = {
    { "ENGLISH", 0 },
    { "DEUTSCH", 1 },
    { "CESKY", 2 },
    { "nopatchcheck", -1 },
};

} // namespace

void TMainForm::FormCreate(TObject*)
{
    for (size_t i = 0; i < HuntingControls.size(); ++i)
        if (HuntingControls[i])
            HuntingHomePositions[i] = { HuntingControls[i]->Left(), HuntingControls[i]->Top() };

    ImpetInit(ProgramPath);
    ImpetMissing = false;
    if (g_Impet.Root().Count() == 0) {
        std::string out;
        ImpetExecuteCommand(g_Impet, "IMPORT ..\\IMPET" + ImpetFolderName + " \"\"", out);
        ImpetMissing = g_Impet.Root().Count() == 0;
    }

    BindMessageSlots();
    BuildDateTexts();
    ProgramIdText = FormatTitleText(BuildDate, NewestPresetDate);
    StatusText = FormatStatusText(UnitTypeStatus,
        { UnitTexts.name, UnitTexts.date, UnitTexts.time, UnitTexts.hardware, UnitTexts.serial, UnitTexts.lastUpdate });

    // The word view of the image is RsImage::Word itself; nothing to bind.

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->geometry();
        SetLeft((area.width() - Width()) / 2);
        SetTop((area.height() - Height()) / 2);
    }
    if (Application)
        Application->OnHint = [this](TObject* sender) { OnHint(sender); };
    CreateComPortMenu(this);
    CreateSettingsPages(this);

    PcImage.b[cell::BikeCode] = 11;
    LoadBikeDefaults(this, -1);
    ExeDir = (QFileInfo(QString::fromStdString(ProgramPath)).absolutePath() + QStringLiteral("/data.ign"))
                 .toStdU16String();
    LoadSettings(this);
    LoadPages(this, 1);
    UpdateRecentFilesMenu(this);
    PageControl1Change(PageControl1);
    if (Memo1)
        Memo1->SetMaxLength(150);
    SetBikeConstants(this);
    ReadCommandLine(CommandLine);
    NormalizeParameterImage(PcImage);
    ApplyLanguage(this);
    LoadPages(this, 0);
    Undo->ResetUndo();
    ApplyLanguage(this);
    LoadPages(this, 0);

    LabelResult->SetVisible(false);
    CGaugeProgram->SetVisible(false);
    LabelEeDataErr->SetVisible(false);
    CGaugeProgram->SetMaxValue(100);
    const bool test = TestMode != 0;
    for (TLabel* label : TestLabels)
        if (label)
            label->SetVisible(test);
    LabelTmp->SetVisible(test);
    MenuServis->SetVisible(test);
    if (GroupBoxPlayer)
        GroupBoxPlayer->SetVisible(test);
    if (UpDownRpmPulsu) {
        UpDownRpmPulsu->SetMin(-2);
        UpDownRpmPulsu->SetMax(12);
    }
    ApplyFixedVisibility();
    PotReadings = {};
    LoadPages(this, 1);

    // The window may not be shown yet; then the focus stays where it is.
    if (ButtonRead->CanFocus())
        ButtonRead->SetFocus();
    setAcceptDrops(true);
    OnHint(this);
    if (ImpetMissing)
        MessageBoxFlagged(NO_IMPET_WARNING, "Warning", MB_OK | MB_ICONWARNING);
    StatusBar1->Panels(2)->SetText(ProgramIdText);
    ClosePortAndReport(this);
    UpdateLiveMonitor(this);
    StartUpdateThread(this);
    InitLogPlayer(this);
    FormCreated = 1;
}

void TMainForm::ReadCommandLine(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return;
    const QString& first = arguments.front();
    for (const CommandWord& word : COMMAND_WORDS) {
        if (first != QLatin1String(word.word))
            continue;
        if (word.language >= 0)
            LangIndex = word.language;
        else
            NoPatchCheck = 1;
    }
}

void TMainForm::ApplyFixedVisibility()
{
    for (const FixedVisibility& rule : FIXED_VISIBILITY) {
        TComponent* component = FindComponent(rule.name);
        if (rule.tabOnly) {
            if (auto* sheet = dynamic_cast<TTabSheet*>(component))
                sheet->SetTabVisible(rule.visible);
        } else if (auto* control = dynamic_cast<TControl*>(component)) {
            control->SetVisible(rule.visible);
        }
    }
}
