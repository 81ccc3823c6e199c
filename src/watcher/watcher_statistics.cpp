// The sampling tick of a watcher and the chart steps that follow it.
#include "watcher/watcher_statistics.h"

#include "watcher/quantity_format.h"

namespace qn {

const std::array<const char*, TWatcherStatistics::ReadOutCount> TWatcherStatistics::ReadOutHints{
    "Current", "Current", "Max", "Max", "Total transfer", "Total transfer", "Download", "Upload"};

TWatcherStatistics::TWatcherStatistics(ITrafficCounterSource& ASource, IWatcherClock& AClock, IWatcherChart& AChart)
    : FSource(ASource), FClock(AClock), FChart(AChart)
{
}

void TWatcherStatistics::Initialize()
{
    TDL = 0;
    TUL = 0;
}

void TWatcherStatistics::ClearSessionTotals()
{
    TDL = 0;
    TUL = 0;
}

void TWatcherStatistics::ReadCounters(std::uint64_t& AIn, std::uint64_t& AOut, bool& AWide)
{
    TTrafficCounters counters;
    if (!Present || !FSource.ReadCounters(Adapter.IntfIdx, counters))
        counters = TTrafficCounters{};
    AIn = counters.InOctets;
    AOut = counters.OutOctets;
    AWide = counters.Wide;
    // Both zero is a failed read or an interface that never moved: drop the baseline so the
    // next tick takes a fresh one instead of counting everything since boot as one second.
    if (AIn == 0 && AOut == 0) {
        DL = 0;
        UL = 0;
    }
}

std::uint64_t TWatcherStatistics::Difference(std::uint64_t ACurrent, std::uint64_t ABaseline, bool AWide) const
{
    if (AWide != FBaselineWide)
        return 0; // counters of another width: nothing comparable, start over
    if (!AWide)
        return (ACurrent - ABaseline) & 0xFFFFFFFFu; // one wrap of a 32-bit counter is absorbed
    // A 64-bit counter that drops was reset (interface re-created, driver reloaded).
    return ACurrent >= ABaseline ? ACurrent - ABaseline : 0;
}

void TWatcherStatistics::TimerTimer(int AUnits)
{
    // 1. First tick.
    if (ViewLength == 0)
        FirstTickSetUp();

    // 2. Baseline. A baseline read from another index belongs to another link.
    if (FBaselineIdx != Adapter.IntfIdx) {
        DL = 0;
        UL = 0;
    }
    if (UL == 0 && DL == 0) {
        std::uint64_t in = 0, out = 0;
        bool wide = false;
        ReadCounters(in, out, wide);
        DL = in;
        UL = out;
        FBaselineWide = wide;
        FBaselineIdx = Adapter.IntfIdx;
        ET = FClock.TickCount();
    }

    // A baseline read that failed leaves no baseline: this tick's differences would be whole
    // counters, a spike of everything since the interface came up.
    const bool haveBaseline = DL != 0 || UL != 0;

    // 3. Read.
    std::uint64_t curDL = 0, curUL = 0;
    bool wide = false;
    ReadCounters(curDL, curUL, wide);

    // 4. Totals.
    const std::uint64_t diffDL = haveBaseline ? Difference(curDL, DL, wide) : 0;
    const std::uint64_t diffUL = haveBaseline ? Difference(curUL, UL, wide) : 0;
    TDL += diffDL;
    TUL += diffUL;

    // 5. Elapsed time in seconds; a reading in the same millisecond counts as one second.
    const std::uint64_t now = FClock.TickCount();
    double elapsed = now >= ET ? static_cast<double>(now - ET) / 1000.0 : 0.0;
    if (elapsed == 0.0)
        elapsed = 1.0;

    // 6. Rates in bytes per second.
    FRateDL = static_cast<double>(diffDL) / elapsed;
    FRateUL = static_cast<double>(diffUL) / elapsed;

    // 7. Stamp for the next tick.
    ET = FClock.TickCount();

    // 8. Maxima, always in bytes per second.
    if (MDL < FRateDL)
        MDL = FRateDL;
    if (MUL < FRateUL)
        MUL = FRateUL;

    // 9. Read-outs.
    const std::uint8_t mode = AUnits >= 0 && AUnits <= 255 ? static_cast<std::uint8_t>(AUnits) : 255;
    FReadOuts[roDL] = FormatTraffic(mode, FRateDL);
    FReadOuts[roUL] = FormatTraffic(mode, FRateUL);
    FReadOuts[roDLMax] = FormatTraffic(mode, MDL);
    FReadOuts[roULMax] = FormatTraffic(mode, MUL);
    FReadOuts[roDLTotal] = FormatTraffic(tmTransfer, static_cast<double>(curDL));
    FReadOuts[roULTotal] = FormatTraffic(tmTransfer, static_cast<double>(curUL));
    FReadOuts[roTDL] = FormatTraffic(tmTransfer, static_cast<double>(TDL));
    FReadOuts[roTUL] = FormatTraffic(tmTransfer, static_cast<double>(TUL));

    // 10. Chart values: KiB/s for "Transfer", kbit/s for "Speed".
    double valueDL = FRateDL, valueUL = FRateUL;
    if (AUnits == tmTransfer) {
        valueDL /= 1024.0;
        valueUL /= 1024.0;
    } else if (AUnits == tmSpeed) {
        valueDL = valueDL * 8.0 / 1000.0;
        valueUL = valueUL * 8.0 / 1000.0;
    }

    // 11. Chart.
    FChart.DownloadSeries().AddXY(FClock.Now(), valueDL);
    FChart.UploadSeries().AddXY(FClock.Now(), valueUL);
    ChartSteps(valueDL, valueUL);

    // 12. New baseline.
    DL = curDL;
    UL = curUL;
    FBaselineWide = wide;
    FBaselineIdx = Adapter.IntfIdx;
}

void TWatcherStatistics::FirstTickSetUp()
{
    ViewLength = DefaultViewLength;
    EP = 0;
    MS = 0.0;
    const double now = FClock.Now();
    FChart.BottomAxis().SetMinMax(now, now + ViewLength * OneSecond);
}

void TWatcherStatistics::ChartSteps(double AValueDL, double AValueUL)
{
    Tsp_Axis& left = FChart.LeftAxis();
    Tsp_Axis& bottom = FChart.BottomAxis();

    // 1. Scroll exactly one second per tick, so a window panned behind the clock stays behind.
    if (FClock.Now() > bottom.Max())
        bottom.MoveMinMax(OneSecond);

    // 2. Trim both series on the download series' count.
    if (FChart.DownloadSeries().Count() > MaxPoints) {
        FChart.DownloadSeries().Delete(0);
        FChart.UploadSeries().Delete(0);
    }

    // 3. Peak.
    const double peak = AValueUL > AValueDL ? AValueUL : AValueDL;
    if (MS < peak)
        MS = peak;

    // 4. Grow at once to a new peak.
    if (MS > left.Max()) {
        left.SetMax(MS);
        EP = 0;
        MS = 0.0;
    }

    // 5. Shrink to the last period's peak, never below 10, once a window's worth of ticks passed.
    if (static_cast<std::int64_t>(EP) > static_cast<std::int64_t>(ViewLength)) {
        if (MS < left.Max()) {
            if (MS < MinValueAxisMax)
                MS = MinValueAxisMax;
            left.SetMax(MS);
            MS = 0.0;
        }
        EP = 0;
    }

    // 6. Mirror.
    FChart.RightAxis().SetMax(left.Max());

    // 7. Count.
    ++EP;
}

void TWatcherStatistics::ResetView()
{
    FChart.LeftAxis().SetMinMax(0.0, MS);
    const double now = FClock.Now();
    FChart.BottomAxis().SetMinMax(now, now + ViewLength * OneSecond);
}

std::string TWatcherStatistics::ValueHint(int AUnits, int AX, int AY)
{
    const double value = FChart.LeftAxis().P2V(AY);
    const double time = FChart.BottomAxis().P2V(AX);
    std::string hint = "Timestamp: ";
    hint += DateTimeToStr(time);
    hint += "\r\nValue: ";
    hint += FormatChartValue(AUnits, value);
    return hint;
}

} // namespace qn
