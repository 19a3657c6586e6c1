// The interface the settings pages build their maps with: sheets, axes,
// limits, the change groups that report finished edits to the owner, and the
// live operating point.
#include "mapedit/tab.h"

#include "mapedit/tabcanvas.h"
#include "platform/cp1250.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int GROUP_TIMEOUT = 5;

void CopyText(char* to, size_t size, const char* from)
{
    std::snprintf(to, size, "%s", from ? from : "");
}

int32_t TruncTimes(int32_t value, double scale)
{
    return int32_t(std::clamp<double>(std::trunc(value * scale), INT32_MIN, INT32_MAX));
}

} // namespace

int TTab::AddSheet(const char* caption, const char* xLabel, const char* yLabel, const char* valueLabel, int columns,
    int rows, uint32_t flags)
{
    if (SheetCount >= TAB_MAX_SHEETS)
        return -1;
    const int index = SheetCount++;
    CSheet& s = Sheets[index];
    s.Flags = flags;
    s.AllocArrays();
    SetSheetCaption(index, caption);
    CopyText(s.X.Label, sizeof s.X.Label, xLabel);
    CopyText(s.Y.Label, sizeof s.Y.Label, yLabel);
    CopyText(s.V.Label, sizeof s.V.Label, valueLabel);
    s.X.IsBreakpointAxis = s.Y.IsBreakpointAxis = 1;
    s.V.IsBreakpointAxis = 0;
    s.X.MaxCount = s.X.Count = std::clamp(columns, 1, TAB_MAX_COLS);
    s.Y.MaxCount = s.Y.Count = std::clamp(rows, 1, TAB_MAX_ROWS);
    ApplyLimits(&s, CHANGED_X | CHANGED_Y | CHANGED_CELLS);
    if (Style & TABSTYLE_ONOFF) {
        s.LabelFontSize = -10;
        s.X.ValueFontSize = s.Y.ValueFontSize = s.V.ValueFontSize = -9;
    }
    return index;
}

void TTab::SetSheetCaption(int index, const char* caption)
{
    if (index < 0 || index >= SheetCount)
        return;
    CSheet& s = Sheets[index];
    CopyText(s.Caption, sizeof s.Caption, caption);
    const QFontMetrics fm(TabFont(s.TabFontSize));
    int widest = 0;
    for (int lang = 0; lang < 3; lang++)
        widest = std::max(widest, fm.horizontalAdvance(QStringFromCp1250(SelectTabText(s.Caption, lang))));
    s.TabWidth = 15 + widest;
}

void TTab::DefineAxes(int index, int mask, const char* key, const char* unit, int32_t min, int32_t max, double scale,
    int32_t gap, const TickRecord* ticks, int editable, int options, int minCount, int count, int collapsePolicy,
    int collapsed, int resizable, int collapseTo, int graphGroup, TColor colour, const QImage* background)
{
    if (index < 0 || index >= SheetCount)
        return;
    CSheet& s = Sheets[index];
    for (int bit : { 1, 2, 4 }) {
        if (!(mask & bit))
            continue;
        CAxe& a = bit == 1 ? s.X : bit == 2 ? s.Y : s.V;
        CopyText(a.Key, sizeof a.Key, key);
        CopyText(a.Unit, sizeof a.Unit, unit);
        a.Min = min;
        a.Max = max;
        a.Scale = scale;
        a.Editable = editable;
        a.ColourByLimits = (options & 2) ? 1 : 0;
        a.GraphGroup = graphGroup;
        a.Colour = colour;
        a.Background = background;
        if (bit == 4) {
            a.UseValues = 1;
        } else {
            a.Gap = gap;
            a.UseValues = options & 1;
            a.MinCount = std::min(std::max(minCount, 1), a.MaxCount);
            a.Count = std::min(std::max(count, a.MinCount), a.MaxCount);
            a.CollapsePolicy = collapsePolicy;
            a.Collapsed = collapsed;
            a.Resizable = resizable;
            a.CollapseTo = collapseTo;
        }
        a.LoadTickTable(ticks);
    }
}

void TTab::SelectSheet(int index)
{
    if (index < 0 || index >= SheetCount)
        return;
    CommitEditor();
    PreviousIndex = CurrentIndex;
    CurrentIndex = index;
    Sheet = &Sheets[index];
    UpdateToolbar();
    RedrawBits |= REDRAW_VALUES;
    SetView(0);
    UpdateLivePosition();
}

void TTab::ApplyLimits(CSheet* sheet, int mask)
{
    if (!sheet)
        return;
    CSheet& s = *sheet;
    if (std::strcmp(s.X.Label, "RPM") == 0) {
        auto hold = [](int32_t& v, int32_t low, int32_t high) { v = std::max(low, std::min(v, high)); };
        if (s.Flags & SHEET_BASE_ADVANCE_LINE)
            hold(BaseAdvance, TruncTimes(s.V.Min, s.V.Scale), TruncTimes(s.V.Max, s.V.Scale));
        if (s.Flags & SHEET_LIMITER_LINE)
            hold(LimiterRpm, TruncTimes(s.X.Min, s.X.Scale), TruncTimes(s.X.Max, s.X.Scale));
        if (s.Flags & SHEET_START_LIMITER_LINE)
            hold(StartLimiterRpm, TruncTimes(s.X.Min, s.X.Scale), TruncTimes(s.X.Max, s.X.Scale));
    }
    for (int bit : { 1, 2 }) {
        if (!(mask & bit))
            continue;
        CAxe& a = bit == 1 ? s.X : s.Y;
        if (mask & LIMITS_FORGET_MOVED)
            a.LastMoved = -3;
        a.KeepIncreasing();
    }
    if (mask & CHANGED_CELLS)
        ClampToAxisLimits(s.V, s.X.Count, s.Y.Count);
}

// A group collects the edits under one code. A different code closes the
// open group before its own edit is counted, and code 0 closes at once, so
// no edit is left in a group that nothing will close.
void TTab::NoteChange(int kinds, int32_t code)
{
    if (code == CHANGE_MULTI_END) {
        if (ChangeCode != CHANGE_MULTI_OPEN)
            return;
        code = 0;
    }
    if (ChangeCode != 0 && code != ChangeCode)
        CloseChangeGroup();
    ChangeKinds |= kinds;
    ApplyLimits(Sheet, kinds);
    if (code == 0) {
        CloseChangeGroup();
        return;
    }
    ChangeCode = code;
    ChangeDeadline = TabTicks + GROUP_TIMEOUT;
}

void TTab::CloseChangeGroup()
{
    const int kinds = ChangeKinds;
    ChangeKinds = ChangeCode = ChangeDeadline = 0;
    if (!kinds || !Sheet)
        return;
    Sheet->PercentToValues();
    if (OnMapTableChanged)
        OnMapTableChanged(this);
    if (kinds & (CHANGED_X | CHANGED_Y))
        Sheet->ResampleBase();
}

void TTab::FlushChangeGroup()
{
    if ((ChangeKinds || ChangeCode) && TabTicks - ChangeDeadline >= 0)
        CloseChangeGroup();
}

int TTab::LivePositionOnAxis(CAxe& axis)
{
    if (!Sheet || (LiveMissing & 0x100) || !axis.Values)
        return -2;
    double v = 0;
    const auto scaled = [&axis](int32_t live) { return axis.Scale != 0 ? live / axis.Scale : 0.0; };
    const std::string key = axis.Key;
    if (key == "RPM") {
        v = scaled(LiveRpm);
        const bool horizontal = &axis == (Sheet->Flags & SHEET_SWAP_GRAPH ? &Sheet->Y : &Sheet->X);
        if (horizontal && (ViewBits & (VIEW_2D | VIEW_ONOFF)) && LiveRpm != MarkerRpm)
            RedrawBits |= REDRAW_RENDER;
    } else if (key == "TP" && !(LiveMissing & 0x2)) {
        v = scaled(LiveTp);
    } else if (key == "IAP" && !(LiveMissing & 0x4)) {
        v = scaled(LiveIap);
    } else if (key == "TA") {
        v = scaled(LiveTa);
    } else if (key == "TW") {
        v = scaled(LiveTw);
    } else if (key == "Tst") {
        v = scaled(LiveTst);
    } else if (key == "AFR") {
        v = LiveAfr;
    } else {
        return -2;
    }
    const int32_t* b = axis.Values;
    const int n = std::clamp(axis.Count, 1, axis.MaxCount);
    if (v < b[0])
        return ((Sheet->Flags & SHEET_BASE_ADVANCE_LINE) && key == "RPM") ? -1 : 0;
    if (key == "Tst")
        for (int i = 1; i < n; i++)
            if (b[i] > v)
                return i - 1;
    for (int i = 0; i + 1 < n; i++)
        if ((double(b[i]) + b[i + 1]) / 2 > v)
            return i;
    return n - 1;
}

void TTab::UpdateLivePosition()
{
    if (!Sheet)
        return;
    CSheet& s = *Sheet;
    if (s.X.StringView) {
        for (int c = 0; c < 2 && c < s.X.Count; c++) {
            const std::string name = SelectTabText(s.X.StringViewPart(c, 0), 0);
            int32_t live;
            if (name == "Coolant")
                live = LiveTw;
            else if (name == "Inlet Air")
                live = LiveTa;
            else
                continue;
            const int e = s.X.Scale != 0 ? int(std::trunc(live / s.X.Scale + 0.5)) : 0;
            const int32_t* b = s.Y.Values;
            int row = s.Y.Count - 1;
            if (e <= b[0])
                row = 0;
            else
                for (int r = 0; r + 1 < s.Y.Count; r++)
                    if ((b[r] + b[r + 1]) / 2 > e) {
                        row = r;
                        break;
                    }
            if (LiveMissing & 0x100)
                row = -1;
            if (row != s.NamedRowLive[c])
                RedrawBits |= REDRAW_RENDER;
            s.NamedRowLive[c] = row;
        }
        if ((ViewBits & VIEW_2D) && (LiveTw != MarkerTw || LiveTa != MarkerTa))
            RedrawBits |= REDRAW_RENDER;
        MarkerTw = LiveTw;
        MarkerTa = LiveTa;
        return;
    }
    const int oldState = s.LiveState, oldCol = s.LiveCol, oldRow = s.LiveRow;
    s.LiveState = 0;
    s.LiveCol = s.LiveRow = -2;
    auto finish = [&] {
        if (s.LiveState == oldState && s.LiveCol == oldCol && s.LiveRow == oldRow)
            return;
        if (FollowLive && *FollowLive)
            ScrollIntoView(s.LiveCol, s.LiveRow);
        RedrawBits |= REDRAW_RENDER;
    };
    if (!(s.Flags & SHEET_LIVE_MARKER)) {
        if (oldState != 0)
            RedrawBits |= REDRAW_RENDER;
        return;
    }
    s.LiveCol = LivePositionOnAxis(s.X);
    s.LiveRow = LivePositionOnAxis(s.Y);
    MarkerRpm = LiveRpm;
    s.LiveState = 1;
    if ((s.LiveCol == -2 && !s.X.Collapsed) || (s.LiveRow == -2 && !s.Y.Collapsed)) {
        s.LiveState = 0;
        finish();
        return;
    }
    if (s.X.Collapsed)
        s.LiveCol = s.X.UsedIndex;
    if (s.Y.Collapsed)
        s.LiveRow = s.Y.UsedIndex;
    const std::string vKey = s.V.Key, yKey = s.Y.Key;
    if (vKey == "ADV") {
        s.LiveState = (LiveLoadBits & 1) == CurrentIndex ? 1 : 2;
        const bool iap = (LiveLoadBits & (CurrentIndex == 0 ? 0x10 : 0x20)) != 0;
        if (CurrentIndex <= 1 && ((yKey == "TP" && iap) || (yKey == "IAP" && !iap)))
            s.LiveState = -1;
    }
    if (vKey == "INJ") {
        if (yKey == "TP") {
            if (LiveInjTpShare == 0)
                s.LiveState = -1;
            if (LiveInjTpShare > 0)
                s.LiveState = 2;
            if (LiveInjTpShare == 100)
                s.LiveState = 1;
        } else if (yKey == "IAP") {
            if (LiveInjTpShare == 100)
                s.LiveState = -1;
            if (LiveInjTpShare < 100)
                s.LiveState = 2;
            if (LiveInjTpShare == 0)
                s.LiveState = 1;
        }
    }
    if (std::string(s.X.Key) == "RPM" && LiveRpm == 0)
        s.LiveState = 0;
    finish();
}

void TTab::RefreshPositionButtons()
{
    int pressed = -1;
    for (int i = 22; i >= 20; i--)
        if (Buttons[i].Pressed) {
            pressed = i - 20;
            break;
        }
    if (pressed == PositionRef)
        return;
    for (int i = 20; i <= 22; i++)
        Buttons[i].Pressed = (i - 20 == PositionRef) ? 1 : 0;
    RedrawBits |= REDRAW_RENDER;
}
