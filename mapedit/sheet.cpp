#include "mapedit/sheet.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>

namespace {

MapErrorReporter& Reporter()
{
    static MapErrorReporter reporter;
    return reporter;
}

int32_t Clamp32(int64_t v)
{
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

const char* const BAD_INDEX = "Spatny index stringview >n";
const char* const BAD_NAME = "Spatny index stringview >MAXSV";
const char* const NO_PART = "Spatny stringview (part is NULL)";

} // namespace

void SetMapErrorReporter(MapErrorReporter reporter)
{
    Reporter() = std::move(reporter);
}

void ReportMapError(const char* message)
{
    if (Reporter())
        Reporter()(message);
    else
        qWarning("%s", message);
}

void CAxe::AllocArrays(int n, bool tracking)
{
    DeleteArrays();
    Values = new int32_t[n]();
    if (tracking) {
        PrevValues = new int32_t[n]();
        SavedValues = new int32_t[n]();
        Pushed = new int32_t[n]();
    }
}

void CAxe::DeleteArrays()
{
    for (int32_t** a : { &Values, &PrevValues, &SavedValues, &Pushed }) {
        delete[] * a;
        *a = nullptr;
    }
}

void CAxe::FreeArrays()
{
    DeleteArrays();
    if (OwnsStringView)
        delete[] StringView;
    if (OwnsStringView2)
        delete[] StringView2;
    if (OwnsStringView)
        StringView = nullptr;
    if (OwnsStringView2)
        StringView2 = nullptr;
    OwnsStringView = OwnsStringView2 = 0;
}

void CAxe::PushNeighbours(int count, int32_t* values, int32_t* pushed, int32_t* saved, int index, int step)
{
    const int64_t gap = step < 0 ? -int64_t(step) : int64_t(step);
    for (int i = index;;) {
        const int nb = step < 0 ? i - 1 : i + 1;
        if (nb < 0 || nb >= count)
            return;
        if (step < 0 ? values[nb] <= values[i] - gap : values[nb] >= values[i] + gap)
            return;
        if (!pushed[nb]) {
            saved[nb] = values[nb];
            pushed[nb] = 1;
        }
        values[nb] = Clamp32(int64_t(values[i]) + step);
        i = nb;
    }
}

void CAxe::KeepIncreasing()
{
    if (!Values || !PrevValues || !SavedValues || !Pushed || Count < 1)
        return;
    const int n = Count;
    const int64_t g = Gap;
    int32_t* v = Values;
    auto forget = [&] {
        std::fill(Pushed, Pushed + n, 0);
        std::fill(SavedValues, SavedValues + n, 0);
    };
    auto lowest = [&](int i) { return int64_t(Min) + i * g; };
    auto highest = [&](int i) { return int64_t(Max) - (n - 1 - i) * g; };

    int changed = 0, f = -1;
    if (LastMoved == -3) {
        changed = n;
        f = 0;
        forget();
    } else {
        for (int i = 0; i < n; i++) {
            if (v[i] != PrevValues[i]) {
                changed++;
                if (f == -1)
                    f = i;
            }
        }
        if (f != LastMoved && f != -1)
            forget();
    }

    if (changed == 1) {
        v[f] = Clamp32(std::max<int64_t>(v[f], lowest(f)));
        PushNeighbours(n, v, Pushed, SavedValues, f, -Gap);
        v[f] = Clamp32(std::min<int64_t>(v[f], highest(f)));
        PushNeighbours(n, v, Pushed, SavedValues, f, Gap);
        // Breakpoints shoved aside follow the moved one back, as far as the gap allows.
        for (int pass = 0; pass < n; pass++) {
            for (int k = 0; k < n; k++) {
                if (!Pushed[k])
                    continue;
                if (v[k] < SavedValues[k]) {
                    int64_t to = SavedValues[k];
                    if (k < n - 1)
                        to = std::min<int64_t>(to, v[k + 1] - g);
                    v[k] = Clamp32(to);
                } else if (v[k] > SavedValues[k]) {
                    int64_t to = SavedValues[k];
                    if (k > 0)
                        to = std::max<int64_t>(to, v[k - 1] + g);
                    v[k] = Clamp32(to);
                }
                if (v[k] == SavedValues[k])
                    Pushed[k] = 0;
            }
        }
    } else {
        for (int i = 0; i < n; i++)
            v[i] = Clamp32(std::max<int64_t>(v[i], lowest(i)));
        for (int i = 0; i < n; i++)
            v[i] = Clamp32(std::min<int64_t>(v[i], highest(i)));
        for (int i = f; i >= 1; i--)
            v[i - 1] = Clamp32(std::min<int64_t>(v[i - 1], v[i] - g));
        for (int i = 1; i < n; i++)
            v[i] = Clamp32(std::max<int64_t>(v[i], v[i - 1] + g));
    }
    std::copy(v, v + n, PrevValues);
    if (f != -1)
        LastMoved = f;
}

void ClampToAxisLimits(CAxe& valueAxis, int columns, int rows)
{
    if (!valueAxis.Values)
        return;
    columns = std::clamp(columns, 0, TAB_MAX_COLS);
    rows = std::clamp(rows, 0, TAB_MAX_ROWS);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++) {
            int32_t& cell = valueAxis.Values[r * TAB_MAX_COLS + c];
            cell = std::min(valueAxis.Max, std::max(valueAxis.Min, cell));
        }
}

void CAxe::LoadTickTable(const TickRecord* table)
{
    TickRecordCount = 0;
    if (!table)
        return;
    for (; table->Step2 != 0; table++)
        AddTickRecord(table->SpanLimit, table->Step1, table->Step2, table->Step3, table->Step4);
}

void CAxe::AddTickRecord(double spanLimit, double step1, double step2, double step3, double step4)
{
    if (TickRecordCount < TAB_MAX_TICK_RECORDS)
        TickRecordCount++;
    TickRecords[TickRecordCount - 1] = { spanLimit, step1, step2, step3, step4 };
}

void CAxe::PickTickRecord(int32_t span)
{
    if (UseValues == 0 || TickRecordCount == 0) {
        Tick.Step1 = Tick.Step2 = Tick.Step3 = Tick.Step4 = 1.0;
        return;
    }
    for (int i = 0; i < TickRecordCount; i++) {
        if (span <= TickRecords[i].SpanLimit) {
            Tick = TickRecords[i];
            return;
        }
    }
    Tick = TickRecords[TickRecordCount - 1];
}

void CAxe::SplitStringView()
{
    const char* texts[2] = { StringView, StringView2 };
    const char** parts[2] = { Parts, Parts2 };
    for (int set = 0; set < 2; set++) {
        std::fill(parts[set], parts[set] + TAB_MAX_NAMES, nullptr);
        if (!texts[set]) {
            splitText[set].clear();
            continue;
        }
        splitText[set] = texts[set];
        char* p = splitText[set].data();
        int made = 1;
        parts[set][0] = p;
        for (; *p; p++) {
            if (*p == '\r') {
                *p = 0;
            } else if (*p == '\n' || *p == ',') {
                *p = 0;
                if (made == TAB_MAX_NAMES)
                    break;
                parts[set][made++] = p + 1;
            }
        }
    }
}

void CAxe::ReportOnce(int which, int32_t value, const char* message)
{
    std::pair<int, int32_t> key { which, value };
    if (std::find(reported.begin(), reported.end(), key) != reported.end())
        return;
    reported.push_back(key);
    ReportMapError(message);
}

const char* CAxe::StringViewPart(int index, int set)
{
    const char* const* parts = (set == 1 && StringView2) ? Parts2 : Parts;
    if (index < 0 || index >= Count || !Values) {
        ReportOnce(0, index, BAD_INDEX);
        return nullptr;
    }
    const int32_t name = Values[index] % 1000;
    if (name < 0 || name >= TAB_MAX_NAMES) {
        ReportOnce(1, name, BAD_NAME);
        return nullptr;
    }
    if (!parts[name]) {
        ReportOnce(2, name, NO_PART);
        return nullptr;
    }
    return parts[name];
}

CSheet::CSheet()
{
    X.MaxCount = X.Count = TAB_MAX_COLS;
    Y.MaxCount = Y.Count = TAB_MAX_ROWS;
}

void CSheet::AllocArrays()
{
    V.AllocArrays(TAB_CELLS, false);
    X.AllocArrays(TAB_MAX_COLS, true);
    Y.AllocArrays(TAB_MAX_ROWS, true);
}

void CSheet::FreeArrays()
{
    X.FreeArrays();
    Y.FreeArrays();
    V.FreeArrays();
}
