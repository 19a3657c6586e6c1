#pragma once
// The main window: start-up, the 55 ms tick that drives everything periodic
// on the user-interface thread, shutdown, port notices from other programs,
// dropped files and the command line; the frame of menu, tool-bar buttons,
// settings pages, status slots and status bar.

#include "app/maptables.h"
#include "files/recentfiles.h"
#include "image/imagecopies.h"
#include "image/undo.h"
#include "link/identity.h"
#include "link/jobengine.h"
#include "link/portnoticeline.h"
#include "link/sequencer.h"
#include "monitor/logplayer.h"
#include "monitor/panel.h"
#include "pages/advance.h"
#include "pages/bike.h"
#include "pages/corrections.h"
#include "pages/gear.h"
#include "pages/idle.h"
#include "pages/injection.h"
#include "pages/n2o.h"
#include "pages/powerout.h"
#include "pages/race.h"
#include "pages/sensors.h"
#include "pages/servo.h"
#include "pages/synchro.h"
#include "pages/test.h"
#include "pages/tracking.h"
#include "pages/tuning.h"
#include "platform/comctrls.h"
#include "platform/inifile.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"
#include "texts/messagetable.h"
#include "texts/statustexts.h"
#include "update/updatecheck.h"

#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class PortNoticeServer;
class TMainForm;

// The page slots of PageControl1 that the settings pages fill; the frame's
// maintenance sheet follows them.
constexpr int PAGE_SLOTS = 20;

// The program-wide references of the six windows, set as the entry creates them.
extern TMainForm* MainForm;
// Set at construction from TestMode; the external monitor reads it.
extern int ProgramTestFlag;

// The file name an open or save dialog starts from.
struct FileDialogState {
    std::u16string FileName;
};

// The window's services to the link sequencer.
std::unique_ptr<LinkHost> MakeLinkHost(TMainForm& form);

constexpr int COM_MENU_ITEMS = 30;

class TMainForm : public TForm, public ComparisonDisplay, public UndoHost, public LinkStatusSink {
public:
    explicit TMainForm(TComponent* owner);
    ~TMainForm() override;
    const char* ClassName() const override { return "TMainForm"; }

    // The start-up sequence (OnCreate), the tick of Timer1 and the shutdown (OnClose).
    void FormCreate(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);

    // A port notice of another program: release, reset and release, take back.
    void OnPortNotice(const PortNotice& notice);
    // Names dropped on the window, in the order the desktop gives them.
    void OnDropFiles(const QStringList& names);
    // The first word of the command line (Qt has taken out its own options).
    void ReadCommandLine(const QStringList& arguments);
    // Static shows and hides of this build's controls, by name.
    void ApplyFixedVisibility();
    // Takes port notices from the local socket of other programs; false when
    // another running program already listens there.
    bool ListenForPortNotices(const QString& path = PortNoticeSocketPath());

    void OnHint(TObject* Sender);
    void UpdateMainCaption() override;
    void BuildDateTexts();
    void PageControl1Change(TObject* Sender);
    void SelfCheck();

    // The shared handlers of the settings pages' controls.
    void FormKeyPress(TObject* Sender, char16_t& Key);
    void FormKeyPressW(TObject* Sender, char16_t& Key);
    void FormEditLooseFocus(TObject* Sender);
    void FormUpDownClick(TObject* Sender, TUDBtnType Button);
    void FormRadioGroupClick(TObject* Sender);
    void RadioGroupLadeniModeClick(TObject* Sender);
    void RadioGroupTunningSrcClick(TObject* Sender);
    void FormCheckBoxClick(TObject* Sender);
    void FormComboChange(TObject* Sender);
    void UpDnDeciChg(TObject* Sender, bool& AllowChange, int NewValue, TUpDownDirection Direction);
    void EditDeciChg(TObject* Sender);
    // The user's change of tab, before the page goes.
    void PageControl1Changing(TObject* Sender, bool& AllowChange);
    void SpeedButtonZpetClick(TObject* Sender);
    void SpeedButtonZnovuClick(TObject* Sender);
    // The Sensors page.
    void ButtonTps0Click(TObject* Sender);
    void ButtonTps100Click(TObject* Sender);
    void ButtonTpsXClick(TObject* Sender);
    void RadioGroupCidloLambdaModeClick(TObject* Sender);
    void ButtonPotiSave(TObject* Sender);
    // The Test page's buttons: each sets its bit of the one-shot commands.
    void ButtonTestClick(TObject* Sender);
    // The idle mode: commit it, then fill the curves with the mode's preset.
    void RadioGroupIdleModeClick(TObject* Sender);
    void RadioGroupClutchModeClick(TObject* Sender);
    void ButtonDCTestClick(TObject* Sender);
    void RadioGroupGearSystemClick(TObject* Sender);
    void RadioGroupSpeedModeClick(TObject* Sender);
    void ButtonGear0Click(TObject* Sender);
    void ButtonGear1Click(TObject* Sender);
    void ButtonGear2Click(TObject* Sender);
    void ButtonGear3Click(TObject* Sender);
    void ButtonGear4Click(TObject* Sender);
    void ButtonGear5Click(TObject* Sender);
    void ButtonGear6Click(TObject* Sender);
    // The Bike page: the model change, the display type and the memo.
    void ComboBoxBikeChange(TObject* Sender);
    void RadioGroupDisplayTypeClick(TObject* Sender);
    void Memo1Exit(TObject* Sender);
    // The Synchro page: the first type (with its defaults), the other two
    // lists and the radio groups commit at once.
    void ComboBoxSync1Change(TObject* Sender);
    void ComboBoxSync2Change(TObject* Sender);
    void ComboBoxSync3Change(TObject* Sender);
    void RadioGroupSync(TObject* Sender);
    // Every item of the COM port menu.
    void MenuCom1Click(TObject* Sender);
    // The monitor player's speed buttons and scroll bar (monitor/logplayer.cpp).
    void SpeedButtonPlay(TObject* Sender);
    void PlayPosChange(TObject* Sender);

    // The commands of the main menu and of the tool-bar buttons (main_menu.cpp).
    void MenuNewClick(TObject* Sender);
    void MenuNewActPageClick(TObject* Sender);
    void MenuOpenClick(TObject* Sender);
    void MenuOpenExeDirClick(TObject* Sender);
    void MenuOpenActPageClick(TObject* Sender);
    void MenuSaveClick(TObject* Sender);
    void MenuSaveExeDirClick(TObject* Sender);
    void MenuHistory(TObject* Sender);
    void MenuReadClick(TObject* Sender);
    void MenuVerifyClick(TObject* Sender);
    void MenuProgramClick(TObject* Sender);
    void MenuResetClick(TObject* Sender);
    void MenuStopClick(TObject* Sender);
    void Menu_Jet123NormalClick(TObject* Sender);
    void Menu_Jet123CoupledClick(TObject* Sender);
    void Menu_Jet123StejnyClick(TObject* Sender);
    void MenuToolsMinusClick(TObject* Sender);
    void MenuToolsPlusClick(TObject* Sender);
    void MenuLadeniOnClick(TObject* Sender);
    void MenuToolsInterpolOnClick(TObject* Sender);
    void MenuMonitorPlayerClick(TObject* Sender);
    void MenuExtMonClick(TObject* Sender);
    void MenuExtMonLoadClick(TObject* Sender);
    void MenuExtMonStoreClick(TObject* Sender);
    void MenuMonitorSetClick(TObject* Sender);
    void MenuEnglishClick(TObject* Sender);
    void MenuGermanClick(TObject* Sender);
    void MenuCzechClick(TObject* Sender);
    void MenuContensClick(TObject* Sender);
    void MenuAboutClick(TObject* Sender);
    void MenuSaveAllNewClick(TObject* Sender);
    void MenuCompareAllNewClick(TObject* Sender);
    // Printing (print/printcommands.cpp).
    void SpeedButtonPrintClick(TObject* Sender);
    void MenuPrintAllClick(TObject* Sender);

    // ComparisonDisplay and LinkStatusSink
    void ShowMessageSlot(
        int slot, const char* text, int durationMs, int32_t textColour, int32_t background, int priority) override;

    // UndoHost
    int ActivePage() const override { return ActivePageIndex; }
    void ShowPage(int page) override;
    void LoadActivePage() override;
    void SaveSettings() override;
    void LogImage() override;
    void CompareUnitWithPc() override;
    bool ProgramAfterChange() const override;
    void RequestProgramChanged() override;
    void UpdateUndoControls(bool undoEnabled, bool redoEnabled) override;
    void FocusProgramAfterChange() override;

    // Own state of the window.
    int32_t TickCount = 0;
    int32_t FormCreated = 0;
    uint8_t TestMode = 0;
    int32_t NoPatchCheck = 0;
    std::u16string ExeDir;
    std::array<std::pair<int32_t, int32_t>, 6> HuntingHomePositions {};
    int32_t ExtMonitorAtStart = 0;
    int32_t MonitorShown = 0; // the external monitor's shown-once flag
    int32_t InjectionBackgroundsSet = 0;
    std::string ImpetFolderName; // "\NEW_308"
    bool ImpetMissing = false;
    std::string SettingsDir;
    // The settings files: the folder followed by "application.ini",
    // "default.ini" and "monitor.ini"; the INI object on the first.
    std::string AppIniPath;
    std::string DefaultIniPath;
    std::string MonitorIniPath;
    IniFile Ini;
    // Set once a failed write of the settings has been reported.
    bool SettingsWriteReported = false;
    // The update the user asked not to be offered again; -1 none.
    int32_t UpdateNumber = -1;
    // The update check's worker and its hand-over state.
    UpdateCheck UpdateWorker;
    // Set until the first read from a unit has been accepted.
    int32_t NewInstall = 1;
    // The program file that carries the preset archive, and the words after
    // the program's name on the command line; tests set both before FormCreate.
    std::string ProgramPath;
    QStringList CommandLine;

    // Texts.
    std::array<std::string, 3> LangScratch;
    MessageTableTexts MessageTable;
    std::array<std::string, 30> SpareTexts;
    std::string BuildDate;
    std::string NewestPresetDate;
    std::string ProgramIdText;
    std::string StatusText;
    UnitVersionTexts UnitTexts;
    std::u16string CurrentFileName;
    FileDialogState OpenDialog1;
    FileDialogState SaveDialog1;
    std::u16string DialogFileName;
    RecentFiles Recent;

    // The image copies, the undo ring and the page the user shows.
    ImageCopies Images;
    RsImage& PcImage = Images.PcImage;
    std::unique_ptr<UndoRing> Undo;
    int ActivePageIndex = 0;

    // The edit debounce: the control whose edit waits (compared, never
    // dereferenced), its code and the tick it is committed at.
    TObject* PendingEditControl = nullptr;
    int32_t PendingEditCode = 0;
    int32_t PendingEditDeadline = 0;
    // 1 while code writes a control: the handlers ignore what that raises.
    int32_t LoadingControls = 0;
    // Question boxes of the model change now open, and the page reload that
    // waits for them to close (-1 none, 0 the shown page, 1 every page).
    int32_t QuestionBoxesOpen = 0;
    int32_t PageReloadWaiting = -1;
    // The map tables of the pages, and the live values the monitor leaves for them.
    MapTableSet Maps;
    MapLiveValues LiveValues;

    // The serial link; its destruction joins the port threads. Its job thread
    // starts before any other start-up step and runs until the window goes.
    std::unique_ptr<CCOMCOM> Link = std::make_unique<CCOMCOM>();
    // The port choice (-1 offline, 0 automatic, n COMn) and where the next
    // automatic search starts: the INI keys ComPort and ComPortAuto.
    int32_t& ComPort = Link->PortChoice;
    int32_t& ComPortAuto = Link->NextAutoPort;
    int32_t& LinkEnabled = Link->LinkEnabled;
    std::atomic<int32_t>& ConnectedPort = Link->ConnectedPort;
    int32_t& ExpectedUnitType = Link->ExpectedUnitType;
    int32_t& ExpectedSubVersion = Link->ExpectedSubVersion;
    // The sequencer of link jobs, run from the tick, and its fields the
    // window's commands and neighbours read and write.
    std::unique_ptr<LinkHost> LinkServices = MakeLinkHost(*this);
    LinkSequencer Sequencer { *Link, Images, *LinkServices };
    int& LinkState = Sequencer.LinkState;
    int& LinkRequest = Sequencer.LinkRequest;
    int& FullProgram = Sequencer.FullProgram;
    int& ReleasedPort = Sequencer.ReleasedPort;
    int& ChangedBlocks = Sequencer.ChangedBlocks;
    int& SavingCount = Sequencer.SavingCount;
    int& UnitTypeStatus = Sequencer.UnitTypeStatus;
    LiveBlock& Live = Sequencer.Live;
    // Command bits of the test buttons and "Stop motor" for the next live request.
    OneShotCommands OneShot;
    // The monitor player: LOG_PLAYER_IDLE .. LOG_PLAYER_PLAYING_PAUSED.
    int LogPlayerState = 0;
    LogPlayer Player;
    std::array<int32_t, 3> PotReadings {};

    MessageSlots MessageSlot;

    // The decode of the live block, the monitor panel, the Monitor page and
    // the live labels of other pages.
    LiveMonitor Monitor;
    TestPageControls TestPage;

    // The frame.
    TTimer* Timer1;
    TMainMenu* MainMenu1;
    TMenuItem* MenuFile;
    TMenuItem* MenuExit;
    TMenuItem* MenuCom;
    TMenuItem* MenuDevice;
    TMenuItem* MenuTools;
    TMenuItem* MenuZpet;
    TMenuItem* MenuZnovu;
    TMenuItem* MenuLadeniOn;
    TMenuItem* MenuMonitorPlayer;
    TMenuItem* MenuExternalMonitor;
    TMenuItem* MenuMonitorStore;
    TMenuItem* MenuServis;
    TMenuItem* MenuLanguage;
    TMenuItem* MenuHelp;
    // The recent files' items 1..9 (0 unused) and the separator after them.
    std::array<TMenuItem*, 10> MenuHistoryItems {};
    TMenuItem* MenuHistoryEnd = nullptr;
    // The tool bar along the top: the speed buttons and Read, Verify, Program.
    TGroupBox* GroupBoxToolBar;
    TButton* ButtonRead;
    TButton* ButtonVerify;
    TButton* ButtonProgram;
    TSpeedButton* SpeedButtonNew;
    TSpeedButton* SpeedButtonOpen;
    TSpeedButton* SpeedButtonSave;
    TSpeedButton* SpeedButtonPrint;
    TSpeedButton* SpeedButtonZpet;
    TSpeedButton* SpeedButtonZnovu;
    TCheckBox* CheckBoxProgHned;
    TPageControl* PageControl1;
    // The form's own sheets in their order; the run-time pages insert theirs.
    std::vector<TTabSheet*> FormSheets;
    TTabSheet* TabMaintenance;
    std::array<TTabSheet*, PAGE_SLOTS> PageSheets {};
    TGroupBox* GroupBoxMonitor;
    TStatusBar* StatusBar1;
    TLabel* LabelConnection;
    TLabel* LabelResult;
    TCGauge* CGaugeProgram;
    TLabel* LabelCongruence;
    TLabel* LabelTmp;
    TLabel* LabelEeDataErr;
    TLabel* LabelVersion;
    TLabel* LabelCom;
    // The items of MenuCom: offline, auto, a separator and the ports.
    std::array<TMenuItem*, COM_MENU_ITEMS> ComItems {};

    // Controls the settings pages and the monitor panel build; null until they do.
    std::array<TLabel*, 12> TestLabels {};
    TGroupBox* GroupBoxPlayer = nullptr;
    TCheckBox* CheckBoxExtMonitor = nullptr;
    TMemo* Memo1 = nullptr;
    TEdit* EditLadeniKanal = nullptr;
    TUpDown* UpDownLadeniKanal = nullptr;
    TEdit* EditRpmPulsu = nullptr;
    TUpDown* UpDownRpmPulsu = nullptr;
    // EditKyvaniMinRpm, UpDownKyvaniMinRpm, LabelKyvaniMinRpm,
    // EditKyvaniPocOtacek, UpDownKyvaniPocOtacek, LabelKyvaniPocOtacek.
    std::array<TControl*, 6> HuntingControls {};

    // The settings pages' run-time controls.
    AdvancePageControls Advance;
    TuningPageControls Tuning;
    SensorsPageControls Sensors;
    IdlePageControls Idle;
    ServoPageControls Servo;
    BikePageControls BikePage;
    SynchroPageControls SynchroPage;
    InjectionPageControls Injection;
    TrackingPageControls Tracking;
    CorrectionsPageControls Corrections;
    RacePageControls RacePage;
    GearPageControls GearPage;
    N2OPageControls N2O;
    PowerOutPageControls PowerOut;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildFrame();
    void BuildMenu();
    void WireMenuCommands();
    void BuildStatusArea();
    void BindMessageSlots();

    class SlotLabelOf;
    class GaugeVisibility;
    std::unique_ptr<SlotLabelOf> connectionSlot_;
    std::unique_ptr<SlotLabelOf> resultSlot_;
    std::unique_ptr<SlotLabelOf> congruenceSlot_;
    std::unique_ptr<GaugeVisibility> gaugeSlot_;
    std::unique_ptr<PortNoticeServer> portNotices_;
};

// One lambda gauge of the monitor panel from a live value, with the bounds
// and thresholds of the image bytes of "LAMBDA_BAR".
void UpdateMonitorGauge(TMainForm* form, TCGauge* gauge, int value);

// The progress a gauge shows for a value between low and high, 0..100.
int MonitorGaugePercent(int value, int low, int high);
