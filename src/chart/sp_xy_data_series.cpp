// Point storage of a chart series.
#include "chart/sp_xy_data_series.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace qn {

namespace {
// Counts stay representable as int, the type of indices in the interface.
constexpr int MaxPoints = 1 << 30;
// Up to this many runs, deleting a bound recomputes the x bounds at once.
constexpr std::size_t KeptRuns = 8;

// The value as kept: the nearest float when that is a normal float or zero (rates up to 10^38
// bytes a second lose at most 2^-24 of themselves), else the value itself.
double KeptValue(double AValue)
{
    const float f = static_cast<float>(AValue);
    if (!std::isfinite(f) || (f == 0 && AValue != 0) || (f != 0 && std::fabs(f) < std::numeric_limits<float>::min()))
        return AValue;
    return f;
}
} // namespace

void Tsp_XYDataSeries::Append(double AX, double AY)
{
    if (FBlockCount == 0 || Block(FBlockCount - 1).Full()) {
        if (FBlockCount > 0)
            Block(FBlockCount - 1).Pack();
        if (FBlockCount == FBlocks.size()) {
            std::vector<Tsp_PointBlock> blocks(std::max<std::size_t>(4, FBlocks.size() * 2));
            for (std::size_t i = 0; i < FBlockCount; ++i)
                blocks[i] = std::move(Block(i));
            FBlocks.swap(blocks);
            FHead = 0;
        }
        ++FBlockCount;
        Block(FBlockCount - 1).Start();
    }
    Block(FBlockCount - 1).Add(AX, AY);
    ++FCount;
}

void Tsp_XYDataSeries::AddXY(double AX, double AY)
{
    if (FCount >= MaxPoints)
        return; // a billion points: refuse rather than overflow the index type
    MarkChanged(cpElsewhere, AX);
    if (FCount > 0) {
        const double prev = X(FCount - 1);
        MarkChanged(cpElsewhere, prev);
        const bool descending = !(AX >= prev);
        if (descending || FBreakNext) {
            PushBreak({FFirstSeq + static_cast<std::uint64_t>(FCount), descending, AX, prev});
        }
    }
    FBreakNext = false;
    const double y = FExactValues ? AY : KeptValue(AY);
    Append(AX, y);
    if (FCount == 1) {
        FXMin = FXMax = AX;
        FYMin = FYMax = y;
        FBoundsValid = true;
    } else if (FBoundsValid) {
        FXMin = std::min(FXMin, AX);
        FXMax = std::max(FXMax, AX);
        FYMin = std::min(FYMin, y);
        FYMax = std::max(FYMax, y);
    }
    Changed();
}

void Tsp_XYDataSeries::DropStorage()
{
    FBlocks.clear();
    FHead = 0;
    FBlockCount = 0;
    FFirst = 0;
    FCount = 0;
}

void Tsp_XYDataSeries::Delete(int AIndex)
{
    if (AIndex < 0 || AIndex >= FCount)
        return;
    const double x = X(AIndex), y = Y(AIndex);
    MarkChangedAround(AIndex);
    if (FCount == 1) {
        DropStorage();
    } else if (AIndex == 0) {
        --FCount;
        ++FFirstSeq;
        if (!FBreaks.empty() && FBreaks.front().Seq == FFirstSeq) {
            FDescendingBreaks -= FBreaks.front().Descending ? 1 : 0;
            FBreaks.pop_front();
            if (--FGroups.front().Count == 0)
                FGroups.pop_front();
        }
        if (++FFirst == static_cast<std::size_t>(Tsp_PointBlock::Size)) {
            Block(0) = Tsp_PointBlock();
            FHead = (FHead + 1) & (FBlocks.size() - 1);
            --FBlockCount;
            FFirst = 0;
        }
    } else if (AIndex == FCount - 1) {
        Tsp_PointBlock& last = Block(FBlockCount - 1);
        last.RemoveLast();
        --FCount;
        if (!FBreaks.empty() && FBreaks.back().Seq == FFirstSeq + static_cast<std::uint64_t>(FCount)) {
            FDescendingBreaks -= FBreaks.back().Descending ? 1 : 0;
            FBreaks.pop_back();
            if (--FGroups.back().Count == 0)
                FGroups.pop_back();
        }
        if (last.Count() == 0) {
            last = Tsp_PointBlock();
            --FBlockCount;
        }
    } else {
        DeleteInside(AIndex);
    }
    // The bounds survive unless the point held one of them: trimming a day-long series then
    // needs no scan over all points on the next paint. The x bounds are the runs' ends.
    if (FBoundsValid && FCount > 0) {
        // With a handful of runs the x bounds are had at once; after many steps of the clock they
        // are left to the next look, as the y bounds are.
        bool keep = y > FYMin && y < FYMax;
        if (!(x > FXMin && x < FXMax)) {
            if (FBreaks.size() < KeptRuns)
                UpdateXBoundsFromRuns();
            else
                keep = false;
        }
        FBoundsValid = keep;
    } else {
        FBoundsValid = false;
    }
    Changed();
}

void Tsp_XYDataSeries::DeleteInside(int AIndex)
{
    // The blocks are rebuilt without the point (as rare as it is O(n)).
    std::vector<std::pair<double, double>> points;
    points.reserve(static_cast<std::size_t>(FCount - 1));
    for (int i = 0; i < FCount; ++i)
        if (i != AIndex)
            points.emplace_back(X(i), Y(i));
    DropStorage();
    for (const auto& [px, py] : points)
        Append(px, py);
    // A run that started at the point now starts at the one after it; whether a run starts with
    // a step back is decided again against its new neighbour.
    const std::uint64_t gone = FFirstSeq + static_cast<std::uint64_t>(AIndex);
    std::deque<TBreak> breaks;
    FDescendingBreaks = 0;
    for (TBreak b : FBreaks) {
        if (b.Seq > gone)
            --b.Seq;
        if (!breaks.empty() && breaks.back().Seq == b.Seq)
            continue;
        const int i = static_cast<int>(b.Seq - FFirstSeq);
        b.X = X(i);
        b.PrevX = X(i - 1);
        b.Descending = !(b.X >= b.PrevX);
        FDescendingBreaks += b.Descending ? 1 : 0;
        breaks.push_back(b);
    }
    FBreaks.swap(breaks);
    RebuildGroups();
}

void Tsp_XYDataSeries::PushBreak(const TBreak& ABreak)
{
    // The run the last break started ends where this one begins.
    if (!FGroups.empty())
        FGroups.back().Max = std::max(FGroups.back().Max, ABreak.PrevX);
    FBreaks.push_back(ABreak);
    FDescendingBreaks += ABreak.Descending ? 1 : 0;
    if (FGroups.empty() || FGroups.back().Count == GroupSize) {
        FGroups.push_back({ABreak.X, ABreak.X, 1});
    } else {
        TRunGroup& g = FGroups.back();
        g.Min = std::min(g.Min, ABreak.X);
        g.Max = std::max(g.Max, ABreak.X);
        ++g.Count;
    }
}

void Tsp_XYDataSeries::RebuildGroups()
{
    std::deque<TBreak> breaks;
    breaks.swap(FBreaks);
    FGroups.clear();
    FDescendingBreaks = 0;
    for (const TBreak& b : breaks)
        PushBreak(b);
}

void Tsp_XYDataSeries::MarkChangedAround(int AIndex)
{
    // The lines from and to the point go; one may join its neighbours instead.
    const TChangePlace place = AIndex == 0 ? cpFront : cpElsewhere;
    for (int i = std::max(0, AIndex - 1); i <= AIndex + 1 && i < FCount; ++i)
        MarkChanged(place, X(i));
}

void Tsp_XYDataSeries::Clear()
{
    FChangedAll = true;
    DropStorage();
    FFirstSeq = 0;
    FBreaks.clear();
    FGroups.clear();
    FDescendingBreaks = 0;
    FBreakNext = false;
    FBoundsValid = false;
    Changed();
}

std::size_t Tsp_XYDataSeries::StorageBytes() const
{
    std::size_t bytes = FBlocks.capacity() * sizeof(Tsp_PointBlock);
    for (std::size_t i = 0; i < FBlockCount; ++i)
        bytes += Block(i).Bytes();
    return bytes;
}

void Tsp_XYDataSeries::UpdateBounds() const
{
    if (FBoundsValid || FCount == 0)
        return;
    double yMin = std::numeric_limits<double>::infinity(), yMax = -yMin;
    UpdateXBoundsFromRuns();
    const std::size_t end = FFirst + static_cast<std::size_t>(FCount);
    for (std::size_t b = 0; b < FBlockCount; ++b) {
        const std::size_t from = b == 0 ? FFirst : 0;
        const std::size_t to = std::min(end - b * Tsp_PointBlock::Size, std::size_t{Tsp_PointBlock::Size});
        Block(b).YRange(static_cast<int>(from), static_cast<int>(to), yMin, yMax);
    }
    FYMin = yMin;
    FYMax = yMax;
    FBoundsValid = true;
}

void Tsp_XYDataSeries::UpdateXBoundsFromRuns() const
{
    // x ascends within a run, so its ends are its bounds.
    double xMin = std::numeric_limits<double>::infinity(), xMax = -xMin;
    ForEachRun([&](int, int, double AFirst, double ALast) {
        xMin = std::min(xMin, AFirst);
        xMax = std::max(xMax, ALast);
    });
    FXMin = xMin;
    FXMax = xMax;
}

bool Tsp_XYDataSeries::GetXMinMax(double& AMin, double& AMax) const
{
    if (FCount == 0)
        return false;
    UpdateBounds();
    AMin = FXMin;
    AMax = FXMax;
    return true;
}

bool Tsp_XYDataSeries::GetYMinMax(double& AMin, double& AMax) const
{
    if (FCount == 0)
        return false;
    UpdateBounds();
    AMin = FYMin;
    AMax = FYMax;
    return true;
}

} // namespace qn
