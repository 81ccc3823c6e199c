// Series storage at the watcher's trim limit: one new point and the oldest one removed.
#include "chart/sp_xy_data_series.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int DayOfPoints = 86400;

// A series holding a day of points; AX is the x of the next one.
void FillDay(qn::Tsp_XYDataSeries& ASeries, double& AX)
{
    for (int i = 0; i < DayOfPoints; ++i, AX += 1)
        ASeries.AddXY(AX, i % 97);
}

void BM_AddXYDeleteAtTrimLimit(benchmark::State& AState)
{
    qn::Tsp_XYDataSeries series;
    double x = 0;
    FillDay(series, x);
    for (auto _ : AState) {
        series.AddXY(x, 42.0);
        x += 1;
        series.Delete(0);
        benchmark::DoNotOptimize(series.Count());
    }
    AState.counters["points"] = series.Count();
}
BENCHMARK(BM_AddXYDeleteAtTrimLimit);

// The bounds after a delete: recomputed once over the whole series on the next paint.
void BM_BoundsAfterDelete(benchmark::State& AState)
{
    qn::Tsp_XYDataSeries series;
    double x = 0;
    FillDay(series, x);
    for (auto _ : AState) {
        series.AddXY(x, 42.0);
        x += 1;
        series.Delete(0);
        double lo, hi;
        series.GetYMinMax(lo, hi);
        benchmark::DoNotOptimize(hi);
    }
}
BENCHMARK(BM_BoundsAfterDelete);

} // namespace
