// The coupling of the four injector maps (sheets 0..3 of the injection
// table): in coupled mode maps 2..4 sit on the breakpoints of map 1 and take
// its edits, by the same whole percent steps where the change was one, else
// in proportion; the menu's commands resample or copy them.

#include "app/main.h"
#include "mapedit/numbers.h"
#include "mapedit/tab.h"
#include "pages/injection.h"

#include <algorithm>
#include <cmath>

using namespace injection_cells;

namespace {

// The first n breakpoints of an axis and its change tracking.
void CopyAxis(const CAxe& from, CAxe& to, int n)
{
    to.Count = n;
    std::copy_n(from.Values, n, to.Values);
    for (auto field : { &CAxe::PrevValues, &CAxe::SavedValues, &CAxe::Pushed })
        if (from.*field && to.*field)
            std::copy_n(from.*field, n, to.*field);
}

int32_t& Cell(CSheet& sheet, int column, int row)
{
    return sheet.V.Values[row * TAB_MAX_COLS + column];
}

// The first index whose next breakpoint reaches the value, or the last one.
int SegmentOf(const CAxe& axis, int32_t value)
{
    int a = 0;
    while (a < axis.Count - 1 && axis.Values[a + 1] < value)
        a++;
    return a;
}

void FollowersTakeRpmCountOfMapOne(RsImage& image)
{
    for (int k = 1; k < INJECTOR_MAPS; k++)
        image.b[size_t(RPM_COUNTS + k)] = image.b[RPM_COUNTS];
}

// A follower's cell after map 1's cell went from d to c (d not 0), x the
// change in percent and e the whole percent steps it was, or 0.
int32_t FollowedCell(TTab* table, int k, int column, int row, int32_t h, double x, int e)
{
    if (e != 0) {
        // The step is the follower's own: its value decides the size.
        CSheet* shown = table->Sheet;
        table->Sheet = &table->Sheets[k];
        const int step = table->StepAmount(column, row, e);
        table->Sheet = shown;
        return h + step;
    }
    const int64_t m = int64_t(double(h) * (x + 100));
    return int32_t(x > 0 ? (m + 50) / 100 : (m - 50) / 100);
}

} // namespace

void CarryOverCoupledEdit(TMainForm* form)
{
    TTab* table = form->Maps.InjectionTable;
    if (!table)
        return;
    const InjectionPageControls& page = form->Injection;
    CSheet& s0 = table->Sheets[0];
    const int nx = s0.X.Count, ny = s0.Y.Count;
    for (int k = 1; k < INJECTOR_MAPS; k++) {
        CopyAxis(s0.X, table->Sheets[k].X, nx);
        CopyAxis(s0.Y, table->Sheets[k].Y, ny);
    }
    // An rpm point inserted or deleted moved the cells: nothing to compare.
    if (nx != page.InjectionSnapshotColumns || ny != page.InjectionSnapshotRows)
        return;
    for (int j = 0; j < ny; j++)
        for (int i = 0; i < nx; i++) {
            const int32_t c = Cell(s0, i, j);
            const int32_t d = page.InjectionSnapshot[size_t(j * TAB_MAX_COLS + i)];
            if (c == d)
                continue;
            if (d == 0) {
                // No percentage of nothing: only the followers that held it too take the value.
                for (int k = 1; k < INJECTOR_MAPS; k++)
                    if (int32_t& h = Cell(table->Sheets[k], i, j); h == 0)
                        h = c;
                continue;
            }
            const double x = double(int64_t(c - d) * 100) / d;
            int e = int(std::ceil(x - 0.15));
            if (std::fabs(x - e) > 0.15)
                e = 0;
            for (int k = 1; k < INJECTOR_MAPS; k++) {
                int32_t& h = Cell(table->Sheets[k], i, j);
                h = h == d ? c : FollowedCell(table, k, i, j, h, x, e);
            }
        }
    for (int k = 1; k < INJECTOR_MAPS; k++)
        table->ApplyLimits(&table->Sheets[k], CHANGED_CELLS);
}

void CoupleInjectionMaps(TMainForm* form)
{
    FollowersTakeRpmCountOfMapOne(form->PcImage);
    TTab* table = form->Maps.InjectionTable;
    if (!table)
        return;
    const CSheet& s0 = table->Sheets[0];
    const int nx = s0.X.Count, ny = s0.Y.Count;
    std::array<int32_t, TAB_CELLS> resampled {};
    for (int k = 1; k < INJECTOR_MAPS; k++) {
        CSheet& r = table->Sheets[k];
        for (int s = 0; s < ny; s++) {
            const int32_t y = s0.Y.Values[s];
            const int a = SegmentOf(r.Y, y);
            const int a1 = std::min(a + 1, r.Y.Count - 1);
            for (int p = 0; p < nx; p++) {
                const int32_t x = s0.X.Values[p];
                const int b = SegmentOf(r.X, x);
                const int b1 = std::min(b + 1, r.X.Count - 1);
                // Beyond its last breakpoint both corners are the edge: the edge value.
                resampled[size_t(s * TAB_MAX_COLS + p)] = InterpolateBilinear(x, y, r.X.Values[b], r.Y.Values[a],
                    r.X.Values[b1], r.Y.Values[a1], Cell(r, b, a), Cell(r, b, a1), Cell(r, b1, a), Cell(r, b1, a1));
            }
        }
        for (int s = 0; s < ny; s++)
            std::copy_n(&resampled[size_t(s * TAB_MAX_COLS)], nx, &Cell(r, 0, s));
        CopyAxis(s0.X, r.X, nx);
        CopyAxis(s0.Y, r.Y, ny);
        r.ResampleBase();
        table->ApplyLimits(&r, CHANGED_CELLS);
    }
}

void CopyFirstInjectionMap(TMainForm* form)
{
    FollowersTakeRpmCountOfMapOne(form->PcImage);
    TTab* table = form->Maps.InjectionTable;
    if (!table)
        return;
    CSheet& s0 = table->Sheets[0];
    for (int k = 1; k < INJECTOR_MAPS; k++) {
        CSheet& sheet = table->Sheets[k];
        std::copy_n(s0.X.Values, MAP_COLUMNS, sheet.X.Values);
        for (int r = 0; r < MAP_ROWS; r++)
            std::copy_n(&Cell(s0, 0, r), MAP_COLUMNS, &Cell(sheet, 0, r));
        sheet.X.Count = s0.X.Count;
    }
}
