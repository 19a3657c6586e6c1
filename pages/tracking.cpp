// The Tracking page's layout, cells and maps. Retard cells are shown as
// negative degrees and kept positive in the image; the track-control bytes
// are read signed. The acceleration maps keep the mean of their cells beside
// them, and a map the unit never had (first breakpoint 0) is rebuilt from
// that mean on load.
#include "pages/tracking.h"

#include "app/binding.h"
#include "app/editpath.h"
#include "app/main.h"
#include "app/maptables.h"
#include "mapedit/tab.h"
#include "pages/pagelayout.h"
#include "pages/pages.h"
#include "pages/sensors.h"
#include "texts/langtext.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

using namespace tracking_cells;

namespace {

using C = TrackingPageControls;
using Row = PageLayoutRow<C>;
using enum PageControlKind;

constexpr int PAIR = 40; // edit width of most pairs; their labels stand 60 px right
constexpr int NARROW = 35; // the narrow pairs' labels stand 55 px right

// The controls above and inside "Acceleration limiters" up to its map, in
// the order they are built.
// clang-format off
constexpr Row LAYOUT_BEFORE_MAP[] = {
    { .kind = CheckBox, .field = &C::CheckBoxLaunchEnable, .x = 20, .y = 30, .width = 170, .caption = "Launch enable",
        .name = "CheckBoxLaunchEnable" },
    { .kind = CheckBox, .field = &C::CheckBoxTrackEnable, .x = 220, .y = 30, .width = 150, .caption = "Track enabled",
        .name = "CheckBoxTrackEnable" },
    { .kind = EditUpDown, .field = &C::UpDownLaunchMinAdv, .edit = &C::EditLaunchMinAdv, .x = 500, .y = 53,
        .width = NARROW, .min = -60, .max = 60, .name = "UpDownLaunchMinAdv", .editName = "EditLaunchMinAdv" },
    { .kind = Label, .field = &C::LabelLaunchMinAdv, .x = 555, .y = 57, .caption = "Min advance",
        .name = "LabelLaunchMinAdv" },

    { .kind = GroupBox, .field = &C::GroupBoxStartLimiters, .x = 20, .y = 48, .width = 470, .height = 80,
        .caption = "Start limiters", .name = "GroupBoxStartLimiters" },
    { .kind = EditUpDown, .field = &C::UpDownStartIgnLimiter, .edit = &C::EditStartIgnLimiter, .x = 10, .y = 23,
        .width = PAIR, .min = 100, .max = 25000, .name = "UpDownStartIgnLimiter", .editName = "EditStartIgnLimiter",
        .parent = &C::GroupBoxStartLimiters, .step = 100 },
    { .kind = Label, .field = &C::LabelStartIgnLimiter, .x = 70, .y = 27, .caption = "Start ignition limiter",
        .name = "LabelStartIgnLimiter", .parent = &C::GroupBoxStartLimiters },
    { .kind = EditUpDown, .field = &C::UpDownStartRetardLimiter, .edit = &C::EditStartRetardLimiter, .x = 10, .y = 48,
        .width = PAIR, .min = 100, .max = 25000, .name = "UpDownStartRetardLimiter",
        .editName = "EditStartRetardLimiter", .parent = &C::GroupBoxStartLimiters, .step = 100 },
    { .kind = Label, .field = &C::LabelStartRetardLimiter, .x = 70, .y = 52, .caption = "Start retard limiter",
        .name = "LabelStartRetardLimiter", .parent = &C::GroupBoxStartLimiters },
    { .kind = EditUpDown, .field = &C::UpDownStartLimiterDelay, .edit = &C::EditStartLimiterDelay, .x = 240, .y = 23,
        .width = NARROW, .min = 0, .max = 25000, .name = "UpDownStartLimiterDelay",
        .editName = "EditStartLimiterDelay", .parent = &C::GroupBoxStartLimiters, .step = 100 },
    { .kind = Label, .field = &C::LabelStartLimiterDelay, .x = 295, .y = 27, .caption = "Star limiter delay [ms]",
        .name = "LabelStartLimiterDelay", .parent = &C::GroupBoxStartLimiters },
    { .kind = EditUpDown, .field = &C::UpDownLaunchMaxSpeed, .edit = &C::EditLaunchMaxSpeed, .x = 240, .y = 48,
        .width = NARROW, .min = 0, .max = 100, .name = "UpDownLaunchMaxSpeed", .editName = "EditLaunchMaxSpeed",
        .parent = &C::GroupBoxStartLimiters },
    { .kind = Label, .field = &C::LabelLaunchMaxSpeed, .x = 295, .y = 52, .caption = "Max Speed [km/h]",
        .name = "LabelLaunchMaxSpeed", .parent = &C::GroupBoxStartLimiters },

    { .kind = GroupBox, .field = &C::GroupBoxAccLimiters, .x = 20, .y = 130, .width = 720, .height = 270,
        .caption = "Acceleration limiters", .name = "GroupBoxAccLimiters" },
    { .kind = RadioGroup, .field = &C::RadioGroupSpeedSource, .x = 10, .y = 15, .width = 190, .height = 48,
        .caption = "Speed source method", .items = "Engine speed - RPM,Rear wheel speed - km/h",
        .name = "RadioGroupSpeedSource", .parent = &C::GroupBoxAccLimiters },
    { .kind = Label, .field = &C::LabelAccLimits, .x = 10, .y = 67, .caption = "Limit conditions:",
        .name = "LabelAccLimits", .parent = &C::GroupBoxAccLimiters },
    { .kind = EditUpDown, .field = &C::UpDownAccTpsMin, .edit = &C::EditAccTpsMin, .x = 30, .y = 83, .width = PAIR,
        .min = 0, .max = 100, .name = "UpDownAccTpsMin", .editName = "EditAccTpsMin",
        .parent = &C::GroupBoxAccLimiters },
    { .kind = Label, .field = &C::LabelAccTpsMin, .x = 90, .y = 87, .caption = "TP min [%]", .name = "LabelAccTpsMin",
        .parent = &C::GroupBoxAccLimiters },
    { .kind = EditUpDown, .field = &C::UpDownAccTpsMax, .edit = &C::EditAccTpsMax, .x = 30, .y = 106, .width = PAIR,
        .min = 0, .max = 100, .name = "UpDownAccTpsMax", .editName = "EditAccTpsMax",
        .parent = &C::GroupBoxAccLimiters },
    { .kind = Label, .field = &C::LabelAccTpsMax, .x = 90, .y = 110, .caption = "TP max [%]", .name = "LabelAccTpsMax",
        .parent = &C::GroupBoxAccLimiters },
    { .kind = EditUpDown, .field = &C::UpDownAccMinSpeed, .edit = &C::EditAccMinSpeed, .x = 30, .y = 129,
        .width = PAIR, .min = 0, .max = 25000, .name = "UpDownAccMinSpeed", .editName = "EditAccMinSpeed",
        .parent = &C::GroupBoxAccLimiters, .step = 100 },
    { .kind = Label, .field = &C::LabelAccMinSpeed, .x = 90, .y = 133, .caption = "RPM min",
        .name = "LabelAccMinSpeed", .parent = &C::GroupBoxAccLimiters },

    { .kind = GroupBox, .field = &C::GroupBoxTrackFilter, .x = 10, .y = 154, .width = 190, .height = 100,
        .caption = "Filtration", .name = "GroupBoxTrackFilter", .parent = &C::GroupBoxAccLimiters },
    { .kind = EditUpDown, .field = &C::UpDownTrackSections, .edit = &C::EditTrackSections, .x = 20, .y = 23,
        .width = PAIR, .min = 0, .max = 250, .name = "UpDownTrackSections", .editName = "EditTrackSections",
        .parent = &C::GroupBoxTrackFilter },
    { .kind = Label, .field = &C::LabelTrackSections, .x = 80, .y = 27, .caption = "Sections",
        .name = "LabelTrackSections", .parent = &C::GroupBoxTrackFilter },
    { .kind = EditUpDown, .field = &C::UpDownTrackOverlap, .edit = &C::EditTrackOverlap, .x = 20, .y = 48,
        .width = PAIR, .min = 0, .max = 250, .name = "UpDownTrackOverlap", .editName = "EditTrackOverlap",
        .parent = &C::GroupBoxTrackFilter },
    { .kind = Label, .field = &C::LabelTrackOverlap, .x = 80, .y = 52, .caption = "Overlap",
        .name = "LabelTrackOverlap", .parent = &C::GroupBoxTrackFilter },
    { .kind = RadioButton, .field = &C::RadioButtonTrackBegin, .x = 10, .y = 75, .width = 90, .height = 20,
        .caption = "Begin", .name = "RadioButtonTrackBegin", .parent = &C::GroupBoxTrackFilter },
    { .kind = RadioButton, .field = &C::RadioButtonTrackEnd, .x = 105, .y = 75, .width = 80, .height = 20,
        .caption = "End", .name = "RadioButtonTrackEnd", .parent = &C::GroupBoxTrackFilter },

    // Under the filtration group, never shown.
    { .kind = Label, .field = &C::LabelAccRetardLimiter, .x = 10, .y = 258, .caption = "Acceleration retard limiter:",
        .name = "LabelAccRetardLimiter", .parent = &C::GroupBoxAccLimiters, .hidden = true },
    { .kind = EditUpDown, .field = &C::UpDownAccTreshold, .edit = &C::EditAccTreshold, .x = 10, .y = 275,
        .width = PAIR, .min = 0, .max = 250, .parent = &C::GroupBoxAccLimiters, .hidden = true },
    { .kind = Label, .field = &C::LabelAccTreshold, .x = 70, .y = 279, .caption = "treshold",
        .parent = &C::GroupBoxAccLimiters, .hidden = true },
    { .kind = EditUpDown, .field = &C::UpDownAccReturnSpeed, .edit = &C::EditAccReturnSpeed, .x = 10, .y = 300,
        .width = PAIR, .min = 0, .max = 250, .parent = &C::GroupBoxAccLimiters, .hidden = true },
    { .kind = Label, .field = &C::LabelAccReturnSpeed, .x = 70, .y = 304, .caption = "Speed of return [°/s]",
        .name = "LabelAccReturnSpeed", .parent = &C::GroupBoxAccLimiters, .hidden = true },
    { .kind = EditUpDown, .field = &C::UpDownAccPropEffect, .edit = &C::EditAccPropEffect, .x = 10, .y = 325,
        .width = PAIR, .min = 0, .max = 250, .parent = &C::GroupBoxAccLimiters, .hidden = true },
    { .kind = Label, .field = &C::LabelAccPropEffect, .x = 70, .y = 329, .caption = "proportional effect",
        .parent = &C::GroupBoxAccLimiters, .hidden = true },
};
// clang-format on

// One start-limiter servo: its group of controls, where the group stands and
// the names of its controls; its switch, threshold (percent or 20 mV steps by
// the servo's unit byte), fuel correction, and its sheet of the servo map.
struct ServoGroup {
    TGroupBox* C::*group;
    TCheckBox* C::*box;
    TUpDown* C::*threshold;
    TEdit* C::*thresholdEdit;
    TLabel* C::*thresholdLabel;
    TUpDown* C::*fuel;
    TEdit* C::*fuelEdit;
    TLabel* C::*fuelLabel;
    struct {
        const char *group, *box, *threshold, *thresholdEdit, *thresholdLabel, *fuel, *fuelEdit, *fuelLabel;
    } names;
    int top, height;
    const char* caption;
    int onCell, thresholdCell, fuelCell, percentCell, servoSheet;
};
// The controls of servo group In or Ex, then their names.
#define START_SERVO_CONTROLS(side)                                                                                     \
    &C::GroupBoxStartServo##side, &C::CheckBoxStartServo##side, &C::UpDownStartServo##side##Threshold,                 \
        &C::EditStartServo##side##Threshold, &C::LabelStartServo##side##Threshold, &C::UpDownStartServo##side##Fuel,   \
        &C::EditStartServo##side##Fuel, &C::LabelStartServo##side##Fuel,                                               \
    {                                                                                                                  \
        "GroupBoxStartServo" #side, "CheckBoxStartServo" #side, "UpDownStartServo" #side "Threshold",                  \
            "EditStartServo" #side "Threshold", "LabelStartServo" #side "Threshold", "UpDownStartServo" #side "Fuel",  \
            "EditStartServo" #side "Fuel", "LabelStartServo" #side "Fuel"                                              \
    }
constexpr ServoGroup SERVO_IN = { START_SERVO_CONTROLS(In), 185, 100, "Start limiter servo In", START_SERVO_IN,
    START_SERVO_IN_THRESHOLD, START_SERVO_IN_FUEL, INTAKE_SERVO_PERCENT, 0 };
constexpr ServoGroup SERVO_EX = { START_SERVO_CONTROLS(Ex), 295, 105, "Start limiter servo Ex", START_SERVO_EX,
    START_SERVO_EX_THRESHOLD, START_SERVO_EX_FUEL, EXHAUST_SERVO_PERCENT, 1 };
#undef START_SERVO_CONTROLS

// A servo's group right of the maps; its threshold label's text follows the
// servo's unit.
constexpr std::array<Row, 6> ServoGroupRows(const ServoGroup& s)
{
    // clang-format off
    return { {
        { .kind = GroupBox, .field = s.group, .x = 755, .y = s.top, .width = 200, .height = s.height,
            .caption = s.caption, .name = s.names.group },
        { .kind = CheckBox, .field = s.box, .x = 10, .y = 20, .width = 100, .caption = "Servo on", .name = s.names.box,
            .parent = s.group },
        { .kind = EditUpDown, .field = s.threshold, .edit = s.thresholdEdit, .x = 10, .y = 43, .width = PAIR, .min = 0,
            .max = 5000, .name = s.names.threshold, .editName = s.names.thresholdEdit, .parent = s.group, .step = 20 },
        { .kind = Label, .field = s.thresholdLabel, .x = 70, .y = 47, .name = s.names.thresholdLabel,
            .parent = s.group },
        { .kind = EditUpDown, .field = s.fuel, .edit = s.fuelEdit, .x = 10, .y = 68, .width = PAIR, .min = 0,
            .max = 250, .name = s.names.fuel, .editName = s.names.fuelEdit, .parent = s.group },
        { .kind = Label, .field = s.fuelLabel, .x = 70, .y = 72, .caption = "Fuel correction",
            .name = s.names.fuelLabel, .parent = s.group },
    } };
    // clang-format on
}
constexpr std::array<Row, 6> SERVO_IN_ROWS = ServoGroupRows(SERVO_IN);
constexpr std::array<Row, 6> SERVO_EX_ROWS = ServoGroupRows(SERVO_EX);

// The limits of track control and the live status, after the servo groups.
// clang-format off
constexpr Row LAYOUT_AFTER_MAP[] = {
    { .kind = GroupBox, .field = &C::GroupBoxTrackLimits, .x = 20, .y = 265, .width = 280, .height = 125,
        .caption = "Limits", .name = "GroupBoxTrackLimits" },
    { .kind = EditUpDown, .field = &C::UpDownTrackMinRpm, .edit = &C::EditTrackMinRpm, .x = 30, .y = 18,
        .width = PAIR, .min = 0, .max = 25000, .name = "UpDownTrackMinRpm", .editName = "EditTrackMinRpm",
        .parent = &C::GroupBoxTrackLimits, .step = 100 },
    { .kind = Label, .field = &C::LabelTrackMinRpm, .x = 90, .y = 22, .caption = "Min Rpm", .name = "LabelTrackMinRpm",
        .parent = &C::GroupBoxTrackLimits },
    { .kind = EditUpDown, .field = &C::UpDownTrackMinAdv, .edit = &C::EditTrackMinAdv, .x = 30, .y = 43,
        .width = PAIR, .min = -60, .max = 60, .name = "UpDownTrackMinAdv", .editName = "EditTrackMinAdv",
        .parent = &C::GroupBoxTrackLimits },
    { .kind = Label, .field = &C::LabelTrackMinAdv, .x = 90, .y = 47, .caption = "Min Adv", .name = "LabelTrackMinAdv",
        .parent = &C::GroupBoxTrackLimits },
    { .kind = EditUpDown, .field = &C::UpDownTrackMinTps, .edit = &C::EditTrackMinTps, .x = 30, .y = 68,
        .width = PAIR, .min = 0, .max = 100, .name = "UpDownTrackMinTps", .editName = "EditTrackMinTps",
        .parent = &C::GroupBoxTrackLimits },
    { .kind = Label, .field = &C::LabelTrackMinTps, .x = 90, .y = 72, .caption = "Min TP [%]",
        .name = "LabelTrackMinTps", .parent = &C::GroupBoxTrackLimits },
    { .kind = EditUpDown, .field = &C::UpDownTrackMinSpeed, .edit = &C::EditTrackMinSpeed, .x = 30, .y = 93,
        .width = PAIR, .min = 0, .max = 250, .name = "UpDownTrackMinSpeed", .editName = "EditTrackMinSpeed",
        .parent = &C::GroupBoxTrackLimits },
    { .kind = Label, .field = &C::LabelTrackMinSpeed, .x = 90, .y = 97, .caption = "Min Speed [km/h]",
        .name = "LabelTrackMinSpeed", .parent = &C::GroupBoxTrackLimits },

    { .kind = Label, .field = &C::LabelTrackSpeedFront, .x = 755, .y = 26, .caption = "__Speed F = xxx",
        .name = "LabelTrackSpeedFront" },
    { .kind = Label, .field = &C::LabelTrackSpeedRear, .x = 755, .y = 46, .caption = "__Speed R = xxx",
        .name = "LabelTrackSpeedRear" },
    { .kind = Label, .field = &C::LabelLaunchAccel, .x = 755, .y = 66, .caption = "__Launch acc = xxx",
        .name = "LabelLaunchAccel" },
    { .kind = Label, .field = &C::LabelLaunchRetard, .x = 755, .y = 86, .caption = "__Launch retard = xxx",
        .name = "LabelLaunchRetard" },
    { .kind = Label, .field = &C::LabelTrackSlip, .x = 755, .y = 106, .caption = "__Slip = xxx",
        .name = "LabelTrackSlip" },
    { .kind = Label, .field = &C::LabelTrackRetard, .x = 755, .y = 126, .caption = "__Track retard = xxx",
        .name = "LabelTrackRetard" },
};
// clang-format on

constexpr TLabel* C::*STATUS_LABELS[] = { &C::LabelTrackSpeedFront, &C::LabelTrackSpeedRear, &C::LabelLaunchAccel,
    &C::LabelLaunchRetard, &C::LabelTrackSlip, &C::LabelTrackRetard };

// Pairs whose scale never changes: the up-down, its cell, the divisor from
// the shown value to the byte and the byte's bias.
struct PairCell {
    TUpDown* C::*upDown;
    int index;
    int scale;
    int bias;
};
constexpr PairCell LAUNCH_PAIRS[] = {
    { &C::UpDownLaunchMinAdv, LAUNCH_MIN_ADVANCE, 1, -100 },
    { &C::UpDownLaunchMaxSpeed, LAUNCH_MAX_SPEED, 1, 0 },
    { &C::UpDownStartLimiterDelay, START_LIMITER_DELAY, 100, 0 },
    { &C::UpDownStartIgnLimiter, START_IGN_LIMITER, 100, 0 },
    { &C::UpDownStartRetardLimiter, START_RETARD_LIMITER, 100, 0 },
};
constexpr PairCell FILTER_PAIRS[] = {
    { &C::UpDownTrackSections, TRACK_FILTER_SECTIONS, 1, 0 },
    { &C::UpDownTrackOverlap, TRACK_FILTER_OVERLAP, 1, 0 },
};
constexpr PairCell THROTTLE_PAIRS[] = {
    { &C::UpDownAccTpsMax, ACC_TP_MAX, 1, 0 },
    { &C::UpDownAccTpsMin, ACC_TP_MIN, 1, 0 },
};
constexpr PairCell LIMIT_PAIRS[] = {
    { &C::UpDownTrackMinRpm, TRACK_MIN_RPM, 100, 0 },
    { &C::UpDownTrackMinAdv, TRACK_MIN_ADVANCE, 1, -100 },
    { &C::UpDownTrackMinTps, TRACK_MIN_TP, 1, 0 },
    { &C::UpDownTrackMinSpeed, TRACK_MIN_SPEED, 1, 0 },
};

constexpr TColor TRACKING_COLOUR = 0xFCE2F4;
constexpr TColor ACCELERATION_COLOUR = 0xFFFFFF;
constexpr uint32_t SHEET_LIVE_AND_LAST = SHEET_LIVE_MARKER | SHEET_SKIP_LAST_SEGMENT;
constexpr int HEADER_GRAPH_GROUP = 256;

constexpr TickRecord TICKS_TIME[] = { { 5, 1, 1, 1, 1 }, {} };
constexpr TickRecord TICKS_RETARD[] = { { 10, 5, 1, 1, 2 }, { 30, 5, 5, 5, 5 }, {} };
constexpr TickRecord TICKS_SLIP[] = {
    { 10, 5, 1, 1, 2 },
    { 30, 5, 5, 5, 5 },
    { 100, 20, 10, 5, 20 },
    { 500, 100, 50, 25, 100 },
    {},
};
constexpr TickRecord TICKS_RPM[] = {
    { 4000, 2000, 1000, 200, 1000 },
    { 10000, 2000, 1000, 500, 1000 },
    { 25000, 2000, 1000, 1000, 2000 },
    {},
};
// The throttle rows of the acceleration maps, never stored.
constexpr int ACC_TP_ROWS[ACC_SIZE] = { 2, 5, 20, 60, 100 };

struct AccelerationSheet {
    const char* caption;
    const char* valueLabel;
    const char* key;
    const char* unit;
    double scale;
};
constexpr AccelerationSheet ACC_SHEETS[] = {
    { "###Acceleration treshold####Akcelerační práh", "AccTr", "###Acceleration treshold####Akcelerační práh", "rpm/s",
        100.0 },
    { "###Speed of return####Rychlost návratu", "###Return####Návrat", "###Speed of return####Rychlost návratu", "°/s",
        1.0 },
    { "###Proportional effect####Proporc. vlivnost", "Effect", "Effect", "°/1000 rpm/s", 0.1 },
};

int32_t& CellOf(CSheet& sheet, int column, int row)
{
    return sheet.V.Values[row * TAB_MAX_COLS + column];
}

template <size_t N> void SetText(char (&field)[N], const char* text)
{
    std::snprintf(field, N, "%s", text);
}

void ShowAll(std::initializer_list<TControl*> controls, bool shown)
{
    for (TControl* c : controls)
        if (c)
            c->SetVisible(shown);
}

void LoadPairs(TMainForm* form, std::span<const PairCell> pairs)
{
    for (const PairCell& p : pairs)
        SetUpDownFromByte(form, form->Tracking.*p.upDown, 0, p.index, p.scale, p.bias);
}

void StorePairs(TMainForm* form, std::span<const PairCell> pairs)
{
    for (const PairCell& p : pairs)
        StoreUpDownToByte(form, form->Tracking.*p.upDown, 0, p.index, p.scale, p.bias);
}

int ThresholdScale(const RsImage& image, const ServoGroup& g)
{
    return image.b[size_t(g.percentCell)] ? 1 : 20;
}

// The afterstart curves: 15 time breakpoints and 15 values over one row.
TTab* CreateAfterstartTable(TMainForm* form, TTabSheet* page, int id, int top, const char* caption,
    const char* valueLabel, const char* key, const char* unit, int min, int max, double scale, const TickRecord* ticks)
{
    TTab* table = CreateMapTable(
        form->Maps, id, page->ClientWidth(), 200, TABSTYLE_CAPTION | TABSTYLE_TABLE | TABSTYLE_TOOLBAR, page);
    if (!table)
        return nullptr;
    table->move(0, top);
    table->RowSlots = 5;
    const int s = table->AddSheet(caption, "Time", "", valueLabel, AFTERSTART_POINTS, 1, SHEET_LIVE_AND_LAST);
    table->DefineAxes(s, 1, "Time", "", 0, 250, 0.02, 1, TICKS_TIME, 1, 1, 1, AFTERSTART_POINTS, 0, 0, 1, -1, 0,
        TRACKING_COLOUR, nullptr);
    table->DefineAxes(s, 2, "no", "", 0, 100, 1.0, 1, nullptr, 0, 0, 1, 1, 2, 1, 0, -2, 0, TRACKING_COLOUR, nullptr);
    table->DefineAxes(s, 4, key, unit, min, max, scale, 1, ticks, 1, 2, 0, 0, 0, 0, 0, 0, 0, TRACKING_COLOUR, nullptr);
    table->Sheets[s].V.IsBreakpointAxis = 1;
    return table;
}

void CreateTables(TMainForm* form, TTabSheet* page)
{
    C& p = form->Tracking;
    const int w = page->ClientWidth();
    p.TrackingHeaderBar = CreateMapTable(form->Maps, 20, w, 21, TABSTYLE_TOOLBAR | TABSTYLE_BARE_TABS, page);
    if (TTab* bar = p.TrackingHeaderBar) {
        bar->move(0, 4);
        for (const char* caption : { "Launch control - misc.", "Afterstart limiters", "Tracking" }) {
            const int s = bar->AddSheet(caption, "", "", "", 1, 1, 0);
            bar->DefineAxes(s, 1 | 2, "", "", 0, 100, 1.0, 1, nullptr, 0, 0, 0, 0, 0, 0, 0, 0, HEADER_GRAPH_GROUP,
                ACCELERATION_COLOUR, nullptr);
            bar->DefineAxes(s, 4, "", "", 0, 100, 1.0, 1, nullptr, 1, 0, 0, 0, 0, 0, 0, 0, HEADER_GRAPH_GROUP,
                ACCELERATION_COLOUR, nullptr);
        }
    }
    p.AfterstartRetardTable = CreateAfterstartTable(
        form, page, 21, 26, "Afterstart retard", "Retard", "Retard", "°", -50, 0, 1.0, TICKS_RETARD);
    p.AfterstartLimiterTable
        = CreateAfterstartTable(form, page, 22, 222, "Afterstart limiter", "RPM", "RPM", "", 3, 250, 100.0, TICKS_RPM);
    p.TrackControlTable = CreateMapTable(form->Maps, 23, int(std::lround(0.6 * w)), 220,
        TABSTYLE_CAPTION | TABSTYLE_3D | TABSTYLE_2D | TABSTYLE_TABLE | TABSTYLE_TOOLBAR, page);
    form->Maps.TrackTable = p.TrackControlTable;
    if (TTab* t = p.TrackControlTable) {
        t->move(0, 52);
        t->ColumnSlots = TRACK_COLUMNS;
        t->RowSlots = TRACK_ROWS;
        const int s
            = t->AddSheet("Track controll", "Slip", "TP", "Retard", TRACK_COLUMNS, TRACK_ROWS, SHEET_LIVE_AND_LAST);
        t->DefineAxes(s, 1, "Slip", "%", 0, 100, 1.0, 1, TICKS_SLIP, 1, 1, 1, TRACK_COLUMNS, 0, 0, 0, -1, 0,
            TRACKING_COLOUR, nullptr);
        t->DefineAxes(
            s, 2, "TP", "%", 0, 100, 1.0, 1, nullptr, 1, 0, 1, TRACK_ROWS, 0, 0, 0, -2, 0, TRACKING_COLOUR, nullptr);
        t->DefineAxes(
            s, 4, "Retard", "°", -50, 0, 1.0, 1, TICKS_RETARD, 1, 2, 0, 0, 0, 0, 0, 0, 0, TRACKING_COLOUR, nullptr);
        t->Sheets[s].V.IsBreakpointAxis = 1;
    }
}

void CreateAccelerationTable(TMainForm* form)
{
    C& p = form->Tracking;
    p.AccelerationTable = CreateMapTable(form->Maps, 24, 500, 237,
        TABSTYLE_3D | TABSTYLE_2D | TABSTYLE_TABLE | TABSTYLE_TOOLBAR, dynamic_cast<QWidget*>(p.GroupBoxAccLimiters));
    TTab* t = p.AccelerationTable;
    if (!t)
        return;
    t->move(205, 20);
    t->ColumnSlots = ACC_SIZE;
    t->RowSlots = ACC_SIZE;
    for (const AccelerationSheet& a : ACC_SHEETS) {
        const int s
            = t->AddSheet(a.caption, "RPM", "TP", a.valueLabel, ACC_SIZE, ACC_SIZE, SHEET_LIVE_MARKER | SHEET_BIG_UNIT);
        t->DefineAxes(s, 1, "RPM", "", 3, 250, 100.0, 1, TICKS_RPM, 1, 1, 1, ACC_SIZE, 0, 0, 0, -1, 0,
            ACCELERATION_COLOUR, nullptr);
        t->DefineAxes(
            s, 2, "TP", "%", 0, 100, 1.0, 1, nullptr, 0, 0, 1, ACC_SIZE, 0, 0, 0, -2, 0, ACCELERATION_COLOUR, nullptr);
        t->DefineAxes(s, 4, a.key, a.unit, 0, 250, a.scale, 1, TICKS_RPM, 1, 2, 0, 0, 0, 0, 0, 0, 0,
            ACCELERATION_COLOUR, nullptr);
        for (int r = 0; r < ACC_SIZE; ++r)
            t->Sheets[s].Y.Values[r] = ACC_TP_ROWS[r];
    }
}

// Units of the threshold and proportional-effect maps by the speed source;
// a source other than 0 and 1 leaves them as they are.
void SetAccelerationUnits(TMainForm* form, int source)
{
    TTab* t = form->Tracking.AccelerationTable;
    if (!t || (source != 0 && source != 1))
        return;
    CAxe& threshold = t->Sheets[0].V;
    SetText(threshold.Unit, source == 0 ? "rpm/s" : "km/h/s");
    threshold.Scale = source == 0 ? 100.0 : 1.0;
    CAxe& effect = t->Sheets[2].V;
    SetText(effect.Unit, source == 0 ? "°/1000 rpm/s" : "°/km/h/s");
    const double from = source == 0 ? 0.01 : 0.1;
    const double to = source == 0 ? 0.1 : 0.01;
    if (std::abs(effect.Scale - from) < 1e-9) {
        effect.Scale = to;
        effect.Max = 250;
        t->UpdateToolbar();
        t->RedrawBits |= REDRAW_VALUES;
        SyncMapTables(form->Maps);
    }
}

// The three maps from the image; a map whose first breakpoint is 0 was never
// set and is rebuilt from its mean byte, in the image and in the table.
void LoadAccelerationMaps(TMainForm* form)
{
    TTab* t = form->Tracking.AccelerationTable;
    if (!t)
        return;
    RsImage& image = form->PcImage;
    for (int s = 0; s < 3; ++s) {
        const AccelerationMapCells& m = ACCELERATION_MAPS[s];
        if (image.b[size_t(m.x)] == 0) {
            for (int i = 0; i < ACC_SIZE; ++i)
                image.b[size_t(m.x + i)] = uint8_t(ACCELERATION_DEFAULT_RPM[i] / 100);
            std::fill_n(&image.b[size_t(m.cells)], ACC_SIZE * ACC_SIZE, image.b[size_t(m.mean)]);
        }
        CSheet& sheet = t->Sheets[s];
        for (int i = 0; i < ACC_SIZE; ++i)
            sheet.X.Values[i] = image.b[size_t(m.x + i)];
        for (int r = 0; r < ACC_SIZE; ++r)
            for (int c = 0; c < ACC_SIZE; ++c)
                CellOf(sheet, c, r) = image.b[size_t(m.cells + ACC_SIZE * r + c)];
    }
    t->RedrawBits |= REDRAW_VALUES;
}

void StoreAccelerationMaps(TMainForm* form)
{
    TTab* t = form->Tracking.AccelerationTable;
    if (!t)
        return;
    RsImage& image = form->PcImage;
    for (int s = 0; s < 3; ++s) {
        const AccelerationMapCells& m = ACCELERATION_MAPS[s];
        CSheet& sheet = t->Sheets[s];
        for (int i = 0; i < ACC_SIZE; ++i)
            image.b[size_t(m.x + i)] = uint8_t(sheet.X.Values[i]);
        int sum = 0;
        for (int r = 0; r < ACC_SIZE; ++r)
            for (int c = 0; c < ACC_SIZE; ++c) {
                const int32_t cell = CellOf(sheet, c, r);
                image.b[size_t(m.cells + ACC_SIZE * r + c)] = uint8_t(cell);
                sum += cell;
            }
        image.b[size_t(m.mean)] = uint8_t(sum / (ACC_SIZE * ACC_SIZE));
    }
}

struct AfterstartCells {
    TTab* C::*table;
    int count, times, values, sign;
};
constexpr AfterstartCells AFTERSTART[] = {
    { &C::AfterstartRetardTable, RETARD_COUNT, RETARD_TIMES, RETARD_VALUES, -1 },
    { &C::AfterstartLimiterTable, LIMITER_COUNT, LIMITER_TIMES, LIMITER_VALUES, 1 },
};

void LoadAfterstartTables(TMainForm* form)
{
    RsImage& image = form->PcImage;
    for (const AfterstartCells& a : AFTERSTART) {
        uint8_t& count = image.b[size_t(a.count)];
        count = uint8_t(std::clamp(int(count), 1, AFTERSTART_POINTS));
        TTab* t = form->Tracking.*a.table;
        if (!t)
            continue;
        CSheet& sheet = t->Sheets[0];
        for (int i = 0; i < AFTERSTART_POINTS; ++i) {
            sheet.X.Values[i] = image.b[size_t(a.times + i)];
            CellOf(sheet, i, 0) = a.sign * image.b[size_t(a.values + i)];
        }
        if (sheet.X.Count != count) {
            sheet.X.Count = count;
            t->UpdateToolbar();
            t->RedrawBits |= REDRAW_VALUES;
        }
    }
}

void StoreAfterstartTables(TMainForm* form)
{
    RsImage& image = form->PcImage;
    for (const AfterstartCells& a : AFTERSTART) {
        TTab* t = form->Tracking.*a.table;
        if (!t)
            continue;
        CSheet& sheet = t->Sheets[0];
        for (int i = 0; i < AFTERSTART_POINTS; ++i) {
            image.b[size_t(a.times + i)] = uint8_t(sheet.X.Values[i]);
            image.b[size_t(a.values + i)] = uint8_t(a.sign * CellOf(sheet, i, 0));
        }
        image.b[size_t(a.count)] = uint8_t(std::clamp(sheet.X.Count, 1, AFTERSTART_POINTS));
    }
}

void LoadTrackControl(TMainForm* form)
{
    TTab* t = form->Tracking.TrackControlTable;
    if (!t)
        return;
    const RsImage& image = form->PcImage;
    CSheet& sheet = *t->Sheet;
    for (int i = 0; i < TRACK_COLUMNS; ++i)
        sheet.X.Values[i] = image.b[size_t(TRACK_SLIP + i)];
    for (int j = 0; j < TRACK_ROWS; ++j)
        sheet.Y.Values[j] = image.Word(TRACK_TP_WORD + j);
    for (int r = 0; r < TRACK_ROWS; ++r)
        for (int c = 0; c < TRACK_COLUMNS; ++c)
            CellOf(sheet, c, r) = -int(int8_t(image.b[size_t(TRACK_RETARD + TRACK_COLUMNS * r + c)]));
}

void StoreTrackControl(TMainForm* form)
{
    TTab* t = form->Tracking.TrackControlTable;
    if (!t)
        return;
    RsImage& image = form->PcImage;
    CSheet& sheet = t->Sheets[0];
    for (int i = 0; i < TRACK_COLUMNS; ++i)
        image.b[size_t(TRACK_SLIP + i)] = uint8_t(sheet.X.Values[i]);
    for (int j = 0; j < TRACK_ROWS; ++j)
        image.SetWord(TRACK_TP_WORD + j, uint16_t(sheet.Y.Values[j]));
    for (int r = 0; r < TRACK_ROWS; ++r)
        for (int c = 0; c < TRACK_COLUMNS; ++c)
            image.b[size_t(TRACK_RETARD + TRACK_COLUMNS * r + c)] = uint8_t(-CellOf(sheet, c, r));
}

void LoadServoGroup(TMainForm* form, const ServoGroup& g)
{
    C& p = form->Tracking;
    SetUpDownFromByte(form, p.*g.threshold, 0, g.thresholdCell, ThresholdScale(form->PcImage, g), 0);
    SetUpDownFromByte(form, p.*g.fuel, 0, g.fuelCell, 1, 0);
}

void StoreServoGroup(TMainForm* form, const ServoGroup& g)
{
    C& p = form->Tracking;
    StoreUpDownToByte(form, p.*g.threshold, 0, g.thresholdCell, ThresholdScale(form->PcImage, g), 0);
    StoreUpDownToByte(form, p.*g.fuel, 0, g.fuelCell, 1, 0);
}

// The servo's threshold pair: enabled with its switch, labelled after the
// servo map's value and ranged by the servo's unit.
void UpdateServoGroup(TMainForm* form, const ServoGroup& g)
{
    C& p = form->Tracking;
    const RsImage& image = form->PcImage;
    const bool on = image.b[size_t(g.onCell)] != 0;
    for (TControl* c : { static_cast<TControl*>(p.*g.threshold), static_cast<TControl*>(p.*g.thresholdEdit),
             static_cast<TControl*>(p.*g.fuel), static_cast<TControl*>(p.*g.fuelEdit) })
        c->SetEnabled(on);
    const bool percent = image.b[size_t(g.percentCell)] != 0;
    std::string caption;
    if (const TTab* servo = form->Maps.ServoTable; servo && g.servoSheet < servo->SheetCount)
        caption = SelectLangText(servo->Sheets[g.servoSheet].V.Label);
    caption += percent ? " [%]" : " [mV]";
    (p.*g.thresholdLabel)->SetCaption(std::string_view(caption));
    (p.*g.threshold)->SetMax(percent ? 100 : 5000);
    (p.*g.threshold)->SetIncrement(percent ? 1 : 20);
}

} // namespace

void CreateTrackingPage(TMainForm* form)
{
    C& p = form->Tracking;
    TTabSheet* page = form->PageSheets[PAGE_SLOT_TRACKING];
    if (!page)
        return;
    CreateTables(form, page);
    BuildPageControls<C>(form, p, page, 0, LAYOUT_BEFORE_MAP);
    CreateAccelerationTable(form);
    BuildPageControls<C>(form, p, page, 0, SERVO_IN_ROWS);
    BuildPageControls<C>(form, p, page, 0, SERVO_EX_ROWS);
    BuildPageControls<C>(form, p, page, 0, LAYOUT_AFTER_MAP);
    for (TLabel* C::*field : STATUS_LABELS) {
        TLabel* label = p.*field;
        label->Font()->SetSize(12);
        label->Font()->SetStyle(fsBold);
    }
    p.RadioGroupSpeedSource->OnClick = [form](TObject*) { TrackingSpeedSourceClick(form); };
    LivePageControls& live = form->Monitor.Pages;
    live.LabelLaunchAccel = p.LabelLaunchAccel;
    live.LabelLaunchRetard = p.LabelLaunchRetard;
    live.LabelTrackSpeedFront = p.LabelTrackSpeedFront;
    live.LabelTrackSpeedRear = p.LabelTrackSpeedRear;
    live.LabelSlip = p.LabelTrackSlip;
    live.LabelTrackRetard = p.LabelTrackRetard;
    for (TTab* t : { p.TrackingHeaderBar, p.AfterstartRetardTable, p.AfterstartLimiterTable, p.AccelerationTable,
             p.TrackControlTable })
        if (t)
            t->SelectSheet(0);
    LoadTrackingPage(form);
}

void StoreTrackingPage(TMainForm* form)
{
    if (form->LoadingControls || !form->Tracking.CheckBoxLaunchEnable)
        return;
    C& p = form->Tracking;
    RsImage& image = form->PcImage;
    StoreCheckBoxToByte(form, p.CheckBoxLaunchEnable, 0, LAUNCH_ENABLE);
    StoreCheckBoxToByte(form, p.CheckBoxTrackEnable, 0, TRACK_ENABLE);
    StorePairs(form, LAUNCH_PAIRS);
    StoreRadioGroupToByte(form, p.RadioGroupSpeedSource, 0, SPEED_SOURCE);
    StoreUpDownToByte(form, p.UpDownAccMinSpeed, 0, ACC_MIN_SPEED, image.b[SPEED_SOURCE] ? 1 : 100, 0);
    StoreAccelerationMaps(form);
    StorePairs(form, FILTER_PAIRS);
    image.b[TRACK_FILTER_END] = p.RadioButtonTrackEnd->Checked() ? 1 : 0;
    StorePairs(form, THROTTLE_PAIRS);
    StoreCheckBoxToByte(form, p.CheckBoxStartServoIn, 0, START_SERVO_IN);
    StoreCheckBoxToByte(form, p.CheckBoxStartServoEx, 0, START_SERVO_EX);
    StoreServoGroup(form, SERVO_IN);
    StoreServoGroup(form, SERVO_EX);
    StoreAfterstartTables(form);
    StorePairs(form, LIMIT_PAIRS);
    StoreTrackControl(form);
}

void LoadTrackingPage(TMainForm* form)
{
    C& p = form->Tracking;
    if (!p.CheckBoxLaunchEnable)
        return;
    RsImage& image = form->PcImage;
    UpdateTrackingUnits(form);
    SetCheckBoxFromByte(form, p.CheckBoxLaunchEnable, 0, LAUNCH_ENABLE);
    SetCheckBoxFromByte(form, p.CheckBoxTrackEnable, 0, TRACK_ENABLE);
    LoadPairs(form, LAUNCH_PAIRS);
    SetRadioGroupFromByte(form, p.RadioGroupSpeedSource, 0, SPEED_SOURCE);
    SetUpDownFromByte(form, p.UpDownAccMinSpeed, 0, ACC_MIN_SPEED, image.b[SPEED_SOURCE] ? 1 : 100, 0);
    SetAccelerationUnits(form, image.b[SPEED_SOURCE]);
    LoadAccelerationMaps(form);
    LoadPairs(form, FILTER_PAIRS);
    {
        const int32_t loading = form->LoadingControls;
        form->LoadingControls = 1;
        const bool end = image.b[TRACK_FILTER_END] != 0;
        p.RadioButtonTrackBegin->SetChecked(!end);
        p.RadioButtonTrackEnd->SetChecked(end);
        p.RadioButtonTrackBegin->Repaint();
        p.RadioButtonTrackEnd->Repaint();
        form->LoadingControls = loading;
    }
    LoadPairs(form, THROTTLE_PAIRS);
    SetCheckBoxFromByte(form, p.CheckBoxStartServoIn, 0, START_SERVO_IN);
    SetCheckBoxFromByte(form, p.CheckBoxStartServoEx, 0, START_SERVO_EX);
    LoadServoGroup(form, SERVO_IN);
    LoadServoGroup(form, SERVO_EX);
    LoadAfterstartTables(form);
    LoadPairs(form, LIMIT_PAIRS);
    LoadTrackControl(form);
    ShowAll({ p.LabelAccRetardLimiter, p.EditAccTreshold, p.UpDownAccTreshold, p.LabelAccTreshold, p.EditAccReturnSpeed,
                p.UpDownAccReturnSpeed, p.LabelAccReturnSpeed, p.EditAccPropEffect, p.UpDownAccPropEffect,
                p.LabelAccPropEffect },
        false);
    for (TTab* t : { p.TrackControlTable, p.AfterstartRetardTable, p.AfterstartLimiterTable })
        if (t)
            t->RedrawBits |= REDRAW_VALUES;
    SyncMapTables(form->Maps);
}

void UpdateTrackingUnits(TMainForm* form)
{
    C& p = form->Tracking;
    if (!p.CheckBoxLaunchEnable)
        return;
    const RsImage& image = form->PcImage;
    const bool launch = image.b[LAUNCH_ENABLE] != 0;
    const bool track = image.b[TRACK_ENABLE] != 0;
    const bool any = launch || track;
    TTab* bar = p.TrackingHeaderBar;
    int section = bar ? bar->CurrentIndex : SECTION_LAUNCH;
    if (bar) {
        if (section < SECTION_TRACK && !launch && track)
            bar->SelectSheet(SECTION_TRACK);
        else if (section == SECTION_TRACK && launch && !track)
            bar->SelectSheet(SECTION_LAUNCH);
        section = bar->CurrentIndex;
        bar->setVisible(any);
    }
    const bool first = section == SECTION_LAUNCH && any;
    const bool afterstart = section == SECTION_AFTERSTART && any;
    const bool tracking = section == SECTION_TRACK && any;
    ShowAll({ p.CheckBoxLaunchEnable, p.CheckBoxTrackEnable },
        section == SECTION_LAUNCH || section == SECTION_TRACK || !any);
    for (TLabel* C::*field : STATUS_LABELS)
        (p.*field)->SetVisible((section == SECTION_LAUNCH || section == SECTION_TRACK) && any);
    ShowAll({ p.EditLaunchMinAdv, p.UpDownLaunchMinAdv, p.LabelLaunchMinAdv, p.EditLaunchMaxSpeed,
                p.UpDownLaunchMaxSpeed, p.LabelLaunchMaxSpeed, p.GroupBoxStartLimiters, p.GroupBoxAccLimiters,
                p.GroupBoxStartServoIn, p.GroupBoxStartServoEx },
        first);
    for (TTab* t : { p.AfterstartRetardTable, p.AfterstartLimiterTable })
        if (t)
            t->setVisible(afterstart);
    if (p.TrackControlTable)
        p.TrackControlTable->setVisible(tracking);
    p.GroupBoxTrackLimits->SetVisible(tracking);
    if (bar) {
        bar->Sheets[SECTION_LAUNCH].Hidden = bar->Sheets[SECTION_AFTERSTART].Hidden = launch ? 0 : 1;
        bar->Sheets[SECTION_TRACK].Hidden = track ? 0 : 1;
        bar->RedrawBits |= REDRAW_RENDER;
    }
    UpdateServoGroup(form, SERVO_IN);
    UpdateServoGroup(form, SERVO_EX);
    const bool kmh = image.b[SPEED_SOURCE] != 0;
    p.UpDownAccMinSpeed->SetMax(kmh ? 250 : 25000);
    p.UpDownAccMinSpeed->SetIncrement(kmh ? 1 : 100);
    p.LabelAccMinSpeed->SetCaption(
        std::string_view(kmh ? form->MessageTable[144] + " [km/h]" : form->MessageTable[145]));
}

void TrackingTableChanged(TMainForm* form, TTab*)
{
    CommitEditNow(form);
}

void TrackingSpeedSourceClick(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    StoreRadioGroupToByte(form, form->Tracking.RadioGroupSpeedSource, 0, SPEED_SOURCE);
    LoadTrackingPage(form);
    UpdateSensorsControls(form);
    CommitEditNow(form);
}
