// Point storage of a chart series: x-y pairs in packed blocks with lazily kept bounds.
#pragma once

#include "chart/sp_point_block.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace qn {

// The series base: which axes it is plotted against, its legend and whether it is drawn.
class Tsp_DataSeries
{
public:
    enum TXAxis
    {
        dsxBottom,
        dsxTop
    };
    enum TYAxis
    {
        dsyLeft,
        dsyRight
    };

    virtual ~Tsp_DataSeries() = default;

    TXAxis XAxis = dsxBottom;
    TYAxis YAxis = dsyLeft;
    std::string Legend;
    bool Active = true;

    // Called after every change of the points; the plot assigns it to re-range and redraw.
    std::function<void()> OnChange;

protected:
    void Changed()
    {
        if (OnChange)
            OnChange();
    }
};

// Points are kept in insertion order, in blocks of Tsp_PointBlock::Size that are packed once
// full: x exactly (a day of stamps about a second apart takes 0 to 2 bytes a point), y as a 32-bit
// float (see AddXY). Removing the oldest or the newest point is O(1), adding is amortised O(1),
// reading a point is O(1). Bounds are widened on add; a delete that removes a bound has them
// recomputed on demand.
//
// The points fall into runs: a point whose x is below the x before it (a clock set back), or one
// added after BreakLine (a clock that jumped ahead, a sleep), starts a new run. Within a run x
// ascends, so a drawer finds a run's visible part by binary search, and a line is never drawn
// from one run into the next. The cost of drawing thus depends on the number of runs, not on how
// long ago the last step back was.
class Tsp_XYDataSeries : public Tsp_DataSeries
{
public:
    // AX is kept exactly. AY is kept as the nearest 32-bit float (relative error at most 2^-24)
    // when that is a normal float or zero, else exactly; with SetExactValues(true) always exactly.
    // X and Y read back what was kept.
    void AddXY(double AX, double AY);
    // The next point added starts a new run: no line joins it to the point before.
    void BreakLine() { FBreakNext = FCount > 0; }
    // True keeps every later y exactly, at 4 more bytes a point.
    void SetExactValues(bool AOn) { FExactValues = AOn; }
    bool ExactValues() const { return FExactValues; }
    // Removes point AIndex; an index outside 0 .. Count() - 1 is ignored.
    void Delete(int AIndex);
    void Clear();

    int Count() const { return FCount; }
    double X(int AIndex) const
    {
        const std::size_t p = FFirst + static_cast<std::size_t>(AIndex);
        return Block(p >> Tsp_PointBlock::Shift).X(static_cast<int>(p & Mask));
    }
    double Y(int AIndex) const
    {
        const std::size_t p = FFirst + static_cast<std::size_t>(AIndex);
        return Block(p >> Tsp_PointBlock::Shift).Y(static_cast<int>(p & Mask));
    }
    // Calls AVisit(x, y) for points AFrom .. ATo - 1 in order: the same values as X and Y give,
    // read a block at a time.
    template <class TVisit>
    void ForEachPoint(int AFrom, int ATo, TVisit&& AVisit) const
    {
        while (AFrom < ATo) {
            const std::size_t p = FFirst + static_cast<std::size_t>(AFrom);
            const int at = static_cast<int>(p & Mask);
            const int run = std::min(ATo - AFrom, Tsp_PointBlock::Size - at);
            Block(p >> Tsp_PointBlock::Shift).ForEach(at, at + run, AVisit);
            AFrom += run;
        }
    }
    // Heap bytes the points take.
    std::size_t StorageBytes() const;

    // Where lines or points may have appeared or gone since the last ClearChanges, as ranges of x
    // (each empty when Low > High): trimming at the front, and every other addition or deletion
    // with its neighbours. AllChanged when any place may have changed (a clear, an x that is not
    // a number).
    struct TChangedX
    {
        double Low = std::numeric_limits<double>::infinity();
        double High = -std::numeric_limits<double>::infinity();
    };
    enum TChangePlace
    {
        cpFront,
        cpElsewhere
    };
    const TChangedX& ChangedX(TChangePlace APlace) const { return FChanged[APlace]; }
    bool AllChanged() const { return FChangedAll; }
    void ClearChanges()
    {
        FChanged = {};
        FChangedAll = false;
    }

    // The bounds over all points; false when the series is empty.
    bool GetXMinMax(double& AMin, double& AMax) const;
    bool GetYMinMax(double& AMin, double& AMax) const;
    // True while every x is at least the x before it (no run starts with a step back).
    bool XAscending() const { return FDescendingBreaks == 0; }
    // The number of runs (0 for an empty series).
    int RunCount() const { return FCount == 0 ? 0 : static_cast<int>(FBreaks.size()) + 1; }
    // Calls AVisit(from, to, xFirst, xLast) for each run of points from .. to - 1, in order, with
    // the x of its first and last point (its bounds, as x ascends within it).
    template <class TVisit>
    void ForEachRun(TVisit&& AVisit) const
    {
        if (FCount == 0)
            return;
        int from = 0;
        double first = X(0);
        for (const TBreak& b : FBreaks) {
            const int to = static_cast<int>(b.Seq - FFirstSeq);
            AVisit(from, to, first, b.PrevX);
            from = to;
            first = b.X;
        }
        AVisit(from, FCount, first, X(FCount - 1));
    }
    // The same for the runs that may reach x values in ALo .. AHi (and perhaps some that do not),
    // in no particular order: runs are kept in groups with their x bounds, and a group wholly
    // beside the range costs one comparison however many steps of the clock it holds.
    template <class TVisit>
    void ForEachRunNear(double ALo, double AHi, TVisit&& AVisit) const
    {
        if (FCount == 0)
            return;
        const std::size_t breaks = FBreaks.size();
        const auto run = [&](std::size_t AQ) {
            // The run that break AQ starts; the one before the first break for AQ == breaks.
            const bool first = AQ == breaks;
            const int from = first ? 0 : static_cast<int>(FBreaks[AQ].Seq - FFirstSeq);
            const std::size_t next = first ? 0 : AQ + 1;
            const bool open = next == breaks;
            const int to = open ? FCount : static_cast<int>(FBreaks[next].Seq - FFirstSeq);
            AVisit(from, to, first ? X(0) : FBreaks[AQ].X, open ? X(FCount - 1) : FBreaks[next].PrevX);
        };
        run(breaks);
        std::size_t p = 0;
        for (const TRunGroup& g : FGroups) {
            const std::size_t end = p + static_cast<std::size_t>(g.Count);
            if (!(g.Max < ALo || g.Min > AHi)) {
                for (std::size_t q = p; q < end; ++q)
                    run(q);
            } else if (end == breaks) {
                run(breaks - 1); // the newest run grows past what its group knows
            }
            p = end;
        }
    }

private:
    static constexpr std::size_t Mask = Tsp_PointBlock::Size - 1;

    const Tsp_PointBlock& Block(std::size_t AIndex) const { return FBlocks[(FHead + AIndex) & (FBlocks.size() - 1)]; }
    Tsp_PointBlock& Block(std::size_t AIndex) { return FBlocks[(FHead + AIndex) & (FBlocks.size() - 1)]; }
    void Append(double AX, double AY);
    void DropStorage();
    void UpdateBounds() const;
    void UpdateXBoundsFromRuns() const;
    void DeleteInside(int AIndex);

    // A point that starts a run, by its sequence number (point i has FFirstSeq + i).
    struct TBreak
    {
        std::uint64_t Seq;
        bool Descending; // its x is below the x before it
        double X;        // its x
        double PrevX;    // the x before it, the end of the run before
    };
    void PushBreak(const TBreak& ABreak);
    void MarkChanged(TChangePlace APlace, double AX)
    {
        if (std::isnan(AX))
            FChangedAll = true;
        TChangedX& range = FChanged[APlace];
        range.Low = std::min(range.Low, AX);
        range.High = std::max(range.High, AX);
    }
    void MarkChangedAround(int AIndex);
    void RebuildGroups();

    // A ring of blocks (its size a power of two); every block but the last is full. Point i is
    // at position FFirst + i counted from the first block's start.
    std::vector<Tsp_PointBlock> FBlocks;
    std::size_t FHead = 0;
    std::size_t FBlockCount = 0;
    std::size_t FFirst = 0;
    int FCount = 0;
    bool FExactValues = false;
    std::uint64_t FFirstSeq = 0;
    std::deque<TBreak> FBreaks;
    // Consecutive breaks in groups of up to GroupSize, with bounds of the x of their runs that
    // may be wider than the runs are now (trimming does not narrow them); the newest run's growing
    // end is not in them.
    struct TRunGroup
    {
        double Min;
        double Max;
        int Count;
    };
    static constexpr int GroupSize = 32;
    std::deque<TRunGroup> FGroups;
    int FDescendingBreaks = 0;
    bool FBreakNext = false;
    bool FChangedAll = true;
    std::array<TChangedX, 2> FChanged{};
    mutable bool FBoundsValid = false;
    mutable double FXMin = 0, FXMax = 0, FYMin = 0, FYMax = 0;
};

} // namespace qn
