// The sampling tick of a watcher and the chart steps that follow it.
#include "watcher/watcher_statistics.h"

#include "netdata/counter_difference.h"
#include "texts/quantity_format.h"

#include <cmath>

namespace qn {

namespace {
// How far the wall clock may run apart from the monotonic one between two ticks before that is a
// jump, and how long a tick may be late before the ticks count as stopped, in seconds.
constexpr double JumpTolerance = 1.0;
constexpr double StoppedTicks = 2.5;
} // namespace

const std::array<const char*, TWatcherStatistics::ReadOutCount> TWatcherStatistics::ReadOutHints{
    "Current", "Current", "Max", "Max", "Total transfer", "Total transfer", "Download", "Upload"};

TWatcherStatistics::TWatcherStatistics(ITrafficCounterSource& ASource, IClock& AClock, IWatcherChart& AChart)
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

bool TWatcherStatistics::ReadCounters(TTrafficCounters& ACounters)
{
    if (!Present || !FSource.ReadCounters(Adapter.IntfIdx, ACounters))
        ACounters = TTrafficCounters{};
    else if (UsableReading(ACounters))
        return true;
    // A failed read (or a 32-bit one of 0 and 0) drops the baseline, so the next good read takes
    // a fresh one instead of counting everything since boot as one second.
    ACounters = TTrafficCounters{};
    DropBaseline();
    return false;
}

void TWatcherStatistics::DropBaseline()
{
    DL = 0;
    UL = 0;
    FHaveBaseline = false;
}

void TWatcherStatistics::TimerTimer(int AUnits)
{
    if (ViewLength == 0)
        FirstTickSetUp();
    const bool haveBaseline = EnsureBaseline();

    TTrafficCounters current;
    const bool usable = ReadCounters(current);
    const std::uint64_t curDL = current.InOctets, curUL = current.OutOctets;
    // A baseline read that failed leaves no baseline: this tick's differences would be whole
    // counters, a spike of everything since the interface came up.
    const TCounterStep step =
        haveBaseline && usable ? CounterDifference({DL, UL, FBaselineWide}, current) : TCounterStep{};
    const std::uint64_t diffDL = step.In;
    const std::uint64_t diffUL = step.Out;
    TDL += diffDL;
    TUL += diffUL;

    const double elapsed = ElapsedSeconds();
    FRateDL = static_cast<double>(diffDL) / elapsed;
    FRateUL = static_cast<double>(diffUL) / elapsed;
    ET = FClock.TickCount();
    if (MDL < FRateDL)
        MDL = FRateDL;
    if (MUL < FRateUL)
        MUL = FRateUL;

    WriteReadOuts(AUnits, curDL, curUL);
    const double valueDL = ChartValue(AUnits, FRateDL);
    const double valueUL = ChartValue(AUnits, FRateUL);
    const double now = FClock.Now();
    const bool jumped = ClockJumped(now, ET);
    if (jumped) {
        FChart.DownloadSeries().BreakLine();
        FChart.UploadSeries().BreakLine();
    }
    FChart.DownloadSeries().AddXY(now, valueDL);
    FChart.UploadSeries().AddXY(now, valueUL);
    ChartSteps(valueDL, valueUL, now, jumped);
    FHaveLastTick = true;
    FLastNow = now;
    FLastTickTime = ET;

    if (usable)
        TakeBaseline(current);
}

bool TWatcherStatistics::ClockJumped(double ANow, std::uint64_t ATick) const
{
    if (!FHaveLastTick)
        return false;
    const double wall = (ANow - FLastNow) / OneSecond;
    const double monotonic = ATick >= FLastTickTime ? static_cast<double>(ATick - FLastTickTime) / 1000.0 : 0.0;
    // A wall clock that is not a number (a broken zone file) never compares: no jump.
    return std::fabs(wall - monotonic) > JumpTolerance || monotonic > StoppedTicks;
}

void TWatcherStatistics::StartNewBaseline()
{
    if (ViewLength == 0)
        return; // not started: the first tick takes the baseline
    const bool haveBaseline = FHaveBaseline && FBaselineIdx == Adapter.IntfIdx;
    const TTrafficCounters baseline{DL, UL, FBaselineWide};
    TTrafficCounters current;
    // A failed read (the interface is not back yet) drops the baseline; the first tick that reads
    // it again takes one.
    if (ReadCounters(current)) {
        if (haveBaseline) {
            const TCounterStep step = CounterDifference(baseline, current);
            TDL += step.In;
            TUL += step.Out;
        }
        TakeBaseline(current);
    }
    ET = FClock.TickCount();
    FChart.DownloadSeries().BreakLine();
    FChart.UploadSeries().BreakLine();
}

bool TWatcherStatistics::EnsureBaseline()
{
    // A baseline read from another index belongs to another link.
    if (FBaselineIdx != Adapter.IntfIdx)
        DropBaseline();
    if (!FHaveBaseline) {
        TTrafficCounters counters;
        if (ReadCounters(counters))
            TakeBaseline(counters);
        ET = FClock.TickCount();
    }
    return FHaveBaseline;
}

void TWatcherStatistics::TakeBaseline(const TTrafficCounters& ACounters)
{
    DL = ACounters.InOctets;
    UL = ACounters.OutOctets;
    FBaselineWide = ACounters.Wide;
    FBaselineIdx = Adapter.IntfIdx;
    FHaveBaseline = true;
}

double TWatcherStatistics::ElapsedSeconds() const
{
    // A reading in the same millisecond (or a clock that went back) counts as one second.
    const std::uint64_t now = FClock.TickCount();
    const double elapsed = now >= ET ? static_cast<double>(now - ET) / 1000.0 : 0.0;
    return elapsed == 0.0 ? 1.0 : elapsed;
}

void TWatcherStatistics::WriteReadOuts(int AUnits, std::uint64_t ACurrentDL, std::uint64_t ACurrentUL)
{
    // Maxima are kept in bytes per second and shown in the chosen units.
    const std::uint8_t mode = AUnits >= 0 && AUnits <= 255 ? static_cast<std::uint8_t>(AUnits) : 255;
    FReadOuts[roDL] = FormatTraffic(mode, FRateDL);
    FReadOuts[roUL] = FormatTraffic(mode, FRateUL);
    FReadOuts[roDLMax] = FormatTraffic(mode, MDL);
    FReadOuts[roULMax] = FormatTraffic(mode, MUL);
    FReadOuts[roDLTotal] = FormatTraffic(tmTransfer, static_cast<double>(ACurrentDL));
    FReadOuts[roULTotal] = FormatTraffic(tmTransfer, static_cast<double>(ACurrentUL));
    FReadOuts[roTDL] = FormatTraffic(tmTransfer, static_cast<double>(TDL));
    FReadOuts[roTUL] = FormatTraffic(tmTransfer, static_cast<double>(TUL));
}

double TWatcherStatistics::ChartValue(int AUnits, double ARate)
{
    // KiB/s for "Transfer", kbit/s for "Speed", bytes per second otherwise.
    if (AUnits == tmTransfer)
        return ARate / 1024.0;
    if (AUnits == tmSpeed)
        return ARate * 8.0 / 1000.0;
    return ARate;
}

void TWatcherStatistics::FirstTickSetUp()
{
    ViewLength = DefaultViewLength;
    EP = 0;
    MS = 0.0;
    const double now = FClock.Now();
    FChart.BottomAxis().SetMinMax(now, now + ViewLength * OneSecond);
}

void TWatcherStatistics::ChartSteps(double AValueDL, double AValueUL, double ANow, bool AJumped)
{
    Tsp_Axis& left = FChart.LeftAxis();
    Tsp_Axis& bottom = FChart.BottomAxis();

    // 1. Scroll exactly one second per tick, so a window panned behind the clock stays behind. A
    // clock that jumped (a sleep, a time sync, a clock set back) would leave the window hours
    // away from now: it is put back around now instead.
    if (AJumped && (ANow > bottom.Max() + OneSecond || ANow < bottom.Min() - OneSecond))
        Reanchor(ANow);
    else if (ANow > bottom.Max())
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

void TWatcherStatistics::Reanchor(double ANow)
{
    Tsp_Axis& bottom = FChart.BottomAxis();
    const double width = bottom.Max() - bottom.Min();
    // A jump of less than a window ahead keeps the points before it in view beside the gap, with
    // now at the right edge as the scroll keeps it; any other starts the window at now, as the
    // view reset does.
    if (FHaveLastTick && ANow > FLastNow && ANow - FLastNow < width)
        bottom.SetMinMax(ANow - width, ANow);
    else
        bottom.SetMinMax(ANow, ANow + width);
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
