// Point storage of a chart series: x-y pairs in a ring buffer with lazily kept bounds.
#pragma once

#include <cstdint>
#include <functional>
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

// Points are kept in insertion order. Removing the oldest or the newest point is O(1), adding is
// amortised O(1). Bounds are widened on add; a delete that removes a bound has them recomputed on
// demand.
class Tsp_XYDataSeries : public Tsp_DataSeries
{
public:
    Tsp_XYDataSeries();

    void AddXY(double AX, double AY);
    // The number of points the owner keeps the series at (trimming the oldest): the storage, which
    // otherwise doubles, grows no further than that before it has to, so a long series wastes no
    // memory on room it never fills. 0 (the default) lets it double freely.
    void SetCapacityHint(int ACount) { FCapacityHint = ACount > 0 ? static_cast<std::size_t>(ACount) : 0; }
    // Points the storage holds before it grows again.
    int Capacity() const { return static_cast<int>(FX.size()); }
    // Removes point AIndex; an index outside 0 .. Count() - 1 is ignored.
    void Delete(int AIndex);
    void Clear();

    int Count() const { return FCount; }
    double X(int AIndex) const { return FX[Slot(AIndex)]; }
    double Y(int AIndex) const { return FY[Slot(AIndex)]; }

    // The bounds over all points; false when the series is empty.
    bool GetXMinMax(double& AMin, double& AMax) const;
    bool GetYMinMax(double& AMin, double& AMax) const;
    // True while every x is at least the x before it, which lets a drawer search the visible run.
    bool XAscending() const { return FXAscending; }

private:
    std::size_t Slot(int AIndex) const
    {
        const std::size_t slot = FHead + static_cast<std::size_t>(AIndex);
        return slot < FX.size() ? slot : slot - FX.size();
    }
    std::size_t Next(std::size_t ASlot) const { return ASlot + 1 < FX.size() ? ASlot + 1 : 0; }
    void Grow();
    void UpdateBounds() const;

    std::vector<double> FX;
    std::vector<double> FY;
    std::size_t FHead = 0;
    std::size_t FCapacityHint = 0;
    int FCount = 0;
    bool FXAscending = true;
    mutable bool FBoundsValid = false;
    mutable double FXMin = 0, FXMax = 0, FYMin = 0, FYMax = 0;
};

} // namespace qn
