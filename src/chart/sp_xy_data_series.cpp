// Point storage of a chart series.
#include "chart/sp_xy_data_series.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qn {

namespace {
constexpr std::size_t InitialCapacity = 32;
// Counts stay representable as int, the type of indices in the interface.
constexpr std::size_t MaxCapacity = std::size_t{1} << 30;
} // namespace

Tsp_XYDataSeries::Tsp_XYDataSeries() : FX(InitialCapacity), FY(InitialCapacity) {}

void Tsp_XYDataSeries::Grow()
{
    const std::size_t oldCap = FX.size();
    std::size_t newCap = std::min(oldCap * 2, MaxCapacity);
    if (FCapacityHint > oldCap && FCapacityHint < newCap)
        newCap = FCapacityHint;
    std::vector<double> x(newCap), y(newCap);
    for (int i = 0; i < FCount; ++i) {
        x[static_cast<std::size_t>(i)] = X(i);
        y[static_cast<std::size_t>(i)] = Y(i);
    }
    FX.swap(x);
    FY.swap(y);
    FHead = 0;
}

void Tsp_XYDataSeries::AddXY(double AX, double AY)
{
    if (static_cast<std::size_t>(FCount) == FX.size()) {
        if (FX.size() >= MaxCapacity)
            return; // a billion points: refuse rather than overflow the index type
        Grow();
    }
    if (FCount > 0 && !(AX >= X(FCount - 1)))
        FXAscending = false;
    const std::size_t slot = Slot(FCount);
    FX[slot] = AX;
    FY[slot] = AY;
    if (FCount == 0) {
        FXMin = FXMax = AX;
        FYMin = FYMax = AY;
        FBoundsValid = true;
    } else if (FBoundsValid) {
        FXMin = std::min(FXMin, AX);
        FXMax = std::max(FXMax, AX);
        FYMin = std::min(FYMin, AY);
        FYMax = std::max(FYMax, AY);
    }
    ++FCount;
    Changed();
}

void Tsp_XYDataSeries::Delete(int AIndex)
{
    if (AIndex < 0 || AIndex >= FCount)
        return;
    const double x = X(AIndex), y = Y(AIndex);
    if (AIndex == 0) {
        FHead = Next(FHead);
    } else if (AIndex < FCount - 1) {
        // Close the gap from the nearer end.
        if (AIndex < FCount / 2) {
            for (int i = AIndex; i > 0; --i) {
                FX[Slot(i)] = FX[Slot(i - 1)];
                FY[Slot(i)] = FY[Slot(i - 1)];
            }
            FHead = Next(FHead);
        } else {
            for (int i = AIndex; i < FCount - 1; ++i) {
                FX[Slot(i)] = FX[Slot(i + 1)];
                FY[Slot(i)] = FY[Slot(i + 1)];
            }
        }
    }
    --FCount;
    // The bounds survive unless the point held one of them: trimming a day-long series then
    // needs no scan over all points on the next paint.
    if (FBoundsValid && FCount > 0) {
        bool keep = y > FYMin && y < FYMax;
        if (FXAscending) {
            FXMin = X(0);
            FXMax = X(FCount - 1);
        } else {
            keep = keep && x > FXMin && x < FXMax;
        }
        FBoundsValid = keep;
    } else {
        FBoundsValid = false;
    }
    Changed();
}

void Tsp_XYDataSeries::Clear()
{
    FCount = 0;
    FHead = 0;
    FXAscending = true;
    FBoundsValid = false;
    Changed();
}

void Tsp_XYDataSeries::UpdateBounds() const
{
    if (FBoundsValid || FCount == 0)
        return;
    double xMin = std::numeric_limits<double>::infinity(), xMax = -xMin;
    double yMin = xMin, yMax = -xMin;
    if (FXAscending) {
        xMin = X(0);
        xMax = X(FCount - 1);
    }
    // The live points are at most two runs of the ring.
    auto scan = [&](std::size_t AFrom, std::size_t ATo) {
        for (std::size_t i = AFrom; i < ATo; ++i) {
            yMin = std::min(yMin, FY[i]);
            yMax = std::max(yMax, FY[i]);
            if (!FXAscending) {
                xMin = std::min(xMin, FX[i]);
                xMax = std::max(xMax, FX[i]);
            }
        }
    };
    const std::size_t end = FHead + static_cast<std::size_t>(FCount);
    if (end <= FX.size()) {
        scan(FHead, end);
    } else {
        scan(FHead, FX.size());
        scan(0, end - FX.size());
    }
    FXMin = xMin;
    FXMax = xMax;
    FYMin = yMin;
    FYMax = yMax;
    FBoundsValid = true;
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
