#include "texts/statustexts.h"

#include "image/rsimage.h"
#include "platform/cp1250.h"
#include "texts/langtext.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr const char* PROGRAM_NAME = "Zeperon_12";
constexpr const char* RELEASED_TEXT
    = "###(Disconnected by bootloader)##(Von Bootloader getrennt)##(Dočasně odpojeno bootloaderem)";
// Slot durations are counted in ticks of 50 ms, like TMR.
constexpr int SLOT_TICK_MS = 50;

bool SlotUsable(const MessageSlots& messageSlots, int slot)
{
    return slot >= 1 && slot < MESSAGE_SLOT_COUNT && messageSlots[size_t(slot)].control;
}

void HideSlot(MessageSlot& s)
{
    s.control->SetVisible(false);
    if (s.companion)
        s.companion->SetVisible(false);
}

std::string DateText(int year, int month, int day)
{
    char text[48];
    std::snprintf(text, sizeof text, "%i_%02i_%02i", year, month, day);
    return text;
}

// The decimal number at `pos` after optional blanks, 0 when there is none.
int NumberAt(std::string_view text, size_t pos)
{
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    int value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && value < 100000; ++pos)
        value = value * 10 + (text[pos] - '0');
    return value;
}

} // namespace

void InitMessageSlots(MessageSlots& messageSlots, SlotLabel* connection, SlotLabel* result,
    VisibleControl* progressGauge, SlotLabel* congruence)
{
    messageSlots = MessageSlots {};
    messageSlots[SLOT_CONNECTION].control = connection;
    messageSlots[SLOT_RESULT].control = result;
    messageSlots[SLOT_RESULT].companion = progressGauge;
    messageSlots[SLOT_CONGRUENCE].control = congruence;
    for (MessageSlot& s : messageSlots)
        if (s.control)
            s.control->SetVisible(false);
}

void ShowMessageSlot(MessageSlots& messageSlots, int32_t tickCount, int slot, const char* text, int durationMs,
    int32_t fontColor, int32_t color, int priority)
{
    if (!SlotUsable(messageSlots, slot))
        return;
    MessageSlot& s = messageSlots[size_t(slot)];
    const int shownPriority = s.hasText && s.control->Visible() ? s.priority : -1;
    if (priority >= 0 && priority < shownPriority)
        return;
    s.priority = priority;
    s.text.clear();
    s.hasText = false;
    if (!text) {
        HideSlot(s);
        return;
    }
    s.control->SetVisible(true);
    s.text = text;
    s.hasText = true;
    s.control->SetCaption(SelectLangText(s.text.c_str(), -1));
    if (fontColor != KEEP_COLOR)
        s.control->SetFontColor(fontColor);
    if (color != KEEP_COLOR)
        s.control->SetColor(color);
    if (durationMs > 0)
        s.expiry = int32_t(uint32_t(tickCount) + uint32_t(durationMs / SLOT_TICK_MS));
    else if (durationMs < 0)
        s.expiry = -1;
}

void ExpireMessageSlots(MessageSlots& messageSlots, int32_t tickCount)
{
    for (MessageSlot& s : messageSlots) {
        if (s.control && s.expiry > 0 && s.expiry < tickCount) {
            s.expiry = 0;
            HideSlot(s);
        }
    }
}

void FreeMessageSlotTexts(MessageSlots& messageSlots)
{
    for (MessageSlot& s : messageSlots) {
        s.text = std::string();
        s.hasText = false;
    }
}

std::string BuildDateText(std::string_view compileDate)
{
    static constexpr const char* MONTHS[]
        = { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
    int month = 0;
    for (int m = 0; m < 12 && month == 0; ++m)
        if (compileDate.find(MONTHS[m]) != std::string_view::npos)
            month = m + 1;
    const int day = NumberAt(compileDate, 4);
    // The year stands one blank after the day, whose width decides where.
    const int year = NumberAt(compileDate, day <= 9 ? 6 : 7);
    return DateText(year, month, day);
}

std::string FileTimeDateText(uint64_t fileTime)
{
    constexpr uint64_t TICKS_PER_DAY = 864000000000ULL;
    // Days since 0000-03-01 in the proleptic Gregorian calendar; 1601-01-01 is
    // day 584694 of that count.
    const int64_t days = int64_t(fileTime / TICKS_PER_DAY) + 584694;
    const int64_t era = days / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = int(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = int(mp < 10 ? mp + 3 : mp - 9);
    const int year = int(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return DateText(year, month, day);
}

std::string NewestPresetDate(const std::vector<uint64_t>& entryTimes)
{
    std::string newest;
    for (uint64_t t : entryTimes)
        newest = std::max(newest, FileTimeDateText(t));
    return newest;
}

std::string FormatTitleText(std::string_view buildDate, std::string_view newestPresetDate)
{
    std::string text = std::string(PROGRAM_NAME) + "   RSKEY=" + std::to_string(RSKEY) + "   COMPILE=";
    text.append(buildDate);
    if (!newestPresetDate.empty())
        text.append("   NEW=").append(newestPresetDate);
    return text;
}

std::string FormatStatusText(int unitTypeStatus, const UnitStatusFields& unit)
{
    if (unitTypeStatus == UNIT_NONE)
        return "not connected";
    if (unitTypeStatus != UNIT_THIS_TYPE)
        return std::string();
    std::string text;
    if (unit.hardware.empty()) {
        for (std::string_view part : { unit.name, unit.firmwareDate, unit.firmwareTime })
            text.append(part).append("   ");
    } else {
        text.append(unit.hardware).append("   RSKEY=").append(std::to_string(RSKEY)).append("   (");
        text.append(unit.serialNumber).append(")   ").append(unit.lastUpdate);
    }
    return text;
}

QString MainCaptionText(const QString& fileName, bool pcEqualsFile, bool linkEnabled)
{
    QString caption = QStringLiteral("  ") + QString::fromLatin1(PROGRAM_NAME) + QStringLiteral("       ");
    const bool withFile = pcEqualsFile && !fileName.isEmpty();
    if (withFile)
        caption += fileName;
    if (!linkEnabled) {
        if (withFile)
            caption += QStringLiteral("   ");
        caption += QStringFromCp1250(SelectLangText(RELEASED_TEXT, -1));
    }
    return caption;
}
