#pragma once
// The texts of the main window's controls in three languages, as rows of
// data: which target, which property, and the text. The window writes them
// (app/language.cpp); this file knows no widget.

#include "texts/messagetable.h"

#include <span>
#include <string>

// What a row writes: the caption (or a message slot's text), the hint, the
// whole item list of a radio group (the text's lines become the items), or
// the text of one existing item of a radio group or combo box.
enum class TextProperty { CAPTION, HINT, ITEMS, ITEM };

// The target of a row: a control of the main window by its name, or one of
// the few targets that have no name of their own.
enum class TargetKind {
    CONTROL,
    PAGE_SHEET, // the run-time tab sheet of a page slot (index)
    MESSAGE_SLOT, // a slot of the message table (index)
    EXTERNAL_MONITOR, // the external monitor window, while it exists
    HYSTERESIS_LABEL, // the hysteresis label of a power output, given when applied
};

struct TextTarget {
    TargetKind kind = TargetKind::CONTROL;
    const char* name = nullptr;
    int index = 0;

    constexpr TextTarget(const char* controlName)
        : name(controlName)
    {
    }
    constexpr TextTarget(TargetKind targetKind, int targetIndex = 0)
        : kind(targetKind)
        , index(targetIndex)
    {
    }
};

// Where a row's text comes from: the row's own three languages (a null German
// or Czech text shows the English one) between a fixed prefix and suffix; a
// message slot of the same run; or a "###English##German##Czech" literal held
// in the English column.
enum class TextSource { ENTRY, SLOT, LITERAL };

struct ControlTextRow {
    TextTarget target;
    TextProperty property;
    int item;
    LangEntry text;
    const char* prefix = nullptr;
    const char* suffix = nullptr;
    TextSource source = TextSource::ENTRY;
    int slot = 0;
};

// A caption that shows message slot `slot`.
constexpr ControlTextRow SlotCaption(TextTarget target, int slot)
{
    return { target, TextProperty::CAPTION, 0, {}, nullptr, nullptr, TextSource::SLOT, slot };
}

// A caption given as a three-language literal.
constexpr ControlTextRow LiteralCaption(TextTarget target, const char* literal)
{
    return { target, TextProperty::CAPTION, 0, { literal, nullptr, nullptr }, nullptr, nullptr, TextSource::LITERAL };
}

// The text a row writes for the language, with the message table of the same run.
std::string ControlTextRowText(const ControlTextRow& row, int langIndex, const MessageTableTexts& table);

// The tables, one or more per step of the control texts, in the order of
// their rows.
using ControlTextTable = std::span<const ControlTextRow>;

extern const ControlTextTable EXTERNAL_MONITOR_TEXTS;
extern const ControlTextTable PROGRAM_AFTER_CHANGE_TEXTS;
extern const ControlTextTable BIKE_TEXTS; // the bike list is filled after GroupBoxBike
extern const ControlTextTable SYNCHRO_TEXTS; // the synchro lists are filled after GroupBoxSynchro
extern const ControlTextTable SYNCHRO_HUNTING_TEXTS; // second synchro type neither 5 nor 6
extern const ControlTextTable SYNCHRO_IAP_TEXTS; // second synchro type 5 or 6
extern const ControlTextTable SYNCHRO_LAST_TEXTS;
extern const ControlTextTable ADVANCE_INJECTION_TEXTS;
extern const ControlTextTable CORRECTIONS_TEXTS;
extern const ControlTextTable SENSORS_TEXTS;
extern const ControlTextTable POWER_OUT_SHEET_TEXTS;
extern const ControlTextTable POWER_OUT_HYSTERESIS_TEXTS; // once per output, after its list
extern const ControlTextTable SERVO_TEXTS;
extern const ControlTextTable RACE_TEXTS;
extern const ControlTextTable GEAR_TEXTS; // the gear system list is filled after TabSheet_Gear
extern const ControlTextTable IDLE_TEXTS; // the idle mode list is filled after RadioGroupIdleMode
extern const ControlTextTable N2O_TEXTS;
extern const ControlTextTable TUNING_TEXTS;
extern const ControlTextTable TRACKING_TEXTS;
extern const ControlTextTable MONITOR_TEXTS;
extern const ControlTextTable TEST_TEXTS;
extern const ControlTextTable MAINTENANCE_TEXTS;
extern const ControlTextTable RUNTIME_LITERAL_TEXTS;

// Every table above, for checks over all rows.
std::span<const ControlTextTable> AllControlTextTables();

// "Correction for cylinder" followed by the numbers of the cylinders in use
// (" 1", ",2", ",3", ",4"), for the language.
std::string CylinderCorrectionText(int cylinders, int langIndex);
