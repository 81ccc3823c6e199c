// The sampling tick of a watcher and the chart steps that follow it.
#include "watcher/watcher_statistics.h"

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

const TTrafficCounters* TWatcherStatistics::ReadCounters(TTrafficCounters& ACounters, std::uint64_t ANotBeforeMs)
{
    // Not present: nothing of this name is at the index, so whatever the index holds is not ours.
    if (!Present || !FSource.ReadCounters(Adapter.IntfIdx, ACounters, ANotBeforeMs))
        return nullptr;
    return &ACounters;
}

void TWatcherStatistics::DropBaseline()
{
    FBaseline.Drop();
    MirrorBaseline();
}

void TWatcherStatistics::MirrorBaseline()
{
    const TTrafficCounters reading = FBaseline.Reading();
    DL = reading.InOctets;
    UL = reading.OutOctets;
    ET = reading.TimeMs;
}

void TWatcherStatistics::TimerTimer(int AUnits)
{
    if (ViewLength == 0)
        FirstTickSetUp();
    // A baseline read from another index belongs to another link.
    if (FBaseline.Have() && FBaseline.IntfIdx() != Adapter.IntfIdx)
        DropBaseline();

    TTrafficCounters current;
    const TTrafficCounters* reading = ReadCounters(current, FBaseline.NotBeforeMs());
    const TCounterAdvance advance = FBaseline.Take(Adapter.IntfIdx, reading);
    MirrorBaseline();
    if (advance.Counted()) {
        TDL += advance.Step.In;
        TUL += advance.Step.Out;
    }
    if (advance.HasRate()) {
        FRateDL = advance.RateIn();
        FRateUL = advance.RateOut();
        // A maximum only ever comes from a rate over the span of its own two readings.
        if (MDL < FRateDL)
            MDL = FRateDL;
        if (MUL < FRateUL)
            MUL = FRateUL;
    } else if (advance.Kind == TCounterAdvance::akNone) {
        // A new baseline (or none): nothing to measure yet.
        FRateDL = 0.0;
        FRateUL = 0.0;
    } // else the two readings lie too close together for a rate: the last rates stand

    const bool usable = FBaseline.Have();
    WriteReadOuts(AUnits, usable ? current.InOctets : 0, usable ? current.OutOctets : 0);
    const double valueDL = ChartValue(AUnits, FRateDL);
    const double valueUL = ChartValue(AUnits, FRateUL);
    const double now = FClock.Now();
    const std::uint64_t tick = FClock.TickCount();
    const bool jumped = ClockJumped(now, tick);
    if (jumped) {
        FChart.DownloadSeries().BreakLine();
        FChart.UploadSeries().BreakLine();
    }
    FChart.DownloadSeries().AddXY(now, valueDL);
    FChart.UploadSeries().AddXY(now, valueUL);
    ChartSteps(valueDL, valueUL, now, jumped);
    FHaveLastTick = true;
    FLastNow = now;
    FLastTickTime = tick;
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
    if (FBaseline.Have() && FBaseline.IntfIdx() != Adapter.IntfIdx)
        DropBaseline();
    // Counted up to this moment: a reading taken now, whatever another reader took before. A failed
    // read (the interface is not back yet) drops the baseline; the first tick that reads it again
    // takes one.
    TTrafficCounters current;
    const TCounterAdvance advance = FBaseline.Take(Adapter.IntfIdx, ReadCounters(current, FClock.TickCount()));
    if (advance.Counted()) {
        TDL += advance.Step.In;
        TUL += advance.Step.Out;
    }
    MirrorBaseline();
    FChart.DownloadSeries().BreakLine();
    FChart.UploadSeries().BreakLine();
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
