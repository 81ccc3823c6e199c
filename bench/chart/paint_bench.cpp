// Repaints of a watcher-sized plot (400 x 150 field) with two series, full day and five minutes.
#include "chart/sp_xy_plot.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

constexpr double Second = 1.0 / 86400.0;
constexpr double Now = 45000.5;

// A plot whose field is 400 x 150 pixels, set up as a watcher's chart, with APoints points per
// series ending at the right edge of a five-minute window.
struct TBenchPlot
{
    qn::Tsp_XYPlot Plot;
    QImage Target;

    // With ASteps, the clock was set back ABackSeconds ASteps times over the day, the last time
    // well over an hour before the end, so that the window shows the same last five minutes.
    explicit TBenchPlot(int APoints, int ASteps = 0, int ABackSeconds = 0)
    {
        Plot.SetFieldColor(Qt::black);
        Plot.SetBufferedDisplay(true);
        Plot.LeftAxis().SetTicksCount(6);
        Plot.LeftAxis().SetGridAttr({0x464646, qn::Tsp_PenStyle::Solid, 1, true});
        Plot.RightAxis().SetFlags(qn::sfVertical | qn::sfOpposite);
        Plot.RightAxis().SetTicksCount(6);
        Plot.BottomAxis().SetFlags(qn::sfLabelAsDateTime);
        Plot.BottomAxis().SetTicksCount(3);
        Plot.BottomAxis().SetLabelFormat("hh:mm:ss");
        Plot.BottomAxis().SetGridAttr({0x464646, qn::Tsp_PenStyle::Solid, 1, true});
        Plot.BottomAxis().SetMinMax(Now - 300 * Second, Now);
        Plot.LeftAxis().SetMinMax(0, 100);
        Plot.RightAxis().SetMinMax(0, 100);
        qn::Tsp_XYLine& down = Plot.AddLine();
        down.SetLineAttr({0xA6CAF0, qn::Tsp_PenStyle::Solid, 1, true});
        qn::Tsp_XYLine& up = Plot.AddLine();
        up.SetLineAttr({0x00FF00, qn::Tsp_PenStyle::Solid, 1, true});
        std::mt19937 random(1);
        std::uniform_real_distribution<double> value(0.0, 100.0);
        // Built from the newest point back: before each step the clock was ahead by the step.
        std::vector<double> xs(static_cast<std::size_t>(APoints));
        constexpr int LastRun = 4000;
        const int spacing = ASteps > 0 ? std::max(1, (APoints - LastRun) / ASteps) : 0;
        double x = Now;
        for (int i = APoints - 1; i >= 0; --i) {
            xs[static_cast<std::size_t>(i)] = x;
            const int fromStep = APoints - LastRun - i;
            const bool step = ASteps > 0 && fromStep >= 0 && fromStep % spacing == 0 && fromStep / spacing < ASteps;
            x += step ? (ABackSeconds - 1) * Second : -Second;
        }
        for (int i = 0; i < APoints; ++i) {
            down.AddXY(xs[static_cast<std::size_t>(i)], value(random));
            up.AddXY(xs[static_cast<std::size_t>(i)], value(random) / 3);
        }
        // Grow the widget until the field is 400 x 150.
        Plot.resize(500, 200);
        const QRect field = Plot.FieldRect();
        Plot.resize(500 + 400 - field.width(), 200 + 150 - field.height());
        Target = QImage(Plot.size(), QImage::Format_RGB32);
        Plot.render(&Target);
    }
};

// Everything redrawn: layout, axes, labels, grids and both series, as after a tick that scrolls.
void BM_RepaintAll(benchmark::State& AState)
{
    TBenchPlot bench(static_cast<int>(AState.range(0)));
    for (auto _ : AState) {
        bench.Plot.Invalidate();
        bench.Plot.render(&bench.Target);
    }
    AState.counters["field_w"] = bench.Plot.FieldRect().width();
    AState.counters["field_h"] = bench.Plot.FieldRect().height();
}
BENCHMARK(BM_RepaintAll)->Arg(86400)->Arg(300)->Unit(benchmark::kMicrosecond);

// One tick's work on the chart at the trim limit: two points added, two trimmed, the window
// scrolled by a second, then the repaint.
void BM_TickAndRepaintAtTrimLimit(benchmark::State& AState)
{
    TBenchPlot bench(86400);
    double x = Now;
    for (auto _ : AState) {
        x += Second;
        bench.Plot.Series(0).AddXY(x, 50);
        bench.Plot.Series(1).AddXY(x, 20);
        bench.Plot.Series(0).Delete(0);
        bench.Plot.Series(1).Delete(0);
        bench.Plot.BottomAxis().MoveMinMax(Second);
        bench.Plot.render(&bench.Target);
    }
}
BENCHMARK(BM_TickAndRepaintAtTrimLimit)->Unit(benchmark::kMicrosecond);

// A tick before the window is full: two points added at its right end and nothing scrolled, so
// only their columns are drawn again.
void BM_TickAndRepaintFillingWindow(benchmark::State& AState)
{
    TBenchPlot bench(86400);
    double x = Now;
    int filled = 300;
    for (auto _ : AState) {
        if (++filled > 290) {
            // A fresh window (a whole paint, not timed) for the next points to fill.
            AState.PauseTiming();
            bench.Plot.BottomAxis().SetMinMax(x, x + 300 * Second);
            bench.Plot.render(&bench.Target);
            filled = 0;
            AState.ResumeTiming();
        }
        x += Second;
        bench.Plot.Series(0).AddXY(x, 50);
        bench.Plot.Series(1).AddXY(x, 20);
        bench.Plot.Series(0).Delete(0);
        bench.Plot.Series(1).Delete(0);
        bench.Plot.render(&bench.Target);
    }
}
BENCHMARK(BM_TickAndRepaintFillingWindow)->Unit(benchmark::kMicrosecond);

// The same tick at the trim limit after the clock was set back range(1) seconds range(0) times
// during the day: drawing must cost what it costs without the steps (range(0) = 0).
void BM_TickAndRepaintAfterStepsBack(benchmark::State& AState)
{
    TBenchPlot bench(86400, static_cast<int>(AState.range(0)), static_cast<int>(AState.range(1)));
    double x = Now;
    for (auto _ : AState) {
        x += Second;
        bench.Plot.Series(0).AddXY(x, 50);
        bench.Plot.Series(1).AddXY(x, 20);
        bench.Plot.Series(0).Delete(0);
        bench.Plot.Series(1).Delete(0);
        bench.Plot.BottomAxis().MoveMinMax(Second);
        bench.Plot.render(&bench.Target);
    }
    AState.counters["runs"] = bench.Plot.Series(0).RunCount();
}
BENCHMARK(BM_TickAndRepaintAfterStepsBack)
    ->Args({0, 0})
    ->Args({1, 3600})
    ->Args({20, 3600})
    ->Args({1000, 2})
    ->Unit(benchmark::kMicrosecond);

// Only the field redrawn (series changed, axes not): the buffered display keeps the surroundings.
void BM_RepaintField(benchmark::State& AState)
{
    TBenchPlot bench(static_cast<int>(AState.range(0)));
    qn::Tsp_LineAttr attr = bench.Plot.Series(1).LineAttr();
    for (auto _ : AState) {
        attr.Color ^= 0x010101; // a series change the kept field cannot take over
        bench.Plot.Series(1).SetLineAttr(attr);
        bench.Plot.render(&bench.Target);
    }
}
BENCHMARK(BM_RepaintField)->Arg(86400)->Arg(300)->Unit(benchmark::kMicrosecond);

} // namespace
