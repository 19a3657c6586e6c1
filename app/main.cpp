// The main window: construction, destruction, the frame and the services the
// window gives other code (status slots, caption, hint, undo host).
#include "app/main.h"

#include "app/portnoticeserver.h"
#include "app/settings.h"
#include "files/impet.h"
#include "files/paramkeys.h"
#include "files/settingsfiles.h"
#include "image/selfcheck.h"
#include "monitor/live.h"
#include "monitor/valuedefs.h"
#include "pages/idle.h"
#include "pages/monitor.h"
#include "pages/pages.h"
#include "platform/dialogs.h"
#include "texts/langtext.h"

#include <QCoreApplication>

TMainForm* MainForm = nullptr;
int ProgramTestFlag = 0;

namespace {

struct SheetDef {
    const char* name;
    const char* caption;
    int slot; // page slot, or PAGE_SLOTS for the maintenance sheet
};

// The form's own sheets in their order; the run-time pages of slots 2, 3, 4
// and 8 are inserted among them.
constexpr SheetDef FORM_SHEETS[] = {
    { "TabSheet_Bike", "Bike", 0 },
    { "TabSheet_Synchro", "Synchro", 1 },
    { "TabSheet_Korekce", "Corrections", 5 },
    { "TabSheet_Input", "Input", 6 },
    { "TabSheet_Cidla", "Sensors", 7 },
    { "TabSheet_Idle", "Idle", 9 },
    { "TabSheet_PowerOut", "Power out", 10 },
    { "TabSheet_Race", "Race", 11 },
    { "TabSheet_Gear", "Gear", 12 },
    { "TabSheet_Gas", "N2O", 13 },
    { "TabSheet_Ladeni", "Tuning", 14 },
    { "TabSheet_Knock", "Knock", 15 },
    { "TabSheet_Tracking", "Tracking", 16 },
    { "TabSheet_Monitor", "Monitor", 17 },
    { "TabSheet_OBD", "OBD", 18 },
    { "TabSheet_Test", "Test", 19 },
    { "TabMaintenance", "Maintenance", PAGE_SLOTS },
};

template <class T> T* Make(TComponent* owner, TControl* parent, const char* name)
{
    T* control = new T(owner);
    control->SetName(name);
    if (parent)
        control->SetParent(parent);
    return control;
}

TMenuItem* AddItem(
    TComponent* owner, TMenuItem* parent, const char* name, const char* caption, const char* shortCut = nullptr)
{
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    if (shortCut)
        item->SetShortCut(shortCut);
    parent->Add(item);
    return item;
}

} // namespace

// A status slot's label as the slot mechanism sees it.
class TMainForm::SlotLabelOf : public SlotLabel {
public:
    explicit SlotLabelOf(TLabel* label)
        : label_(label)
    {
    }
    void SetVisible(bool visible) override { label_->SetVisible(visible); }
    bool Visible() const override { return label_->Visible(); }
    void SetCaption(const char* text) override { label_->SetCaption(text); }
    void SetFontColor(int32_t color) override { label_->Font()->SetColor(TColor(color)); }
    void SetColor(int32_t color) override { label_->SetColor(TColor(color)); }

private:
    TLabel* label_;
};

class TMainForm::GaugeVisibility : public VisibleControl {
public:
    explicit GaugeVisibility(TCGauge* gauge)
        : gauge_(gauge)
    {
    }
    void SetVisible(bool visible) override { gauge_->SetVisible(visible); }
    bool Visible() const override { return gauge_->Visible(); }

private:
    TCGauge* gauge_;
};

TMainForm::TMainForm(TComponent* owner)
    : TForm(owner)
{
    SetName("MainForm");
    Link->SetProbeDefault(PROTO_IGN300, 115200, 175);
    Link->ExpectedUnitType = RSKEY;
    Link->ExpectedSubVersion = 0;
    Link->StatusSink = this;
    ComPortAuto = 1;
    ProgramPath = ImpetProgramPath();
    CommandLine = QCoreApplication::arguments().mid(1);
    BuildFrame();
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) {
        FormClose(sender, action);
        // Closing the main window ends the program, whatever other window is open.
        if (Application && Application->MainForm() == this)
            Application->Terminate();
    };
    Undo = std::make_unique<UndoRing>(*this, PcImage, UndoRing::Marks(Images.ChangeMarks));
    Maps.Host.PcImage = PcImage.data();
    Maps.Host.LiveValues = [this] { return LiveValues; };
    Maps.Host.ConnectedPort = [this] { return ConnectedPort.load(); };
    Maps.Host.FormCreated = [this] { return FormCreated != 0; };
    Maps.Host.ActivePage = [this] { return ActivePageIndex; };
    Maps.Host.StoreAndReloadPage = [this] { ::StoreAndReloadPage(this); };
    Maps.Host.LogUiState = [this] { ::LogUiState(this); };

    TickCount = 0;
    MonitorShown = 0;
    TestMode = ReadTestSwitch(TestSwitchPath()) ? 1 : 0;
    ProgramTestFlag = TestMode;
    InitSettingsPaths(this);
    FormCreated = 0;
    NoPatchCheck = 0;
    ImpetFolderName = "\\NEW_" + std::to_string(RSKEY);
    ExpectedUnitType = RSKEY;
    ExpectedSubVersion = 0;
    LinkState = 0;
    LinkRequest = REQ_NONE;
    ReleasedPort = -1;
    Images.UnitImageValid = 0;
    UnitTexts = UnitVersionTexts {};
    UnitTexts.lastUpdate = "settings not from unit";
    Images.UnitBike = -1;
    ChangedBlocks = 0;
    Images.FileImage.Fill(0xFF);
    Images.FileImageNamed = 0;
    Images.PcEqualsFile = 0;
    SelfCheck();
}

TMainForm::~TMainForm()
{
    // The timer must not fire into a window that is half gone.
    Timer1->SetEnabled(false);
    portNotices_.reset();
    // Stops and joins the port threads (with a bounded wait) before anything
    // they may touch goes.
    Link.reset();
    if (MainForm == this)
        MainForm = nullptr;
}

bool TMainForm::ListenForPortNotices(const QString& path)
{
    portNotices_ = std::make_unique<PortNoticeServer>([this](const PortNotice& notice) { OnPortNotice(notice); });
    return portNotices_->Listen(path);
}

void TMainForm::BuildFrame()
{
    SetBounds(0, 0, 1240, 760);
    SetCaption("  Zeperon_12       ");
    setAcceptDrops(false);
    BuildMenu();

    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->SetInterval(55);
    Timer1->OnTimer = [this](TObject* sender) { Timer1Timer(sender); };

    struct ButtonDef {
        TSpeedButton** field;
        const char* name;
        const char* caption;
        const char* hint;
    };
    const ButtonDef speedButtons[] = {
        { &SpeedButtonNew, "SpeedButtonNew", "N", "New|New settings" },
        { &SpeedButtonOpen, "SpeedButtonOpen", "O", "Open|Open a parameter file" },
        { &SpeedButtonSave, "SpeedButtonSave", "S", "Save|Save the settings to a file" },
        { &SpeedButtonPrint, "SpeedButtonPrint", "P", "Print|Print the page" },
        { &SpeedButtonZpet, "SpeedButtonZpet", "<", "Undo|Undo the last change" },
        { &SpeedButtonZnovu, "SpeedButtonZnovu", ">", "Redo|Redo the change undone" },
    };
    GroupBoxToolBar = Make<TGroupBox>(this, this, "GroupBoxToolBar");
    GroupBoxToolBar->SetBounds(0, 0, 420, 33);
    int x = 4;
    for (const ButtonDef& def : speedButtons) {
        *def.field = Make<TSpeedButton>(this, GroupBoxToolBar, def.name);
        (*def.field)->SetBounds(x, 4, 25, 25);
        (*def.field)->SetCaption(def.caption);
        (*def.field)->SetHint(def.hint);
        x += 27;
    }
    SpeedButtonZpet->SetEnabled(false);
    SpeedButtonZnovu->SetEnabled(false);
    SpeedButtonZpet->OnClick = [this](TObject* sender) { SpeedButtonZpetClick(sender); };
    SpeedButtonZnovu->OnClick = [this](TObject* sender) { SpeedButtonZnovuClick(sender); };

    ButtonRead = Make<TButton>(this, GroupBoxToolBar, "ButtonRead");
    ButtonRead->SetBounds(180, 4, 75, 25);
    ButtonRead->SetCaption("&Read");
    ButtonRead->SetHint("Read|Read the settings of the unit");
    ButtonVerify = Make<TButton>(this, GroupBoxToolBar, "ButtonVerify");
    ButtonVerify->SetBounds(260, 4, 75, 25);
    ButtonVerify->SetCaption("&Verify");
    ButtonVerify->SetHint("Verify|Compare the unit with the PC");
    ButtonProgram = Make<TButton>(this, GroupBoxToolBar, "ButtonProgram");
    ButtonProgram->SetBounds(340, 4, 75, 25);
    ButtonProgram->SetCaption("&Program");
    ButtonProgram->SetHint("Program|Program the settings into the unit");
    CheckBoxProgHned = Make<TCheckBox>(this, this, "CheckBoxProgHned");
    CheckBoxProgHned->SetBounds(425, 8, 200, 17);
    CheckBoxProgHned->SetCaption("Programming after change");

    PageControl1 = Make<TPageControl>(this, this, "PageControl1");
    PageControl1->SetBounds(4, 34, 1000, 590);
    PageControl1->OnChanging = [this](TObject* sender, bool& allow) { PageControl1Changing(sender, allow); };
    PageControl1->OnChange = [this](TObject* sender) { PageControl1Change(sender); };
    for (const SheetDef& def : FORM_SHEETS) {
        TTabSheet* sheet = Make<TTabSheet>(this, PageControl1, def.name);
        sheet->SetCaption(def.caption);
        FormSheets.push_back(sheet);
    }
    TabMaintenance = FormSheets.back();

    GroupBoxMonitor = Make<TGroupBox>(this, this, "GroupBoxMonitor");
    GroupBoxMonitor->SetBounds(1010, 34, 222, 590);
    GroupBoxMonitor->SetCaption("Monitor");
    BuildStatusArea();
    BuildMonitorPanel(this);
    BuildLogPlayer(this);
    BuildMonitorPage(this);
    BuildTestPage(this);
    BuildTuningPage(this);
    BuildSensorsPage(this);
    BuildIdlePage(this);
    BuildBikePage(this);
    BuildSynchroPage(this);
    BuildCorrectionsPage(this);
    BuildRacePage(this);
    BuildGearPage(this);
    BuildN2OPage(this);
    BuildPowerOutPage(this);
    WireMenuCommands();
}

void TMainForm::BuildMenu()
{
    MainMenu1 = new TMainMenu(this);
    MainMenu1->SetName("MainMenu1");
    TMenuItem* root = MainMenu1->Items();

    MenuFile = AddItem(this, root, "MenuFile", "&File");
    AddItem(this, MenuFile, "MenuNew", "&New", "Ctrl+N");
    AddItem(this, MenuFile, "MenuNewActPage", "New for actual page", "Ctrl+Alt+N");
    AddItem(this, MenuFile, "MenuOpen", "&Open", "F3");
    AddItem(this, MenuFile, "MenuOpenExeDir", "Open from exe dir", "Ctrl+F3");
    AddItem(this, MenuFile, "MenuOpenActPage", "Open for actual page", "Shift+F3");
    AddItem(this, MenuFile, "MenuSave", "&Save", "F2");
    AddItem(this, MenuFile, "MenuSaveExeDir", "Save to exe dir", "Ctrl+F2");
    AddItem(this, MenuFile, "MenuPrint", "&Print", "Ctrl+P");
    AddItem(this, MenuFile, "MenuPrintAll", "Print All");
    AddItem(this, MenuFile, "MenuHistorySeparator", "-");
    MenuExit = AddItem(this, MenuFile, "MenuExit", "E&xit");
    MenuExit->OnClick = [this](TObject*) { Close(); };

    MenuCom = AddItem(this, root, "MenuCom", "&Com");

    MenuDevice = AddItem(this, root, "MenuDevice", "&Device");
    AddItem(this, MenuDevice, "MenuRead", "&Read", "F7");
    AddItem(this, MenuDevice, "MenuVerify", "&Verify", "F8");
    AddItem(this, MenuDevice, "MenuProgram", "&Program", "F9");
    AddItem(this, MenuDevice, "MenuReset", "Reset");
    AddItem(this, MenuDevice, "MenuStop", "&Stop motor", "F12");

    TMenuItem* jet = AddItem(this, root, "Menu_Jet123Mode", "Jet 14-23");
    AddItem(this, jet, "Menu_Jet123Normal", "Normal");
    AddItem(this, jet, "Menu_Jet123Coupled", "Coupled");
    AddItem(this, jet, "Menu_Jet123Stejny", "1=2=3=4");

    MenuTools = AddItem(this, root, "MenuTools", "&Tools");
    AddItem(this, MenuTools, "MenuToolsMinus", "Minus ", "F4");
    AddItem(this, MenuTools, "MenuToolsPlus", "Plus", "F5");
    MenuZpet = AddItem(this, MenuTools, "MenuZpet", "Undo", "Ctrl+Z");
    MenuZnovu = AddItem(this, MenuTools, "MenuZnovu", "Redo", "Ctrl+Alt+Z");
    MenuZpet->OnClick = [this](TObject* sender) { SpeedButtonZpetClick(sender); };
    MenuZnovu->OnClick = [this](TObject* sender) { SpeedButtonZnovuClick(sender); };
    MenuLadeniOn = AddItem(this, MenuTools, "MenuLadeniOn", "Tunning On-Off", "F6");
    AddItem(this, MenuTools, "MenuInterpol", "Interpolace", "Ctrl+I");
    MenuMonitorPlayer = AddItem(this, MenuTools, "MenuMonitorPlayer", "Monitor Player", "Ctrl+M");

    MenuExternalMonitor = AddItem(this, root, "MenuExternalMonitor", "External monitor");
    AddItem(this, MenuExternalMonitor, "MenuMonitorView", "View monitor");
    AddItem(this, MenuExternalMonitor, "MenuMonitorLoad", "Load Monitor");
    MenuMonitorStore = AddItem(this, MenuExternalMonitor, "MenuMonitorStore", "Store monitor");
    MenuMonitorStore->SetEnabled(false);
    AddItem(this, MenuExternalMonitor, "MenuMonitorSet1", "Set1");
    AddItem(this, MenuExternalMonitor, "MenuMonitorSet2", "Set2");
    AddItem(this, MenuExternalMonitor, "MenuMonitorSet3", "Set3");
    AddItem(this, MenuExternalMonitor, "MenuMonitorSet0", "Empty");

    MenuServis = AddItem(this, root, "MenuServis", "Servis");
    AddItem(this, MenuServis, "MenuSaveAllNew", "Save All New");
    AddItem(this, MenuServis, "MenuCompareAll", "Compare All New");

    MenuLanguage = AddItem(this, root, "MenuLanguage", "Language");
    AddItem(this, MenuLanguage, "MenuEnglish", "&English");
    AddItem(this, MenuLanguage, "MenuGerman", "&German");
    AddItem(this, MenuLanguage, "MenuCzech", "&Czech");

    MenuHelp = AddItem(this, root, "MenuHelp", "Help");
    AddItem(this, MenuHelp, "MenuContens", "&Contens", "F1");
    AddItem(this, MenuHelp, "MenuAbout", "&About...");

    SetMenu(MainMenu1);
}

void TMainForm::BuildStatusArea()
{
    LabelConnection = Make<TLabel>(this, this, "LabelConnection");
    LabelConnection->SetBounds(4, 630, 250, 16);
    LabelResult = Make<TLabel>(this, this, "LabelResult");
    LabelResult->SetBounds(260, 630, 250, 16);
    CGaugeProgram = Make<TCGauge>(this, this, "CGaugeProgram");
    CGaugeProgram->SetBounds(516, 630, 150, 16);
    CGaugeProgram->SetForeColor(TColor(0x00FF00));
    LabelCongruence = Make<TLabel>(this, this, "LabelCongruence");
    LabelCongruence->SetBounds(672, 630, 320, 16);
    LabelTmp = Make<TLabel>(this, this, "LabelTmp");
    LabelTmp->SetBounds(4, 650, 200, 14);
    LabelEeDataErr = Make<TLabel>(this, this, "LabelEeDataErr");
    LabelEeDataErr->SetBounds(210, 650, 300, 14);
    LabelEeDataErr->SetCaption("EEPROM data error");
    LabelVersion = Make<TLabel>(this, this, "LabelVersion");
    LabelVersion->SetBounds(516, 650, 200, 14);
    LabelCom = Make<TLabel>(this, this, "LabelCom");
    LabelCom->SetBounds(720, 650, 270, 14);

    StatusBar1 = Make<TStatusBar>(this, this, "StatusBar1");
    StatusBar1->SetAlign(alBottom);
    const int widths[] = { 300, 30, 400, 30, 300 };
    for (int width : widths)
        StatusBar1->AddPanel()->SetWidth(width);
    StatusBar1->Panels(1)->SetText("EXE");
    StatusBar1->Panels(3)->SetText("HEX");

    connectionSlot_ = std::make_unique<SlotLabelOf>(LabelConnection);
    resultSlot_ = std::make_unique<SlotLabelOf>(LabelResult);
    congruenceSlot_ = std::make_unique<SlotLabelOf>(LabelCongruence);
    gaugeSlot_ = std::make_unique<GaugeVisibility>(CGaugeProgram);
}

void TMainForm::BindMessageSlots()
{
    InitMessageSlots(MessageSlot, connectionSlot_.get(), resultSlot_.get(), gaugeSlot_.get(), congruenceSlot_.get());
}

LayoutTables ProgramLayoutTables()
{
    std::vector<CellSpan> imageWords, imageBytes;
    paramkeys::KeyTableCells(imageWords, imageBytes);
    ImageMapCells(imageWords, imageBytes);
    std::vector<CellSpan> liveWords(std::begin(LIVE_WORD_RUNS), std::end(LIVE_WORD_RUNS));
    std::vector<CellSpan> liveBytes(std::begin(LIVE_BYTE_RUNS), std::end(LIVE_BYTE_RUNS));
    for (const ValueDef& def : InitialValueDefs()) {
        if (def.position <= 0)
            continue;
        if (def.source == defsource::Word)
            liveWords.push_back({ def.position, 1 });
        else if (def.source == defsource::Byte)
            liveBytes.push_back({ def.position, 1 });
    }
    LayoutTables layout;
    layout.enumerations = {
        { "Adrw", std::move(imageWords), 0, RS_WORDS },
        { "Adrb", std::move(imageBytes), 0, RS_LEN_EXE },
        { "Monw", std::move(liveWords), 1, LIVE_WORDS },
        { "Monb", std::move(liveBytes), 1, LIVE_BLOCK_LEN },
    };
    for (const LiveStateByte& state : LIVE_STATE_BYTES)
        layout.bitFieldWidths.push_back(LiveStateWidth(state));
    layout.bitFieldWidths.push_back(paramkeys::FLAG_BITS);
    layout.imageLength = RS_LEN_EXE;
    layout.linkBufferLength = COMMAXBUF;
    return layout;
}

void TMainForm::SelfCheck()
{
    for (const std::string& message : SelfCheckMessages(ProgramLayoutTables()))
        MessageBoxFlagged(message.c_str(), "", MB_OK);
}

void TMainForm::ShowMessageSlot(
    int slot, const char* text, int durationMs, int32_t textColour, int32_t background, int priority)
{
    ::ShowMessageSlot(MessageSlot, TickCount, slot, text, durationMs, textColour, background, priority);
}

void TMainForm::UpdateMainCaption()
{
    SetCaption(MainCaptionText(QString::fromStdU16String(CurrentFileName), Images.PcEqualsFile != 0, LinkEnabled != 0)
                   .toStdU16String());
}

void TMainForm::BuildDateTexts()
{
    UnitTypeStatus = UNIT_NONE;
    StatusText.clear();
    NewestPresetDate.clear();
    IMPET_FILE& root = g_Impet.Root();
    if (root.IsDirectory() && root.Count() > 0 && root.children[0].IsDirectory()) {
        std::vector<uint64_t> times;
        for (const IMPET_FILE& entry : root.children[0].children)
            times.push_back(entry.time);
        NewestPresetDate = ::NewestPresetDate(times);
    }
    BuildDate = BuildDateText(__DATE__);
}

void TMainForm::OnHint(TObject*)
{
    // The application keeps the long part of the hint already.
    StatusBar1->Panels(0)->SetText(Application ? Application->Hint() : std::string());
}

void TMainForm::ShowPage(int page)
{
    if (page >= 0 && page < PAGE_SLOTS && PageSheets[size_t(page)])
        PageControl1->SetActivePage(PageSheets[size_t(page)]);
    PageControl1Change(PageControl1);
}

void TMainForm::LoadActivePage()
{
    LoadPages(this, 0);
}

void TMainForm::SaveSettings()
{
    ::SaveSettings(this);
}

void TMainForm::LogImage()
{
    ::LogImage(this, 0);
}

void TMainForm::CompareUnitWithPc()
{
    ::CompareUnitWithPc(Images, *this);
}

bool TMainForm::ProgramAfterChange() const
{
    return CheckBoxProgHned->Checked();
}

void TMainForm::RequestProgramChanged()
{
    FullProgram = 0;
    LinkRequest = REQ_PROGRAM_CHANGED;
}

void TMainForm::UpdateUndoControls(bool undoEnabled, bool redoEnabled)
{
    SpeedButtonZpet->SetEnabled(undoEnabled);
    MenuZpet->SetEnabled(undoEnabled);
    SpeedButtonZnovu->SetEnabled(redoEnabled);
    MenuZnovu->SetEnabled(redoEnabled);
}

void TMainForm::FocusProgramAfterChange()
{
    if (CheckBoxProgHned->CanFocus())
        CheckBoxProgHned->SetFocus();
}
