// The map table's costs per tick: a full redraw of the table view of the
// largest sheet, and the main window's tick over the most tables it keeps.
#include "app/maptables.h"
#include "mapedit/tab.h"

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void FillSheet(TTab& tab, int columns, int rows)
{
    const int s = tab.AddSheet("###Advance##Vorzündung##Předstih", "RPM", "TP", "ADV", columns, rows,
        SHEET_LIVE_MARKER | SHEET_BASE_ADVANCE_LINE);
    tab.DefineAxes(s, 1, "RPM", "", 3, 250, 100, 1, nullptr, 1, 1, 1, columns, 1, 0, 1, -1, 1, 0xFCE2F4, nullptr);
    tab.DefineAxes(s, 2, "TP", "%", 0, 100, 1, 1, nullptr, 0, 1, 1, rows, 1, 0, 0, -2, 1, 0xFCE2F4, nullptr);
    tab.DefineAxes(s, 4, "ADV", "", 0, 60, 1, 0, nullptr, 1, 2, 0, 0, 0, 0, 0, 0, 1, 0xFCE2F4, nullptr);
    CSheet& sh = tab.Sheets[s];
    for (int c = 0; c < columns; c++)
        sh.X.Values[c] = 3 + 4 * c;
    for (int r = 0; r < rows; r++)
        sh.Y.Values[r] = r * 3;
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < columns; c++)
            sh.V.Values[r * TAB_MAX_COLS + c] = (c * 7 + r * 3) % 60;
    tab.ApplyLimits(&sh, 0x107);
}

void RenderTable50x30(benchmark::State& state)
{
    TTab tab(nullptr, 1000, 400, TABSTYLE_TOOLBAR | TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_3D);
    FillSheet(tab, 50, 30);
    tab.ColumnSlots = 50;
    tab.RowSlots = 30;
    tab.SelectSheet(0);
    tab.Sheet->Sel.SelectItem(tab.TableHitMap, 3, 3);
    tab.Sheet->Sel.SelectRange(tab.TableHitMap, 8, 8);
    for (auto _ : state)
        tab.Render();
}
BENCHMARK(RenderTable50x30)->Unit(benchmark::kMillisecond);

// A full redraw of a graph view with its rescale: arguments columns, rows
// and, for the surface, the draw mode.
void RenderGraph(benchmark::State& state, int view)
{
    TTab tab(nullptr, 1000, 500, TABSTYLE_TOOLBAR | TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_3D);
    FillSheet(tab, int(state.range(0)), int(state.range(1)));
    tab.SelectSheet(0);
    tab.SetView(view);
    if (view == VIEW_3D)
        tab.Graph.DrawMode = int(state.range(2));
    tab.Sheet->LiveCol = 3;
    tab.Sheet->LiveRow = 2;
    tab.Sheet->LiveState = 1;
    for (auto _ : state) {
        tab.RedrawBits |= REDRAW_VALUES;
        tab.Render();
    }
}
void RenderGraph2D(benchmark::State& state)
{
    RenderGraph(state, VIEW_2D);
}
void RenderSurface3D(benchmark::State& state)
{
    RenderGraph(state, VIEW_3D);
}
BENCHMARK(RenderGraph2D)->Args({ 20, 10 })->Args({ 50, 30 })->Unit(benchmark::kMillisecond);
void SurfaceCases(benchmark::internal::Benchmark* b)
{
    for (int mode = 0; mode <= 5; mode++) {
        b->Args({ 20, 10, mode });
        b->Args({ 50, 30, mode });
    }
}
BENCHMARK(RenderSurface3D)->Apply(SurfaceCases)->Unit(benchmark::kMillisecond);

void TickOfFortyTables(benchmark::State& state)
{
    static uint8_t image[4800] = {};
    QWidget parent;
    MapTableSet form;
    form.Host.PcImage = image;
    form.Host.ConnectedPort = [] { return 1; };
    int rpm = 2000;
    form.Host.LiveValues = [&rpm] {
        MapLiveValues v;
        v.Rpm = rpm;
        v.Throttle = 300;
        return v;
    };
    for (int i = 0; i < MAX_MAP_TABLES; i++) {
        TTab* t = CreateMapTable(form, i, 600, 300, TABSTYLE_TOOLBAR | TABSTYLE_TABLE, &parent);
        FillSheet(*t, 15, 10);
        t->SelectSheet(0);
    }
    // One page is up: its table shows, the others wait hidden.
    parent.resize(700, 400);
    parent.show();
    for (int i = 1; i < MAX_MAP_TABLES; i++)
        form.MapTables[i]->hide();
    SyncMapTables(form);
    for (auto _ : state) {
        // The engine speeds up and down, so the markers move and the tables redraw now and then.
        rpm = rpm >= 9000 ? 2000 : rpm + 100;
        SyncMapTables(form);
    }
}
BENCHMARK(TickOfFortyTables)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
