// The shared handlers of the settings pages' controls, the edit debounce,
// the decimal edit pair and the page switch.
#include "app/About.h"
#include "app/editpath.h"
#include "app/main.h"
#include "pages/pages.h"
#include "platform/decitext.h"
#include "platform/dialogs.h"

#include <QLocale>

#include <algorithm>

namespace {

// A busy flag of the decimal pair, clear again on every way out.
class BusyFlag {
public:
    explicit BusyFlag(int32_t& flag)
        : flag_(flag)
    {
        flag_ = 1;
    }
    ~BusyFlag() { flag_ = 0; }
    BusyFlag(const BusyFlag&) = delete;
    BusyFlag& operator=(const BusyFlag&) = delete;

private:
    int32_t& flag_;
};

char LocaleDecimalPoint()
{
    QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 0x80 ? char(point[0].unicode()) : '.';
}

} // namespace

void NoteControlEdit(TMainForm* form, TObject* control, int32_t code)
{
    if (form->PendingEditControl && form->PendingEditControl != control)
        code = EDIT_COMMIT_NOW;
    form->PendingEditControl = control;
    if (code == form->PendingEditCode || form->PendingEditCode == EDIT_COMMIT_NOW) {
        form->PendingEditDeadline = form->TickCount + EDIT_DEBOUNCE_TICKS;
        form->PendingEditCode = code;
    } else {
        form->PendingEditCode = EDIT_COMMIT_NOW;
    }
    if (form->PendingEditCode == EDIT_COMMIT_NOW) {
        form->PendingEditControl = nullptr;
        form->PendingEditDeadline = 0;
        StoreAndReloadPage(form);
    }
}

void CommitPendingEdit(TMainForm* form)
{
    if (form->QuestionBoxesOpen > 0)
        return;
    if (form->PendingEditControl && form->TickCount >= form->PendingEditDeadline)
        NoteControlEdit(form, form->PendingEditControl, EDIT_COMMIT_NOW);
}

void CommitEditNow(TMainForm* form)
{
    NoteControlEdit(form, form, EDIT_COMMIT_NOW);
}

QuestionHold::QuestionHold(TMainForm* form)
    : form_(form)
{
    ++form_->QuestionBoxesOpen;
}

QuestionHold::~QuestionHold()
{
    if (--form_->QuestionBoxesOpen == 0 && form_->PageReloadWaiting >= 0) {
        const int all = form_->PageReloadWaiting;
        form_->PageReloadWaiting = -1;
        LoadPages(form_, all);
    }
}

int AskHoldingEdits(TMainForm* form, const char* text, const char* caption, unsigned type)
{
    const QuestionHold hold(form);
    return MessageBoxFlagged(text, caption, type);
}

// Enter commits and moves on, as leaving the edit would.
void TMainForm::FormKeyPress(TObject* Sender, char16_t& Key)
{
    if (Key != u'\r')
        return;
    Key = 0;
    NoteControlEdit(this, Sender, EDIT_COMMIT_NOW);
    SelectNextControl(true);
}

void TMainForm::FormKeyPressW(TObject* Sender, char16_t& Key)
{
    FormKeyPress(Sender, Key);
}

void TMainForm::FormEditLooseFocus(TObject* Sender)
{
    auto* control = dynamic_cast<TControl*>(Sender);
    if (control && control->Visible() && LoadingControls == 0)
        NoteControlEdit(this, Sender, EDIT_COMMIT_NOW);
}

void TMainForm::FormUpDownClick(TObject* Sender, TUDBtnType)
{
    if (LoadingControls == 0)
        NoteControlEdit(this, Sender, EDIT_UPDOWN_CLICK);
}

void TMainForm::FormRadioGroupClick(TObject* Sender)
{
    if (LoadingControls == 0)
        NoteControlEdit(this, Sender, EDIT_COMMIT_NOW);
}

void TMainForm::FormCheckBoxClick(TObject* Sender)
{
    if (LoadingControls == 0)
        NoteControlEdit(this, Sender, EDIT_COMMIT_NOW);
}

// Moving the focus off the combo ends the editing of the page's controls.
void TMainForm::FormComboChange(TObject* Sender)
{
    if (LoadingControls != 0)
        return;
    NoteControlEdit(this, Sender, EDIT_COMMIT_NOW);
    FocusProgramAfterChange();
}

void TMainForm::UpDnDeciChg(TObject* Sender, bool& AllowChange, int NewValue, TUpDownDirection)
{
    AllowChange = true;
    auto* upDown = dynamic_cast<TDeciUpDown*>(Sender);
    if (!upDown || upDown->busy || !upDown->partner)
        return;
    int position = std::clamp(NewValue, upDown->Min(), std::max(upDown->Min(), upDown->Max()));
    TDeciEdit* edit = upDown->partner;
    BusyFlag busy(edit->busy);
    edit->SetText(FormatDeciValue(position, upDown->divisor, LocaleDecimalPoint()));
}

// Typing moves the up-down at once; the commit waits for Enter, the focus
// leaving the edit or a click, as for every edit box.
void TMainForm::EditDeciChg(TObject* Sender)
{
    auto* edit = dynamic_cast<TDeciEdit*>(Sender);
    if (!edit || edit->busy || !edit->partner)
        return;
    std::optional<double> value = ParseTypedNumber(edit->Text());
    if (!value)
        return;
    TDeciUpDown* upDown = edit->partner;
    BusyFlag busy(upDown->busy);
    upDown->SetPosition(DeciPositionFor(*value, upDown->divisor));
}

// A click still waiting for its deadline is stored with the page it was
// made on, before that page goes. (An edit that has the focus there commits
// through its own exit, which the page control raises while the old page is
// still shown.) Code that switches pages raises nothing, so start-up and
// undo commit nothing here.
void TMainForm::PageControl1Changing(TObject*, bool& AllowChange)
{
    AllowChange = true;
    if (PendingEditControl)
        CommitEditNow(this);
}

void TMainForm::PageControl1Change(TObject*)
{
    ActivePageIndex = PageControl1->ActivePageIndex();
    LoadPages(this, 0);
    LogUiState(this);
}

void TMainForm::SpeedButtonZpetClick(TObject*)
{
    Undo->Undo();
}

void TMainForm::SpeedButtonZnovuClick(TObject*)
{
    Undo->Redo();
}
