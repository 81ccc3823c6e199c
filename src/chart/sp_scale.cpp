// Axis arithmetic of the chart.
#include "chart/sp_scale.h"

#include "texts/format_settings.h"

#include <algorithm>
#include <cmath>

namespace qn {

namespace {

// 10^n, exact for the exponents that real ranges produce.
double Pow10(int AExponent)
{
    double result = 1.0;
    for (int i = 0; i < AExponent; ++i)
        result *= 10.0;
    return result;
}

// Keeps the factor and integer limits finite for ranges at the ends of the double range.
constexpr double MaxExponent = 290.0;
// Beyond this many integer units between the limits the grid would be meaningless.
constexpr double MaxIntSpan = 1e9;
// Whole pixels a scroll may move the rounding anchor before it is set afresh: far below 2^53, so
// pixel sums stay exact, and above a year of seconds at any width a screen has.
constexpr double ExactShift = 1e12;

} // namespace

Tsp_Scale::Tsp_Scale(std::uint32_t AFlags) : FFlags(AFlags)
{
    AssignRange(0.0, 10.0);
}

void Tsp_Scale::AssignFlags(std::uint32_t AFlags)
{
    // The automatic-range bits do not touch ticks or mapping; keep the tick phase for them.
    constexpr std::uint32_t autoBits = sfAutoMin | sfAutoMax;
    const bool onlyAuto = ((FFlags ^ AFlags) & ~autoBits) == 0;
    FFlags = AFlags;
    if (onlyAuto)
        return;
    ComputeTicks();
    ComputeMapping();
    ComputeTickPositions();
}

void Tsp_Scale::AssignTicksCount(std::uint8_t ACount)
{
    FTicksCount = ACount;
    ComputeTicks();
    ComputeTickPositions();
}

void Tsp_Scale::AssignRange(double AMin, double AMax)
{
    if (!std::isfinite(AMin) || !std::isfinite(AMax))
        return;
    if (AMin > AMax)
        std::swap(AMin, AMax);
    if (AMin == AMax) {
        const double c = AMin;
        if (std::fabs(c) < 10.0) {
            AMax = c + 1.0;
        } else {
            AMax = c + std::fabs(c) / 10.0;
            AMin = AMax - std::fabs(AMax) / 10.0;
        }
    }
    const double interval = AMax - AMin;
    if (!std::isfinite(interval) || !(interval > 0.0))
        return;
    FMin = AMin;
    FMax = AMax;
    FInterval = interval;
    ComputeFactor();
    ComputeTicks();
    ComputeMapping();
    ComputeTickPositions();
}

void Tsp_Scale::ComputeFactor()
{
    double d = std::floor(std::log(FInterval) / Ln10);
    d = std::clamp(d, -MaxExponent, MaxExponent);
    const int exponent = static_cast<int>(d);
    FIntFactor = exponent <= 0 ? Pow10(1 - exponent) : 1.0 / Pow10(exponent - 1);
    FIntMin = std::ceil(FMin * FIntFactor);
    FIntMax = std::floor(FMax * FIntFactor);
}

void Tsp_Scale::ComputeTicks()
{
    FTickCount = 0;
    FIntStep = 0;
    if (FTicksCount == 0)
        return;
    if (!TicksAdjusted() || NoTicksLabel()) {
        // Fraction mode: evenly spread over the axis length.
        FTickCount = std::min<int>(FTicksCount, MaxTicks);
        for (int i = 0; i < FTickCount; ++i)
            FTickValues[static_cast<std::size_t>(i)] =
                FTicksCount < 2 ? 0.0 : static_cast<double>(i) / (FTicksCount - 1);
        return;
    }
    const double span = std::nearbyint(FIntMax - FIntMin);
    if (!(span >= 0.0 && span <= MaxIntSpan))
        return;
    const int a = static_cast<int>(span);
    int count;
    if (FTicksCount == 1) {
        FIntStep = a;
        count = 1;
    } else {
        FIntStep = std::max(1, a / (FTicksCount - 1));
        count = std::min(a / FIntStep + 1, MaxTicks);
    }
    FIntFirst = Inversed() ? FIntMax : FIntMin;
    FTickCount = count;
    for (int i = 0; i < count; ++i) {
        const double units =
            Inversed() ? FIntFirst - static_cast<double>(i) * FIntStep : FIntFirst + static_cast<double>(i) * FIntStep;
        FTickValues[static_cast<std::size_t>(i)] = units / FIntFactor;
    }
}

void Tsp_Scale::ContinueTicks()
{
    if (!TicksAdjusted() || NoTicksLabel())
        return; // fractions of the length do not move
    if (FTicksCount == 0 || FIntStep <= 0 || FTickCount == 0) {
        ComputeTicks();
        return;
    }
    const double step = FIntStep;
    double first;
    double span;
    if (!Inversed()) {
        first = FIntFirst + std::ceil((FIntMin - FIntFirst) / step) * step;
        span = FIntMax - first;
    } else {
        first = FIntFirst - std::ceil((FIntFirst - FIntMax) / step) * step;
        span = first - FIntMin;
    }
    if (!std::isfinite(first) || !(span >= 0.0 && span <= MaxIntSpan)) {
        ComputeTicks();
        return;
    }
    FIntFirst = first;
    FTickCount = std::min(static_cast<int>(std::floor(span / step)) + 1, MaxTicks);
    for (int i = 0; i < FTickCount; ++i) {
        const double units = Inversed() ? first - static_cast<double>(i) * step : first + static_cast<double>(i) * step;
        FTickValues[static_cast<std::size_t>(i)] = units / FIntFactor;
    }
}

void Tsp_Scale::ScrollRange(double ADelta)
{
    if (ADelta == 0.0 || !std::isfinite(ADelta))
        return;
    const double newMin = FMin + ADelta;
    const double newMax = FMax + ADelta;
    if (!std::isfinite(newMin) || !std::isfinite(newMax) || !(newMin < newMax))
        return;
    FMin = newMin;
    FMax = newMax;
    FIntMin = std::ceil(FMin * FIntFactor);
    FIntMax = std::floor(FMax * FIntFactor);
    if (std::fabs(ADelta) > FInterval)
        ComputeTicks();
    else
        ContinueTicks();
    ComputeMapping(true);
    ComputeTickPositions();
}

void Tsp_Scale::SetGeometry(Tsp_Point AOrigin, int ALength)
{
    // The plot places its axes at every layout; the same place keeps the rounding anchor.
    if (AOrigin.X == FOrigin.X && AOrigin.Y == FOrigin.Y && std::max(1, ALength) == FLength)
        return;
    FOrigin = AOrigin;
    FLength = std::max(1, ALength);
    ComputeMapping();
    ComputeTickPositions();
}

void Tsp_Scale::ComputeMapping(bool AKeepAnchor)
{
    FScale = FLength / FInterval;
    if (Vertical())
        FScale = -FScale;
    FRefValue = FMin;
    if (Inversed()) {
        FRefValue = FMax;
        FScale = -FScale;
    }
    FRefPixel = Vertical() ? FOrigin.Y : FOrigin.X;
    if (!AKeepAnchor)
        FAnchor = FRefValue;
    // The whole pixels from the anchor, rounded as V2P rounds: moving every pixel by them keeps
    // the reference value at the reference pixel within one pixel.
    FAnchorShift = std::nearbyint((FRefValue - FAnchor) * FScale);
    if (!(std::fabs(FAnchorShift) < ExactShift)) {
        // Scrolled so far that whole pixels would stop being exact: round afresh from here.
        FAnchor = FRefValue;
        FAnchorShift = 0.0;
    }
}

void Tsp_Scale::ComputeTickPositions()
{
    const bool fraction = !TicksAdjusted() || NoTicksLabel();
    for (int i = 0; i < FTickCount; ++i) {
        const auto idx = static_cast<std::size_t>(i);
        int pos;
        if (fraction) {
            const int along = static_cast<int>(std::nearbyint(FTickValues[idx] * FLength));
            pos = Vertical() ? FOrigin.Y - along : FOrigin.X + along;
            pos = std::clamp(pos, -PixelLimit, PixelLimit);
        } else {
            pos = V2P(FTickValues[idx]);
        }
        FTickPositions[idx] = static_cast<std::int16_t>(pos);
    }
}

double Tsp_Scale::TickLabelValue(int AIndex) const
{
    const double value = TickValue(AIndex);
    if (TicksAdjusted() && !NoTicksLabel())
        return value;
    return Inversed() ? FMax - value * FInterval : FMin + value * FInterval;
}

std::string Tsp_Scale::TickLabel(int AIndex) const
{
    const double value = TickLabelValue(AIndex);
    return LabelAsDateTime() ? FormatDateTime(FLabelFormat, value) : FormatFloat(FLabelFormat, value);
}

int Tsp_Scale::V2P(double AValue) const
{
    // Rounded first, then moved by the whole shift: the move is exact, so a scroll moves every
    // pixel alike.
    const double p = std::nearbyint((AValue - FAnchor) * FScale + FRefPixel) - FAnchorShift;
    if (!(p > -PixelLimit)) // also a NaN
        return -PixelLimit;
    if (p > PixelLimit)
        return PixelLimit;
    return static_cast<int>(p);
}

double Tsp_Scale::P2V(double APixel) const
{
    return (APixel + FAnchorShift - FRefPixel) / FScale + FAnchor;
}

bool Tsp_Scale::ScrolledFrom(const Tsp_Scale& AOld, int& AShift) const
{
    AShift = 0;
    if (FFlags != AOld.FFlags || FTicksCount != AOld.FTicksCount || FOrigin.X != AOld.FOrigin.X ||
        FOrigin.Y != AOld.FOrigin.Y || FLength != AOld.FLength || FScale != AOld.FScale ||
        FInterval != AOld.FInterval || FIntFactor != AOld.FIntFactor || FAnchor != AOld.FAnchor)
        return false;
    if (FMin == AOld.FMin && FMax == AOld.FMax)
        return SameMapping(AOld);
    // Ticks spread over the length stay put while the values move; a capped tick list ends where
    // the cap falls, not where the range does.
    if (!TicksAdjusted() || NoTicksLabel() || FTickCount >= MaxTicks || AOld.FTickCount >= MaxTicks)
        return false;
    if (FIntStep != AOld.FIntStep || (FTickCount > 0 && FIntStep <= 0))
        return false;
    if (FIntStep > 0 && FTickCount > 0 && AOld.FTickCount > 0 &&
        std::fmod(FIntFirst - AOld.FIntFirst, static_cast<double>(FIntStep)) != 0.0)
        return false;
    const double shift = AOld.FAnchorShift - FAnchorShift;
    if (!(std::fabs(shift) < PixelLimit))
        return false;
    AShift = static_cast<int>(shift);
    return true;
}

bool Tsp_Scale::SameMapping(const Tsp_Scale& AOther) const
{
    return FMin == AOther.FMin && FMax == AOther.FMax && FFlags == AOther.FFlags && FOrigin.X == AOther.FOrigin.X &&
           FOrigin.Y == AOther.FOrigin.Y && FLength == AOther.FLength && FScale == AOther.FScale &&
           FAnchor == AOther.FAnchor && FAnchorShift == AOther.FAnchorShift && FTickCount == AOther.FTickCount &&
           std::equal(FTickValues.begin(), FTickValues.begin() + FTickCount, AOther.FTickValues.begin());
}

} // namespace qn
