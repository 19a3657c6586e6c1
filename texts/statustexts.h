#pragma once
// The main window's status reports without their widgets: the status slots
// (labels that show a three-language message for a while, by priority), the
// window caption, the program identity text and the connection status text.
// The main window owns the labels and hands them to the slots through the
// small interfaces below; it puts the texts computed here into its caption
// and status bar.

#include <QString>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A colour argument that leaves the control's present colour as it is.
constexpr int32_t KEEP_COLOR = 0x1FFFFFFF;

constexpr int MESSAGE_SLOT_COUNT = 5;
constexpr int SLOT_CONNECTION = 1; // LabelConnection
constexpr int SLOT_RESULT = 2; // LabelResult, with CGaugeProgram
constexpr int SLOT_CONGRUENCE = 4; // LabelCongruence

// A control that can be shown and hidden (the progress gauge).
class VisibleControl {
public:
    virtual ~VisibleControl() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Visible() const = 0;
};

// The label of a status slot. Texts are 8-bit, colours 0x00BBGGRR.
class SlotLabel : public VisibleControl {
public:
    virtual void SetCaption(const char* text) = 0;
    virtual void SetFontColor(int32_t color) = 0;
    virtual void SetColor(int32_t color) = 0;
};

struct MessageSlot {
    SlotLabel* control = nullptr;
    VisibleControl* companion = nullptr; // hidden together with the label
    int32_t expiry = -1; // -1 never, 0 none, else the TickCount after which it hides
    bool hasText = false;
    std::string text; // the slot's own copy of the shown three-language text
    int priority = 0;
};

using MessageSlots = std::array<MessageSlot, MESSAGE_SLOT_COUNT>;

// Binds the controls of slots 1, 2 (with the gauge) and 4, sets every expiry to
// "never" and hides the three labels.
void InitMessageSlots(MessageSlots& messageSlots, SlotLabel* connection, SlotLabel* result,
    VisibleControl* progressGauge, SlotLabel* congruence);

// Shows `text` (a three-language text, or null to hide the slot) for
// `durationMs` (negative: until replaced; 0: the expiry stays as it was).
// A priority of 0 or more below that of the shown text drops the call; a
// negative priority always passes; a hidden slot counts as -1. Colours of
// KEEP_COLOR leave the present ones. Slots outside 1..4 and slot 3 are ignored.
void ShowMessageSlot(MessageSlots& messageSlots, int32_t tickCount, int slot, const char* text, int durationMs,
    int32_t fontColor, int32_t color, int priority);

// Hides every slot whose time ran out before `tickCount`.
void ExpireMessageSlots(MessageSlots& messageSlots, int32_t tickCount);

// Drops the slots' copies of their texts (at shutdown).
void FreeMessageSlotTexts(MessageSlots& messageSlots);

// The build date "yyyy_mm_dd" from a compile date in the form "Dec  1 2019".
std::string BuildDateText(std::string_view compileDate);

// "yyyy_mm_dd" of a file time in 100 ns units since 1601-01-01, taken as it
// stands (no time zone).
std::string FileTimeDateText(uint64_t fileTime);

// The newest preset date: the greatest date text of the entries of the preset
// folder, or empty when there is none.
std::string NewestPresetDate(const std::vector<uint64_t>& entryTimes);

// "Zeperon_12   RSKEY=308   COMPILE=<build date>", then "   NEW=<date>" when
// a preset date is known: the program identity text.
std::string FormatTitleText(std::string_view buildDate, std::string_view newestPresetDate);

// The texts of the unit that the connection status shows.
struct UnitStatusFields {
    std::string_view name;
    std::string_view firmwareDate;
    std::string_view firmwareTime;
    std::string_view hardware;
    std::string_view serialNumber;
    std::string_view lastUpdate;
};

constexpr int UNIT_NONE = 0; // no unit
constexpr int UNIT_OTHER_TYPE = 1; // the unit reports another unit type
constexpr int UNIT_THIS_TYPE = 2; // the unit reports 308

// The connection status text for a UnitTypeStatus.
std::string FormatStatusText(int unitTypeStatus, const UnitStatusFields& unit);

// The main window's caption: two blanks, "Zeperon_12", seven blanks, the file
// name when the edited image equals that file, and the release notice while
// the link is released.
QString MainCaptionText(const QString& fileName, bool pcEqualsFile, bool linkEnabled);
