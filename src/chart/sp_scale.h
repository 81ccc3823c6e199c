// Axis arithmetic of the chart: range normalisation, integer factor, ticks, labels and pixel mapping.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qn {

// The axis flags, stored as one integer; other bits stay zero.
enum Tsp_ScaleFlag : std::uint32_t
{
    sfVertical = 1,
    sfInversed = 2,
    sfNoTicksLines = 8,
    sfNoTicksLabel = 16,
    sfOpposite = 32,
    sfAutoMin = 64,
    sfAutoMax = 128,
    sfLabelAsDateTime = 256,
    sfNoTicksAdjusted = 512,
};

// Pen of an axis line, a grid or a series line. Colours are 0xRRGGBB.
enum class Tsp_PenStyle
{
    Solid,
    Dash,
    Dot,
    DashDot,
    DashDotDot
};

struct Tsp_LineAttr
{
    std::uint32_t Color = 0x000000;
    Tsp_PenStyle Style = Tsp_PenStyle::Solid;
    int Width = 1;
    bool Visible = true;

    bool operator==(const Tsp_LineAttr&) const = default;
};

struct Tsp_Point
{
    int X = 0;
    int Y = 0;
};

// Tsp_Scale keeps Min < Max at all times. The tick grid is in integer units of 1/IntFactor, so tick
// values are exact decimal steps and survive scrolling with their phase. Pixels: the origin is the
// axis line's bottom end (vertical) or left end (horizontal); screen y grows downward.
class Tsp_Scale
{
public:
    static constexpr int MaxTicks = 31;
    static constexpr int PixelLimit = 16383;
    // Slightly larger than ln 10, so an interval of exactly 10, 100 ... gets the lower exponent.
    static constexpr double Ln10 = 2.30258509299405;

    explicit Tsp_Scale(std::uint32_t AFlags = 0);
    virtual ~Tsp_Scale() = default;

    double Min() const { return FMin; }
    double Max() const { return FMax; }
    double Interval() const { return FInterval; }
    double IntFactor() const { return FIntFactor; }
    double IntMin() const { return FIntMin; }
    double IntMax() const { return FIntMax; }
    int IntStep() const { return FIntStep; }

    std::uint32_t Flags() const { return FFlags; }
    bool HasFlag(std::uint32_t AFlag) const { return (FFlags & AFlag) != 0; }
    bool Vertical() const { return HasFlag(sfVertical); }
    bool Inversed() const { return HasFlag(sfInversed); }
    bool TicksLines() const { return !HasFlag(sfNoTicksLines); }
    bool NoTicksLabel() const { return HasFlag(sfNoTicksLabel); }
    bool Opposite() const { return HasFlag(sfOpposite); }
    bool AutoMin() const { return HasFlag(sfAutoMin); }
    bool AutoMax() const { return HasFlag(sfAutoMax); }
    bool LabelAsDateTime() const { return HasFlag(sfLabelAsDateTime); }
    bool TicksAdjusted() const { return !HasFlag(sfNoTicksAdjusted); }

    std::uint8_t TicksCount() const { return FTicksCount; }
    const std::string& LabelFormat() const { return FLabelFormat; }

    // The ticks now on the axis: value (or axis fraction in fraction mode), label value, pixel.
    int TickCount() const { return FTickCount; }
    double TickValue(int AIndex) const { return FTickValues[static_cast<std::size_t>(AIndex)]; }
    double TickLabelValue(int AIndex) const;
    int TickPosition(int AIndex) const { return FTickPositions[static_cast<std::size_t>(AIndex)]; }
    std::string TickLabel(int AIndex) const;

    Tsp_Point Origin() const { return FOrigin; }
    int Length() const { return FLength; }
    double ScaleFactor() const { return FScale; }

    // Pixel of a value, rounded (ties to even) and clamped to +-PixelLimit. Scrolling keeps the
    // rounding where the range was set and moves every pixel by the same whole number (see
    // ScrollRange), so a scrolled picture is the old one moved; until the first scroll this is
    // round((value - reference value) * factor + reference pixel).
    int V2P(double AValue) const;
    // Value at a pixel; not clamped, so pixels outside the axis give values outside the range.
    double P2V(double APixel) const;

    // True when the pixels of this scale are those of AOld moved by AShift (V2P(v) == AOld.V2P(v) + AShift
    // for every v the clamp leaves alone) and its ticks continue AOld's grid (same step and phase):
    // the range scrolled and nothing else changed. AShift is 0 for an unchanged scale.
    bool ScrolledFrom(const Tsp_Scale& AOld, int& AShift) const;
    // True when nothing that places pixels or ticks differs from AOther.
    bool SameMapping(const Tsp_Scale& AOther) const;

protected:
    // Raw setters without notification; Tsp_Axis wraps them with its change rules.
    void AssignFlags(std::uint32_t AFlags);
    void AssignTicksCount(std::uint8_t ACount);
    void AssignLabelFormat(const std::string& AFormat) { FLabelFormat = AFormat; }
    // Normalises (swap, widen an empty range) and recomputes factor, ticks and mapping. A range
    // with a non-finite end is ignored.
    void AssignRange(double AMin, double AMax);
    // Moves both limits by ADelta, keeping the width and the tick phase. Pixels stay rounded where
    // the range was set: V2P moves every value by the same whole number of pixels, the nearest to
    // the scroll's exact distance counted from there, so one second that is 0.7 pixels wide moves
    // the picture by 0 or 1 pixel and never reshapes it.
    void ScrollRange(double ADelta);

public:
    // Placement on the control, set by the plot's layout. ALength is kept at 1 or more.
    void SetGeometry(Tsp_Point AOrigin, int ALength);

private:
    void ComputeFactor();
    void ComputeTicks();
    // Recomputes factor and reference; a scroll keeps the anchor where the pixels are rounded.
    void ComputeMapping(bool AKeepAnchor = false);
    void ComputeTickPositions();
    void ContinueTicks(); // after a scroll: same step and phase from the new limits

    double FMin = 0.0;
    double FMax = 10.0;
    double FInterval = 10.0;
    double FIntFactor = 10.0;
    double FIntMin = 0.0;
    double FIntMax = 100.0;
    int FIntStep = 0;
    double FIntFirst = 0.0; // integer value of tick 0, the phase of the grid
    std::uint32_t FFlags = 0;
    std::uint8_t FTicksCount = 5;
    int FTickCount = 0;
    std::array<double, MaxTicks> FTickValues{};
    std::array<std::int16_t, MaxTicks + 1> FTickPositions{};
    Tsp_Point FOrigin{};
    int FLength = 100;
    double FScale = 10.0;
    double FRefValue = 0.0;
    double FRefPixel = 0.0;
    // The value whose pixel offset is rounded since the range was last set, and the whole pixels
    // the reference value lies from it: V2P = round((v - anchor) * factor + reference pixel) - shift.
    double FAnchor = 0.0;
    double FAnchorShift = 0.0;
    std::string FLabelFormat = "###0.##";
};

} // namespace qn
