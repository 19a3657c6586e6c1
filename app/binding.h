#pragma once
// How the settings pages move image cells into controls and back. Loads
// write a control from PcImage with the window's LoadingControls guard set,
// so the events the write raises never read back as an edit; stores write
// PcImage from a control. A cell is an offset plus an index (byte offset or
// word index); SIGNED_CELL in the index reads the cell signed.

#include <string>
#include <string_view>

class TMainForm;
class TUpDown;
class TCheckBox;
class TRadioGroup;
class TComboBox;

// The up-down's position and its associate's text. A position of 1000 or
// more is stepped down and up once more, so the associate shows it in the
// up-down's own format (with digit groups).
void SetUpDownQuiet(TMainForm* form, TUpDown* upDown, int value);
void NudgeUpDown(TMainForm* form, TUpDown* upDown);
std::string IntToText(int value);

// Control setters and getters.
void SetCheckBoxQuiet(TMainForm* form, TCheckBox* box, int value);
void SetRadioGroupQuiet(TMainForm* form, TRadioGroup* group, int index);
void SelectRadioGroupByValueQuiet(TMainForm* form, TRadioGroup* group, int code);
// The code of the selected item; the (negative) position when none is selected.
int GetRadioGroupValue(TRadioGroup* group);
void SetControlValueQuiet(TMainForm* form, TComboBox* combo, int index);
int FindComboItemByValue(TComboBox* combo, int code);
void SelectComboByValueQuiet(TMainForm* form, TComboBox* combo, int code);
int GetComboValue(TComboBox* combo);

// Loads.
void SetUpDownFromWord(TMainForm* form, TUpDown* upDown, int offset, int index, int bias);
void SetUpDownFromByte(TMainForm* form, TUpDown* upDown, int offset, int index, int scale, int bias);
void SetComboFromByte(TMainForm* form, TComboBox* combo, int offset, int index);
void SetCheckBoxFromByte(TMainForm* form, TCheckBox* box, int offset, int index);
void SetRadioGroupFromByte(TMainForm* form, TRadioGroup* group, int offset, int index);
void SelectRadioGroupByValue(TMainForm* form, TRadioGroup* group, int offset, int index);
void SelectComboByValue(TMainForm* form, TComboBox* combo, int offset, int index);

// Stores: the low 8 or 16 bits of the result; nothing selected stores 255.
void StoreUpDownToWord(TMainForm* form, TUpDown* upDown, int offset, int index, int bias);
void StoreUpDownToByte(TMainForm* form, TUpDown* upDown, int offset, int index, int scale, int bias);
void StoreComboToByte(TMainForm* form, TComboBox* combo, int offset, int index);
void StoreCheckBoxToByte(TMainForm* form, TCheckBox* box, int offset, int index);
void StoreRadioGroupToByte(TMainForm* form, TRadioGroup* group, int offset, int index);
void StoreRadioGroupValueToByte(TMainForm* form, TRadioGroup* group, int offset, int index);
void StoreComboValueToByte(TMainForm* form, TComboBox* combo, int offset, int index);

// Item lists that pages rebuild for another language: clear (returning the
// old selection), add each item with its code, select by code again.
int ClearRadioGroupItems(TRadioGroup* group);
int ClearComboItems(TComboBox* combo);
void AddRadioGroupItem(TRadioGroup* group, std::string_view text, int code);
void AddComboItem(TComboBox* combo, std::string_view text, int code);
