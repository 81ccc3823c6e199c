// The tray icon's traffic picture: two bars from the current rates, their scale, and the change test.
#pragma once

#include "chart/thin_line_raster.h"

#include <array>
#include <cstdint>

namespace qn {

// The sizes the picture is drawn at, each in its own pixels: what tray hosts ask for at 1x (16,
// 22, 24, 32, 48) and at 2x (32, 44, 48, 64). StatusNotifier hosts rescale whatever they get on
// every update, so each size is drawn, never scaled.
inline constexpr std::array<int, 7> TrayPictureSizes{16, 22, 24, 32, 44, 48, 64};

// A rate's share of a bar's full height on the picture's logarithmic scale: 0 at or below
// TrayScaleFloor bytes per second, 1 at or above TrayScaleCeiling (a gigabit link), and equal steps
// per decade between; NaN and negative rates count as 0.
inline constexpr double TrayScaleFloor = 100.0;
inline constexpr double TrayScaleCeiling = 125e6;
double TrayRateLevel(double ARate);

// A bar's height in steps of TrayScaleSteps (two per decade): the 16-pixel picture's pixels, and
// what decides whether the picture changes at all. 0 only for no traffic: any traffic is one step.
inline constexpr int TrayScaleSteps = 12;
int TrayRateStep(double ARate);

// Where the picture's parts fall at one size, in pixels, edges inclusive. A bar with no pixels has
// Top > Bottom.
struct TTrayLayout
{
    TPixelClip Frame;    // the whole square; its outermost ring is the border
    TPixelClip Field;    // inside the border
    TPixelClip Download; // the left bar, standing on the field's bottom
    TPixelClip Upload;   // the right bar
};

// The layout of an ASize square for the two rates (bytes per second). The border and the gaps are
// one pixel per 16 of the size and the bars' heights their steps' share of the field, so the 2x
// pictures are the 1x ones drawn twice as fine. A rate above 0 shows at least one pixel.
TTrayLayout TrayLayoutFor(int ASize, double ARateDL, double ARateUL);

// The picture as last set, and whether new rates would change any of its pixels.
class TTrayPicture
{
public:
    // Opaque colours 0xAARRGGBB.
    struct TColors
    {
        std::uint32_t Download = 0xFFA6CAF0;
        std::uint32_t Upload = 0xFF00FF00;
        bool operator==(const TColors&) const = default;
    };

    // Whether the picture for these rates and colours differs from the one last Taken: their steps
    // or colours differ (always true before the first).
    bool Differs(double ARateDL, double ARateUL, const TColors& AColors) const;
    // Remembers these rates and colours as the picture now shown.
    void Take(double ARateDL, double ARateUL, const TColors& AColors);
    // Forgets the picture shown (the icon was set by someone else, or the tray went away).
    void Forget() { FHave = false; }

    // Draws the taken picture at ASize into 32-bit pixels (ABits is pixel (0, 0), AStride pixels a
    // row, at least ASize x ASize): a dark field in a grey border, the download bar left, upload right.
    void Paint(int ASize, std::uint32_t* ABits, int AStride) const;

    static constexpr std::uint32_t FieldColor = 0xFF202020;
    static constexpr std::uint32_t BorderColor = 0xFF909090;

private:
    int FStepDL = 0;
    int FStepUL = 0;
    TColors FColors;
    double FRateDL = 0.0;
    double FRateUL = 0.0;
    bool FHave = false;
};

} // namespace qn
