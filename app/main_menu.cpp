// The commands of the main menu and the tool-bar buttons. They never talk to
// the unit: the unit commands leave a request for the link, and everything
// else brings the edited page into the image first and hands the work to the
// parameter files, the bike defaults, the consistency pass and the undo ring.

#include "app/main_menu.h"

#include "app/editpath.h"
#include "app/language.h"
#include "app/main.h"
#include "app/main_presets.h"
#include "app/otherwindows.h"
#include "app/settings.h"
#include "files/loadgroups.h"
#include "files/paramfile.h"
#include "image/consistency.h"
#include "mapedit/tab.h"
#include "pages/pages.h"
#include "platform/cp1250.h"
#include "platform/dialogs.h"
#include "platform/filewrite.h"
#include "texts/langtext.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <filesystem>

std::function<bool()> CtrlKeyHeld
    = [] { return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier); };

namespace {

constexpr int MSG_COUPLED_PAGE = 28;
constexpr int MSG_WANT_DEFAULTS = 29;
constexpr int MSG_DELETE_SPECIAL = 31;
constexpr int MSG_NEW_INSTALLATION = 127;
constexpr int MSG_OTHER_BIKE = 128;
constexpr int MSG_WARNING = 129;
constexpr int MSG_ATTENTION = 130;

// The injector maps are the first four sheets of the injection page's table.
constexpr int INJECTOR_SHEETS = 4;

const char* const IGN_FILTER = "IGN file|*.ign";
const char* const IGN_EXTENSION = "*.ign";
const char* const LINK_OPEN_ERROR
    = "###Error by opening www link##Fehler beim öffnen der www Link##Chyba při otevírání www odkazu";
const char* const CONFIRM_CAPTION = "Confirm";

const char* const MANUAL_ENGLISH = "https://www.morvanta.cz/download/zeperon12_manual_en.pdf";
const char* const MANUAL_CZECH = "https://www.morvanta.cz/download/zeperon12_manual_cz.pdf";

// The bike the image is set for.
int BikeCodeOf(const RsImage& image)
{
    return image.b[cell::BikeCode];
}

// A page's own commands are refused while the injection page shows an
// injector map in coupled mode: the four maps must change together.
bool CoupledInjectorMapShown(const TMainForm* form)
{
    const TTab* table = form->Maps.InjectionTable;
    return form->ActivePageIndex == INJECTION_PAGE && table && table->CurrentIndex < INJECTOR_SHEETS
        && form->PcImage.b[INJECTOR_COUPLING_MODE] == JET_COUPLED;
}

void HideTransferResult(TMainForm* form)
{
    form->LabelResult->SetVisible(false);
    form->CGaugeProgram->SetVisible(false);
}

void ShowSlotBox(TMainForm* form, int slot)
{
    MessageBoxFlagged(form->MessageTable[size_t(slot)].c_str(), "", MB_OK);
}

bool FileReadable(const std::u16string& path)
{
    QFile file(QString::fromStdU16String(path));
    return file.open(QIODevice::ReadOnly);
}

void ForgetUnitTexts(TMainForm* form)
{
    form->UnitTexts.hardware.clear();
    form->UnitTexts.serial.clear();
    form->UnitTexts.lastUpdate = "settings not from unit";
}

// The file the caption, both dialogs and the recent files name from now on.
void RememberFile(TMainForm* form, const std::u16string& path)
{
    form->OpenDialog1.FileName = path;
    form->SaveDialog1.FileName = path;
    form->CurrentFileName = path;
    form->DialogFileName = path;
    form->UpdateMainCaption();
    form->Recent.AddRecentFile(path);
    UpdateRecentFilesMenu(form);
}

FileDialogRequest IgnDialog(const std::u16string& fileName)
{
    FileDialogRequest request;
    request.filter = QString::fromLatin1(IGN_FILTER);
    request.filterIndex = 1;
    request.defaultExt = QString::fromLatin1(IGN_EXTENSION);
    request.fileName = QString::fromStdU16String(fileName);
    return request;
}

void StartDialogsAtExeDir(TMainForm* form)
{
    form->OpenDialog1.FileName = form->ExeDir;
    form->SaveDialog1.FileName = form->ExeDir;
}

// The image as the active page shows it, through the consistency pass.
void BringPageIntoImage(TMainForm* form)
{
    StoreActivePage(form);
    NormalizeParameterImage(form->PcImage);
    LoadPages(form, 0);
}

// The common end of the three coupling commands: an undo step of its own.
void FinishCouplingChange(TMainForm* form)
{
    StoreInjectionPage(form);
    LoadPages(form, 1);
    NormalizeParameterImage(form->PcImage);
    form->Undo->SnapshotAfterEdit();
}

void CopyFirstMapIntoAll(TMainForm* form)
{
    CopyFirstInjectionMap(form);
    if (TTab* table = form->Maps.InjectionTable) {
        table->UpdateToolbar();
        table->RedrawBits |= REDRAW_VALUES;
    }
    form->Maps.MapLimitsChanged = 1;
    SyncMapTables(form->Maps);
}

template <class T> T* Named(TMainForm* form, const char* name)
{
    return dynamic_cast<T*>(form->FindComponent(name));
}

} // namespace

QString ManualAddress(int language)
{
    return QString::fromLatin1(language == 2 ? MANUAL_CZECH : MANUAL_ENGLISH);
}

int NewSettings(TMainForm* form, int page, int mode)
{
    if (page >= 0 && CoupledInjectorMapShown(form))
        return NEW_SETTINGS_REFUSED;
    if (mode == 0)
        if (auto* bikes = Named<TComboBox>(form, "ComboBoxBike");
            bikes && bikes->ItemIndex() >= 0 && bikes->ItemCode(bikes->ItemIndex()) == BIKE_SEPARATOR_CODE)
            return NEW_SETTINGS_CANCELLED;

    const int slot = mode == 0 ? MSG_WANT_DEFAULTS : MSG_DELETE_SPECIAL;
    const unsigned buttons = mode == 0 ? MB_YESNOCANCEL : MB_OKCANCEL;
    const int answer
        = AskHoldingEdits(form, form->MessageTable[size_t(slot)].c_str(), CONFIRM_CAPTION, buttons | MB_ICONQUESTION);
    if (answer == IDYES || answer == IDOK) {
        CommitEditNow(form);
        LoadBikeDefaults(form, page);
        if (page == -1)
            form->NewInstall = 0;
        HideTransferResult(form);
        form->CurrentFileName.clear();
        form->UpdateMainCaption();
        form->Recent.AddRecentFile(std::u16string());
        UpdateRecentFilesMenu(form);
        form->Maps.MapLimitsChanged = 1;
        LoadPages(form, 1);
        form->Undo->TakeUndoSnapshot();
    }
    return answer == IDCANCEL ? NEW_SETTINGS_CANCELLED : NEW_SETTINGS_DONE;
}

void OpenParameterFile(TMainForm* form, const std::u16string& name)
{
    // The name may be an entry of the recent files, which the steps below move.
    const std::u16string path = name;
    if (!FileReadable(path)) {
        ShowSlotBox(form, MSG_OPEN_FILE_ERROR);
        form->Recent.RemoveRecentFile(path);
        UpdateRecentFilesMenu(form);
        HideTransferResult(form);
        return;
    }
    ForgetUnitTexts(form);
    // An edit box that has the focus commits as it leaves.
    form->FocusProgramAfterChange();
    CommitEditNow(form);

    // The first pass only learns the bike, whose defaults then fill whatever
    // the file does not carry; the second pass reads the file over them.
    MainFileHost host(*form);
    host.FileHadBike = false;
    ReadParameterFile(host, std::filesystem::path(path), -1, false);
    if (host.FileHadBike)
        LoadBikeDefaults(form, -1);
    ReadParameterFile(host, std::filesystem::path(path), -1, true);

    NormalizeParameterImage(form->PcImage);
    LoadPages(form, 1);
    // What the pages' loads repair (point counts out of range) belongs to
    // the file as opened, not to an edit of the user.
    form->Images.FileImage = form->PcImage;
    if (host.FileVersion != 0) {
        form->Images.FileImageNamed = 1;
        form->Images.PcEqualsFile = 1;
        form->NewInstall = 0;
        form->Undo->TakeUndoSnapshot();
        RememberFile(form, path);
    } else {
        // The file is not remembered, so the caption must not go on naming
        // the previous one as if the image were still its content, neither
        // now nor after a later comparison.
        form->Images.FileImageNamed = 0;
        form->Images.PcEqualsFile = 0;
        form->UpdateMainCaption();
    }
    HideTransferResult(form);
}

void UpdateRecentFilesMenu(TMainForm* form)
{
    for (int n = 1; n < RecentFiles::ENTRIES; ++n) {
        TMenuItem* item = form->MenuHistoryItems[size_t(n)];
        if (n < form->Recent.Count())
            item->SetCaption(QStringToCp1250(QString::fromStdU16String(form->Recent.Caption(n))));
        item->SetVisible(form->Recent.MenuItemVisible(n));
    }
    form->MenuHistoryEnd->SetVisible(form->Recent.MenuSeparatorVisible());
}

void TMainForm::WireMenuCommands()
{
    struct Command {
        const char* item;
        void (TMainForm::*handler)(TObject*);
    };
    static constexpr Command COMMANDS[] = {
        { "MenuNew", &TMainForm::MenuNewClick },
        { "MenuNewActPage", &TMainForm::MenuNewActPageClick },
        { "MenuOpen", &TMainForm::MenuOpenClick },
        { "MenuOpenExeDir", &TMainForm::MenuOpenExeDirClick },
        { "MenuOpenActPage", &TMainForm::MenuOpenActPageClick },
        { "MenuSave", &TMainForm::MenuSaveClick },
        { "MenuSaveExeDir", &TMainForm::MenuSaveExeDirClick },
        { "MenuPrint", &TMainForm::SpeedButtonPrintClick },
        { "MenuPrintAll", &TMainForm::MenuPrintAllClick },
        { "MenuRead", &TMainForm::MenuReadClick },
        { "MenuVerify", &TMainForm::MenuVerifyClick },
        { "MenuProgram", &TMainForm::MenuProgramClick },
        { "MenuReset", &TMainForm::MenuResetClick },
        { "MenuStop", &TMainForm::MenuStopClick },
        { "Menu_Jet123Normal", &TMainForm::Menu_Jet123NormalClick },
        { "Menu_Jet123Coupled", &TMainForm::Menu_Jet123CoupledClick },
        { "Menu_Jet123Stejny", &TMainForm::Menu_Jet123StejnyClick },
        { "MenuToolsMinus", &TMainForm::MenuToolsMinusClick },
        { "MenuToolsPlus", &TMainForm::MenuToolsPlusClick },
        { "MenuLadeniOn", &TMainForm::MenuLadeniOnClick },
        { "MenuInterpol", &TMainForm::MenuToolsInterpolOnClick },
        { "MenuMonitorPlayer", &TMainForm::MenuMonitorPlayerClick },
        { "MenuMonitorView", &TMainForm::MenuExtMonClick },
        { "MenuMonitorLoad", &TMainForm::MenuExtMonLoadClick },
        { "MenuMonitorStore", &TMainForm::MenuExtMonStoreClick },
        { "MenuMonitorSet1", &TMainForm::MenuMonitorSetClick },
        { "MenuMonitorSet2", &TMainForm::MenuMonitorSetClick },
        { "MenuMonitorSet3", &TMainForm::MenuMonitorSetClick },
        { "MenuMonitorSet0", &TMainForm::MenuMonitorSetClick },
        { "MenuEnglish", &TMainForm::MenuEnglishClick },
        { "MenuGerman", &TMainForm::MenuGermanClick },
        { "MenuCzech", &TMainForm::MenuCzechClick },
        { "MenuContens", &TMainForm::MenuContensClick },
        { "MenuAbout", &TMainForm::MenuAboutClick },
        { "MenuSaveAllNew", &TMainForm::MenuSaveAllNewClick },
        { "MenuCompareAll", &TMainForm::MenuCompareAllNewClick },
    };
    for (const Command& command : COMMANDS)
        if (auto* item = Named<TMenuItem>(this, command.item))
            item->OnClick = [this, handler = command.handler](TObject* sender) { (this->*handler)(sender); };

    SpeedButtonNew->OnClick = [this](TObject* sender) { MenuNewClick(sender); };
    SpeedButtonOpen->OnClick = [this](TObject* sender) { MenuOpenClick(sender); };
    SpeedButtonSave->OnClick = [this](TObject* sender) { MenuSaveClick(sender); };
    SpeedButtonPrint->OnClick = [this](TObject* sender) { SpeedButtonPrintClick(sender); };
    ButtonRead->OnClick = [this](TObject* sender) { MenuReadClick(sender); };
    ButtonVerify->OnClick = [this](TObject* sender) { MenuVerifyClick(sender); };
    ButtonProgram->OnClick = [this](TObject* sender) { MenuProgramClick(sender); };

    // The recent files sit between the file commands and Exit.
    int at = MenuFile->IndexOf(MenuExit);
    for (int n = 1; n < RecentFiles::ENTRIES; ++n) {
        auto* item = new TMenuItem(this);
        item->SetName("MenuHistory" + std::to_string(n));
        item->SetCaption(std::to_string(n) + " history");
        item->SetVisible(false);
        item->OnClick = [this](TObject* sender) { MenuHistory(sender); };
        MenuFile->Insert(at++, item);
        MenuHistoryItems[size_t(n)] = item;
    }
    MenuHistoryEnd = new TMenuItem(this);
    MenuHistoryEnd->SetName("MenuHistoryEnd");
    MenuHistoryEnd->SetCaption("-");
    MenuHistoryEnd->SetVisible(false);
    MenuFile->Insert(at, MenuHistoryEnd);
}

void TMainForm::MenuNewClick(TObject*)
{
    NewSettings(this, -1, 0);
}

void TMainForm::MenuNewActPageClick(TObject*)
{
    NewSettings(this, ActivePageIndex, 0);
}

void TMainForm::MenuOpenClick(TObject* Sender)
{
    if (Sender == SpeedButtonOpen && CtrlKeyHeld())
        StartDialogsAtExeDir(this);
    const QString name = Dialogs().OpenFileName(IgnDialog(OpenDialog1.FileName));
    if (!name.isEmpty())
        OpenParameterFile(this, name.toStdU16String());
}

void TMainForm::MenuOpenExeDirClick(TObject* Sender)
{
    StartDialogsAtExeDir(this);
    MenuOpenClick(Sender);
}

void TMainForm::MenuOpenActPageClick(TObject*)
{
    if (CoupledInjectorMapShown(this)) {
        ShowSlotBox(this, MSG_COUPLED_PAGE);
        return;
    }
    const QString picked = Dialogs().OpenFileName(IgnDialog(OpenDialog1.FileName));
    if (picked.isEmpty())
        return;
    const std::u16string path = picked.toStdU16String();
    ForgetUnitTexts(this);
    if (!FileReadable(path)) {
        ShowSlotBox(this, MSG_OPEN_FILE_ERROR);
        HideTransferResult(this);
        return;
    }
    CommitEditNow(this);
    const int bike = BikeCodeOf(PcImage);
    MainFileHost host(*this);
    ReadParameterFile(host, std::filesystem::path(path), ActivePageIndex, false);
    if (BikeCodeOf(PcImage) != bike)
        LoadBikeDefaults(this, -1);
    ReadParameterFile(host, std::filesystem::path(path), ActivePageIndex, true);
    LoadPages(this, 1);
    // The image holds only this page of the file and the file image stays
    // what it was, which is not the content of the file now named: the
    // caption names it again after a save or a whole open.
    if (host.FileVersion != 0) {
        Images.FileImageNamed = 0;
        Images.PcEqualsFile = 0;
        RememberFile(this, path);
    }
    HideTransferResult(this);
}

void TMainForm::MenuSaveClick(TObject* Sender)
{
    if (Sender == SpeedButtonSave && CtrlKeyHeld())
        StartDialogsAtExeDir(this);
    FileDialogRequest request = IgnDialog(SaveDialog1.FileName);
    const QString picked = Dialogs().SaveFileName(request);
    if (picked.isEmpty())
        return;
    const std::u16string path = picked.toStdU16String();

    BringPageIntoImage(this);
    MainFileHost host(*this);
    const std::string text = ParameterFileText(host);
    // The old file stays whole until the new one is complete.
    if (!WriteFileAtomic(std::filesystem::path(path).string(), text).ok) {
        ShowSlotBox(this, MSG_OPEN_FILE_ERROR);
        return;
    }
    Images.FileImage = PcImage;
    Images.FileImageNamed = 1;
    Images.PcEqualsFile = 1;
    RememberFile(this, path);
}

void TMainForm::MenuSaveExeDirClick(TObject* Sender)
{
    StartDialogsAtExeDir(this);
    MenuSaveClick(Sender);
}

void TMainForm::MenuHistory(TObject* Sender)
{
    for (int n = 1; n < RecentFiles::ENTRIES; ++n)
        if (Sender == MenuHistoryItems[size_t(n)] && n < Recent.Count()) {
            OpenParameterFile(this, Recent.Entry(n));
            return;
        }
}

void TMainForm::MenuReadClick(TObject*)
{
    LinkRequest = REQ_READ;
}

void TMainForm::MenuVerifyClick(TObject*)
{
    BringPageIntoImage(this);
    LinkRequest = REQ_VERIFY;
}

void TMainForm::MenuProgramClick(TObject*)
{
    if (NewInstall) {
        MessageBoxFlagged(MessageTable[MSG_NEW_INSTALLATION].c_str(), MessageTable[MSG_ATTENTION].c_str(),
            MB_SYSTEMMODAL | MB_ICONERROR | MB_OK);
        return;
    }
    if (Images.UnitBike != -1 && Images.UnitBike != BikeCodeOf(PcImage)
        && MessageBoxFlagged(MessageTable[MSG_OTHER_BIKE].c_str(), MessageTable[MSG_WARNING].c_str(),
               MB_SYSTEMMODAL | MB_ICONWARNING | MB_OKCANCEL | MB_DEFBUTTON2)
            == IDCANCEL)
        return;
    BringPageIntoImage(this);
    FullProgram = 1;
    LinkRequest = REQ_PROGRAM;
}

void TMainForm::MenuResetClick(TObject*)
{
    LinkRequest = REQ_RESET;
}

void TMainForm::MenuStopClick(TObject*)
{
    OneShot.Set(OneShotCommands::StopByte, OneShotCommands::StopBit);
}

void TMainForm::Menu_Jet123NormalClick(TObject*)
{
    if (PcImage.b[INJECTOR_COUPLING_MODE] == JET_ALL_ALIKE)
        CopyFirstMapIntoAll(this);
    PcImage.b[INJECTOR_COUPLING_MODE] = JET_NORMAL;
    FinishCouplingChange(this);
}

void TMainForm::Menu_Jet123CoupledClick(TObject*)
{
    if (PcImage.b[INJECTOR_COUPLING_MODE] == JET_ALL_ALIKE)
        CopyFirstMapIntoAll(this);
    PcImage.b[INJECTOR_COUPLING_MODE] = JET_COUPLED;
    CoupleInjectionMaps(this);
    FinishCouplingChange(this);
}

void TMainForm::Menu_Jet123StejnyClick(TObject*)
{
    PcImage.b[INJECTOR_COUPLING_MODE] = JET_ALL_ALIKE;
    CopyFirstMapIntoAll(this);
    FinishCouplingChange(this);
}

void TMainForm::MenuToolsMinusClick(TObject*)
{
    StepFocusedTable(Maps, -1);
}

void TMainForm::MenuToolsPlusClick(TObject*)
{
    StepFocusedTable(Maps, 1);
}

void TMainForm::MenuLadeniOnClick(TObject*)
{
    // Raises the box's click like the user's own, which commits.
    if (auto* box = Named<TCheckBox>(this, "CheckBoxLadeniPovoleno"))
        box->SetChecked(!box->Checked());
    UpdateTuningControls(this);
}

void TMainForm::MenuToolsInterpolOnClick(TObject*)
{
    InterpolateFocusedTable(Maps);
}

void TMainForm::MenuMonitorPlayerClick(TObject*)
{
    if (!GroupBoxPlayer)
        return;
    GroupBoxPlayer->SetVisible(!GroupBoxPlayer->Visible());
    MenuMonitorPlayer->SetChecked(GroupBoxPlayer->Visible());
    SaveSettings();
}

void TMainForm::MenuExtMonClick(TObject*)
{
    ShowExternalMonitor(this, 0);
}

void TMainForm::MenuExtMonLoadClick(TObject*)
{
    ShowExternalMonitor(this, 1);
}

void TMainForm::MenuExtMonStoreClick(TObject*)
{
    if (!MonitorShown)
        return;
    StoreMonitorSet(this);
    if (FormEM)
        FormEM->Show();
}

void TMainForm::MenuMonitorSetClick(TObject* Sender)
{
    static constexpr std::pair<const char*, int> SETS[] = {
        { "MenuMonitorSet1", -1 },
        { "MenuMonitorSet2", -2 },
        { "MenuMonitorSet3", -3 },
        { "MenuMonitorSet0", -1000 },
    };
    for (const auto& [name, set] : SETS)
        if (Sender == FindComponent(name))
            ShowExternalMonitor(this, set);
}

namespace {

void SwitchLanguage(TMainForm* form, int language)
{
    LangIndex = language;
    ApplyLanguage(form);
    LoadPages(form, 0);
}

} // namespace

void TMainForm::MenuEnglishClick(TObject*)
{
    SwitchLanguage(this, 0);
}

void TMainForm::MenuGermanClick(TObject*)
{
    SwitchLanguage(this, 1);
}

void TMainForm::MenuCzechClick(TObject*)
{
    SwitchLanguage(this, 2);
}

void TMainForm::MenuContensClick(TObject*)
{
    const QString address = ManualAddress(LangIndex);
    if (Dialogs().OpenShell(address))
        return;
    char text[512];
    std::snprintf(text, sizeof text, "%s %s !", SelectLangText(LINK_OPEN_ERROR), address.toLatin1().constData());
    MessageBoxFlagged(text, "", MB_OK);
}

void TMainForm::MenuAboutClick(TObject*)
{
    if (FormAbout)
        FormAbout->ShowModal();
}

void TMainForm::MenuSaveAllNewClick(TObject*)
{
    MainFileHost host(*this);
    SaveAllNewPresets(host);
}

void TMainForm::MenuCompareAllNewClick(TObject*)
{
    MainFileHost host(*this);
    CompareAllNewPresets(host);
}
