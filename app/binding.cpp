#include "app/binding.h"

#include "app/main.h"

namespace {

// The guard is back at 0 on every way out, so an exception thrown while a
// control is written cannot leave every later edit ignored.
class LoadingGuard {
public:
    explicit LoadingGuard(TMainForm* form)
        : form_(form)
    {
        form_->LoadingControls = 1;
    }
    ~LoadingGuard() { form_->LoadingControls = 0; }
    LoadingGuard(const LoadingGuard&) = delete;
    LoadingGuard& operator=(const LoadingGuard&) = delete;

private:
    TMainForm* form_;
};

template <class List> int SelectedCode(List* list)
{
    int index = list->ItemIndex();
    return index >= 0 ? list->ItemCode(index) : index;
}

template <class List> int FirstItemWithCode(List* list, int code)
{
    for (int i = 0; i < list->ItemCount(); ++i)
        if (list->ItemCode(i) == code)
            return i;
    return -1;
}

template <class List> void SelectByCode(TMainForm* form, List* list, int code)
{
    int index = list->ItemIndex();
    if (index >= 0 && list->ItemCode(index) == code)
        return;
    int found = FirstItemWithCode(list, code);
    LoadingGuard guard(form);
    list->SetItemIndex(found);
    list->Repaint();
}

uint8_t ByteOf(TMainForm* form, int offset, int index)
{
    return uint8_t(ReadByteCell(form->PcImage, offset, CellIndex(index)));
}

} // namespace

void SetUpDownQuiet(TMainForm* form, TUpDown* upDown, int value)
{
    LoadingGuard guard(form);
    upDown->SetPosition(value);
    if (TEdit* edit = upDown->Associate()) {
        edit->SetText(IntToText(upDown->Position()));
        NudgeUpDown(form, upDown);
    }
}

void NudgeUpDown(TMainForm* form, TUpDown* upDown)
{
    LoadingGuard guard(form);
    int start = upDown->Position();
    if (start < 1000)
        return;
    upDown->SetPosition(start - upDown->Increment());
    upDown->SetPosition(upDown->Position() + upDown->Increment());
    if (upDown->Position() > start)
        upDown->SetPosition(upDown->Position() - upDown->Increment());
}

std::string IntToText(int value)
{
    return std::to_string(value);
}

void SetCheckBoxQuiet(TMainForm* form, TCheckBox* box, int value)
{
    if (box->Checked() == (value != 0))
        return;
    LoadingGuard guard(form);
    box->SetChecked(value != 0);
    box->Repaint();
}

void SetRadioGroupQuiet(TMainForm* form, TRadioGroup* group, int index)
{
    if (group->ItemIndex() == index)
        return;
    LoadingGuard guard(form);
    group->SetItemIndex(index);
    group->Repaint();
}

void SelectRadioGroupByValueQuiet(TMainForm* form, TRadioGroup* group, int code)
{
    SelectByCode(form, group, code);
}

int GetRadioGroupValue(TRadioGroup* group)
{
    return SelectedCode(group);
}

void SetControlValueQuiet(TMainForm* form, TComboBox* combo, int index)
{
    if (combo->ItemIndex() == index)
        return;
    LoadingGuard guard(form);
    combo->SetItemIndex(index);
    combo->Repaint();
}

int FindComboItemByValue(TComboBox* combo, int code)
{
    return FirstItemWithCode(combo, code);
}

void SelectComboByValueQuiet(TMainForm* form, TComboBox* combo, int code)
{
    SelectByCode(form, combo, code);
}

int GetComboValue(TComboBox* combo)
{
    return SelectedCode(combo);
}

void SetUpDownFromWord(TMainForm* form, TUpDown* upDown, int offset, int index, int bias)
{
    SetUpDownQuiet(form, upDown, LoadWordCell(form->PcImage, offset, index, bias));
}

void SetUpDownFromByte(TMainForm* form, TUpDown* upDown, int offset, int index, int scale, int bias)
{
    SetUpDownQuiet(form, upDown, LoadByteCell(form->PcImage, offset, index, scale, bias));
}

void SetComboFromByte(TMainForm* form, TComboBox* combo, int offset, int index)
{
    SetControlValueQuiet(form, combo, ByteOf(form, offset, index));
}

void SetCheckBoxFromByte(TMainForm* form, TCheckBox* box, int offset, int index)
{
    SetCheckBoxQuiet(form, box, ByteOf(form, offset, index));
}

void SetRadioGroupFromByte(TMainForm* form, TRadioGroup* group, int offset, int index)
{
    SetRadioGroupQuiet(form, group, ByteOf(form, offset, index));
}

void SelectRadioGroupByValue(TMainForm* form, TRadioGroup* group, int offset, int index)
{
    SelectRadioGroupByValueQuiet(form, group, ByteOf(form, offset, index));
}

void SelectComboByValue(TMainForm* form, TComboBox* combo, int offset, int index)
{
    SelectComboByValueQuiet(form, combo, ByteOf(form, offset, index));
}

void StoreUpDownToWord(TMainForm* form, TUpDown* upDown, int offset, int index, int bias)
{
    StoreWordCell(form->PcImage, offset, index, upDown->Position(), bias);
}

void StoreUpDownToByte(TMainForm* form, TUpDown* upDown, int offset, int index, int scale, int bias)
{
    StoreByteCell(form->PcImage, offset, index, upDown->Position(), scale, bias);
}

void StoreComboToByte(TMainForm* form, TComboBox* combo, int offset, int index)
{
    WriteByteCell(form->PcImage, offset, index, combo->ItemIndex());
}

void StoreCheckBoxToByte(TMainForm* form, TCheckBox* box, int offset, int index)
{
    WriteByteCell(form->PcImage, offset, index, CellForChecked(box->Checked()));
}

void StoreRadioGroupToByte(TMainForm* form, TRadioGroup* group, int offset, int index)
{
    WriteByteCell(form->PcImage, offset, index, group->ItemIndex());
}

void StoreRadioGroupValueToByte(TMainForm* form, TRadioGroup* group, int offset, int index)
{
    WriteByteCell(form->PcImage, offset, index, GetRadioGroupValue(group));
}

void StoreComboValueToByte(TMainForm* form, TComboBox* combo, int offset, int index)
{
    WriteByteCell(form->PcImage, offset, index, GetComboValue(combo));
}

int ClearRadioGroupItems(TRadioGroup* group)
{
    int index = group->ItemIndex();
    group->ClearItems();
    return index;
}

int ClearComboItems(TComboBox* combo)
{
    int index = combo->ItemIndex();
    combo->ClearItems();
    return index;
}

void AddRadioGroupItem(TRadioGroup* group, std::string_view text, int code)
{
    group->AddItem(text, code);
}

void AddComboItem(TComboBox* combo, std::string_view text, int code)
{
    combo->AddItem(text, code);
}
