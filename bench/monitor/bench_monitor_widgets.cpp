// One whole repaint of the external monitor's widgets as a live update asks
// for it: a 1280 x 1024 surface with 55 widgets, 15 of them bars and one a
// dial, the rest labels and values whose fonts are fitted on every paint.
// Expected: 2 to 5 ms, at most 2.6 times a second.

#include <benchmark/benchmark.h>

#include <QImage>

#include <chrono>
#include <cmath>

#include "bench/support/benchwindow.h"
#include "monitor/ExtMon.h"
#include "monitor/myindicator.h"
#include "monitor/mywidgets.h"
#include "monitor/valuedefs.h"

namespace {

// Moves every live value on by a step within its range, as a decode of a
// running engine does, and tells the monitor.
void StepEveryValue(double& value)
{
    value += 7;
    for (ValueDef& d : ValueDefs)
        d.value = d.min + std::fmod(value, d.max - d.min + 1);
    MarkMonitorDirty();
}

constexpr int IDS[] = { 1020, 1030, 1110, 1120, 1130, 1140, 1150, 1160, 1220, 1221, 1230, 1240, 6110, 6120, 6130 };

void BM_RepaintMonitorGroup(benchmark::State& state)
{
    BenchApplication();
    QImage surface(1280, 1024, QImage::Format_RGB32);
    TCanvas canvas(&surface);
    CMyGroup place;
    place.Width = 1280;
    place.Height = 1024;
    place.SetCanvas(&canvas);
    int row = 0;
    const auto add = [&](CMyComponent* w, int left, int top, int width, int height, int id) {
        w->Left = left;
        w->Top = top;
        w->Width = width;
        w->Height = height;
        w->id = id;
        w->s = GetDef(id);
        place.Insert(w);
    };
    for (int id : IDS) {
        const int top = 10 + 40 * row++;
        add(new CMyLabel, 10, top, 150, 16, id);
        add(new CMyIndicator, 170, top, 300, 20, id);
        add(new CMyValue, 480, top, 80, 24, id);
    }
    auto* dial = new CMyIndicator;
    dial->Style = CMyIndicator::Dial;
    add(dial, 700, 10, 400, 400, 1010);
    for (int i = 0; i < 9; ++i)
        add(i % 2 ? static_cast<CMyComponent*>(new CMyValue) : new CMyLabel, 700 + 60 * i, 450, 55, 20, 1010);
    MonitorHasValues = 1;
    double value = 0;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    for (auto _ : state) {
        StepEveryValue(value);
        place.MarkDirty(1);
        place.PaintDirty();
        canvas.Flush();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.counters["share_of_5ms_limit_%"] = 100.0 * seconds / 5e-3 / double(state.iterations());
    state.counters["widgets"] = double(place.count());
}
BENCHMARK(BM_RepaintMonitorGroup)->Unit(benchmark::kMillisecond);

// The monitor window's timer step with preset set 3 after every live value
// changed: the whole place repainted on its surface, at the window's size
// and enlarged to 180 % (as large as the surface allows), as a ratio to 5 ms.
void BM_RepaintPresetSet3(benchmark::State& state)
{
    BenchApplication();
    ValueDefs = InitialValueDefs();
    QImage logo(160, 80, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    TFormEM form(nullptr);
    form.DoCreate();
    TMonImg& img = *form.MonitorImage;
    img.LogoPicture = &logo;
    img.MonitorMode = MODE_LOADING;
    BuildPresetMonitorSet(&form, 3);
    SetEditMode(&form, false);
    const int percent = int(state.range(0));
    form.SetClientWidth(img.Place.origWidth * percent / 100);
    form.SetClientHeight(img.Place.origHeight * percent / 100 + img.BarHeight);
    form.FormResize(&form);
    MonitorHasValues = 1;
    double value = 0;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    for (auto _ : state) {
        StepEveryValue(value);
        form.OnTimer(&form);
        img.Canvas()->Flush();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.counters["share_of_5ms_limit_%"] = 100.0 * seconds / 5e-3 / double(state.iterations());
    state.counters["zoom"] = double(img.Place.items.front()->zoom);
    state.counters["widgets"] = double(img.Place.count());
}
BENCHMARK(BM_RepaintPresetSet3)->Arg(100)->Arg(180)->Unit(benchmark::kMillisecond);

} // namespace
