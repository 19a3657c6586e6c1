#pragma once
// Sheets and axes of a map table. A sheet is a grid of at most 50 columns and
// 30 rows of signed 32-bit cells (cell (c, r) at r * 50 + c), spanned by an X
// axis, a Y axis and a value axis. Raw values are shown as raw * Scale.

#include "mapedit/selection.h"
#include "platform/colors.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QImage;

// Steps of the graph labels and grid lines for axis spans up to SpanLimit.
// A static table of them ends with a record whose Step2 is 0.
struct TickRecord {
    double SpanLimit = 0, Step1 = 0, Step2 = 0, Step3 = 0, Step4 = 0;
};

// Receives the map editor's error texts (the named-value errors). Tests
// install a recorder; the program routes them to its error report.
using MapErrorReporter = std::function<void(const char* message)>;
void SetMapErrorReporter(MapErrorReporter reporter);
void ReportMapError(const char* message);

constexpr int TAB_MAX_TICK_RECORDS = 5;
constexpr int TAB_MAX_NAMES = 8;

class CAxe {
public:
    TColor Colour = 0xFFFFFF;
    const QImage* Background = nullptr;
    char Label[256] = {};
    char Key[64] = {};
    char Unit[16] = {};
    int32_t IsBreakpointAxis = 0;
    int32_t MaxCount = 1;
    int32_t MinCount = 1;
    int32_t Count = 1;
    int32_t Collapsed = 0;
    int32_t UsedIndex = 0;
    int32_t CollapseTo = -1;
    int32_t Editable = 1;
    int32_t Resizable = 1;
    int32_t CollapsePolicy = 1;
    int32_t FirstVisible = 0;
    int32_t* Values = nullptr;
    int32_t* PrevValues = nullptr;
    int32_t* SavedValues = nullptr;
    int32_t* Pushed = nullptr;
    double Scale = 1.0;
    double Step = 1.0;
    int32_t Min = 0;
    int32_t Max = 100;
    int32_t Gap = 1;
    int32_t LastMoved = -3;
    // Named-value texts; they belong to whoever set them unless the own-flag
    // is set, in which case they were allocated with new[].
    const char* StringView = nullptr;
    const char* StringView2 = nullptr;
    uint8_t OwnsStringView = 0;
    uint8_t OwnsStringView2 = 0;
    const char* Parts[TAB_MAX_NAMES] = {};
    const char* Parts2[TAB_MAX_NAMES] = {};
    int32_t UseValues = 1;
    int32_t GraphGroup = 0;
    int32_t TickRecordCount = 0;
    TickRecord TickRecords[TAB_MAX_TICK_RECORDS];
    TickRecord Tick;
    int32_t GraphMin = 0, GraphMax = 0;
    int32_t ColourByLimits = 0;
    int32_t ValueFontSize = 0;

    CAxe() = default;
    ~CAxe() { FreeArrays(); }
    CAxe(const CAxe&) = delete;
    CAxe& operator=(const CAxe&) = delete;

    void AllocArrays(int n, bool tracking);
    void FreeArrays();
    void KeepIncreasing();
    static void PushNeighbours(int count, int32_t* values, int32_t* pushed, int32_t* saved, int index, int step);
    void LoadTickTable(const TickRecord* table);
    void AddTickRecord(double spanLimit, double step1, double step2, double step3, double step4);
    void PickTickRecord(int32_t span);
    void SplitStringView();
    const char* StringViewPart(int index, int set);

private:
    // The split copies of the named-value texts: the callers' texts (often
    // literals) are never written.
    std::string splitText[2];
    // Errors already reported, as (message number, value); one report each,
    // however often the axis is painted.
    std::vector<std::pair<int, int32_t>> reported;

    void DeleteArrays();
    void ReportOnce(int which, int32_t value, const char* message);
};

// Clamps the used cells (columns x rows, row stride 50) into Min..Max.
void ClampToAxisLimits(CAxe& valueAxis, int columns, int rows);

// SheetFlags
constexpr uint32_t SHEET_LIVE_MARKER = 0x1;
constexpr uint32_t SHEET_SWAP_GRAPH = 0x2;
constexpr uint32_t SHEET_ENABLE_BOX = 0x8;
constexpr uint32_t SHEET_SKIP_FIRST_SEGMENT = 0x20;
constexpr uint32_t SHEET_LOG_STEPS = 0x40;
constexpr uint32_t SHEET_SKIP_LAST_SEGMENT = 0x80;
constexpr uint32_t SHEET_BASE_ADVANCE_LINE = 0x100;
constexpr uint32_t SHEET_LIMITER_LINE = 0x200;
constexpr uint32_t SHEET_START_LIMITER_LINE = 0x400;
constexpr uint32_t SHEET_FAST_REPEAT_X = 0x1000;
constexpr uint32_t SHEET_FAST_REPEAT_Y = 0x2000;
constexpr uint32_t SHEET_FAST_REPEAT_CELLS = 0x4000;
constexpr uint32_t SHEET_BIG_UNIT = 0x8000;

class CSheet {
public:
    uint32_t Flags = 0;
    int32_t Enabled = 1;
    // Set by a page while the sheet's data is not used: drawn and handled
    // like a switched-off sheet, with its enable box left as it stands.
    int32_t Inactive = 0;
    int32_t Hidden = 0;
    TColor LineColour = 0x0000FF;
    TColor MarkColour = 0xFF0000;
    char Caption[256] = {};
    int32_t TabWidth = 0;
    int32_t TabFontSize = 13;
    int32_t LabelFontSize = 12;
    CAxe X, Y, V;
    int32_t LiveCol = -2, LiveRow = -2;
    int32_t LiveState = 0;
    int32_t NamedRowLive[2] = {};
    TSel Sel;
    int32_t LinkId = 0, FollowerId = 0;

    CSheet();
    CSheet(const CSheet&) = delete;
    CSheet& operator=(const CSheet&) = delete;

    void AllocArrays();
    void FreeArrays();
    bool Active() const { return Enabled && !Inactive; }
    // Kept for the callers around a change-group close and the injection
    // page; no sheet has a base layer, so nothing changes.
    void ResampleBase() { }
    void PercentToValues() { }
};
