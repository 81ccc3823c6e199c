// The sampling state of one watcher: counters, rates, maxima, session totals, read-outs and chart steps.
#pragma once

#include "netdata/counter_baseline.h"
#include "netdata/network_configuration.h"
#include "netdata/traffic_counter_source.h"
#include "platform/clock.h"
#include "watcher/watcher_chart.h"

#include <array>
#include <cstdint>
#include <string>

namespace qn {

// One watcher's statistics, owned by its panel and driven by the panel's one-second timer.
// The counter source, the clock and the chart are the panel's and outlive this object.
// Counters and totals are 64-bit; differences follow the one counter rule through the baseline
// keeper (TCounterBaseline). A rate is the bytes between two readings over the time between those
// two readings (each carries the monotonic time it was taken), never over the time between two
// ticks: a shared reading may be up to a tick old, and after a refresh or a wake it was taken at
// another moment. A tick that is handed the reading it had last time keeps the last rates.
class TWatcherStatistics
{
public:
    // The read-outs in the order a tick writes them.
    enum TReadOut
    {
        roDL,
        roUL,
        roDLMax,
        roULMax,
        roDLTotal,
        roULTotal,
        roTDL,
        roTUL,
        ReadOutCount
    };
    // The hints of the read-out panels, in the same order.
    static const std::array<const char*, ReadOutCount> ReadOutHints;

    static constexpr std::uint32_t DefaultViewLength = 300;
    // Each series keeps one day of points at one point per second.
    static constexpr int MaxPoints = 86400;
    // The value axis never shrinks below this many chart units.
    static constexpr double MinValueAxisMax = 10.0;
    // One second as a date-time (days).
    static constexpr double OneSecond = 1.1574074074074073e-05;

    TWatcherStatistics(ITrafficCounterSource& ASource, IClock& AClock, IWatcherChart& AChart);

    // A copy of the watched interface's record; the sampling reads only its IntfIdx. The owner may
    // replace it between ticks; the next tick reads the new index, and when the index changed it
    // takes a new baseline there (the counters of another link are not comparable).
    TAdapter Adapter;
    // False while no interface of the record's name is at its IntfIdx (gone, renamed, or the index
    // now belongs to another link): a tick then reads nothing, as for a failed read, so the panel
    // never counts another interface's bytes and takes a fresh baseline when it is present again.
    bool Present = true;

    std::uint64_t DL = 0;         // inbound counter of the baseline reading; 0 and 0 while there is none
    std::uint64_t UL = 0;         // outbound counter of the baseline reading
    std::uint64_t TDL = 0;        // bytes downloaded this session
    std::uint64_t TUL = 0;        // bytes uploaded this session
    double MS = 0.0;              // chart peak since the last rescale of the value axis, in chart units
    double MDL = 0.0;             // highest download rate seen, bytes per second
    double MUL = 0.0;             // highest upload rate seen, bytes per second
    std::uint64_t ET = 0;         // monotonic milliseconds the baseline reading was taken at
    std::int32_t EP = 0;          // ticks since the last rescale of the value axis
    std::uint32_t ViewLength = 0; // seconds in the time window; 0 until the first tick

    // Sets the session totals to 0.
    void Initialize();
    // Forgets the baseline: the next tick takes a new one and counts nothing.
    void DropBaseline();
    // One sampling tick. AUnits is the units selector's index now: 0 "Transfer", 1 "Speed".
    void TimerTimer(int AUnits);
    // Clears the session totals (the panel asks for confirmation first). Maxima, baseline and
    // chart stay; the read-outs change at the next tick.
    void ClearSessionTotals();
    // The view reset of a double-click or a units change: value axis 0 to MS, time window from now.
    void ResetView();
    // After a sleep (or anything else that stopped the ticks for a while): what the counters moved
    // since the last tick is added to the session totals, the next tick measures from now, and the
    // chart's line breaks there. Neither the bytes from before nor the time asleep reach a rate.
    void StartNewBaseline();
    // The chart's hint for the pointer at pixel (AX, AY): "Timestamp: ...\r\nValue: ...".
    std::string ValueHint(int AUnits, int AX, int AY);

    // The texts of the last tick, indexed by TReadOut.
    const std::array<std::string, ReadOutCount>& ReadOuts() const { return FReadOuts; }
    // The rates of the last tick in bytes per second.
    double RateDL() const { return FRateDL; }
    double RateUL() const { return FRateUL; }

private:
    // Reads the counters into ACounters: null when the read failed or the interface is not present.
    const TTrafficCounters* ReadCounters(TTrafficCounters& ACounters, std::uint64_t ANotBeforeMs);
    void FirstTickSetUp();
    // DL, UL and ET show the baseline keeper's reading.
    void MirrorBaseline();
    void WriteReadOuts(int AUnits, std::uint64_t ACurrentDL, std::uint64_t ACurrentUL);
    static double ChartValue(int AUnits, double ARate);
    // True when the wall clock moved unlike the monotonic one since the last tick (a step, a
    // sleep), or the ticks stopped for a while: the chart shows a gap there.
    bool ClockJumped(double ANow, std::uint64_t ATick) const;
    void ChartSteps(double AValueDL, double AValueUL, double ANow, bool AJumped);
    // Puts now into the time window, keeping its width.
    void Reanchor(double ANow);

    ITrafficCounterSource& FSource;
    IClock& FClock;
    IWatcherChart& FChart;
    TCounterBaseline FBaseline;
    double FRateDL = 0.0;
    double FRateUL = 0.0;
    bool FHaveLastTick = false;
    double FLastNow = 0.0;           // the wall clock at the last tick's point
    std::uint64_t FLastTickTime = 0; // the monotonic clock then
    std::array<std::string, ReadOutCount> FReadOuts;
};

} // namespace qn
