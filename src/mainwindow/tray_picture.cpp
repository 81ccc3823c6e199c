// The tray picture's scale, layout and change test, and its painting as thin lines.
#include "mainwindow/tray_picture.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qn {

double TrayRateLevel(double ARate)
{
    if (!(ARate > TrayScaleFloor))
        return 0.0;
    if (ARate >= TrayScaleCeiling)
        return 1.0;
    return std::log10(ARate / TrayScaleFloor) / std::log10(TrayScaleCeiling / TrayScaleFloor);
}

namespace {

// The bar's height in pixels for AExtent pixels of field.
int BarHeight(double ARate, int AExtent)
{
    if (AExtent <= 0)
        return 0;
    const int height = static_cast<int>(std::lround(TrayRateLevel(ARate) * AExtent));
    return ARate > 0.0 ? std::max(1, height) : height;
}

} // namespace

TTrayLayout TrayLayoutFor(int ASize, double ARateDL, double ARateUL)
{
    TTrayLayout l{};
    const int size = std::max(1, ASize);
    const int unit = std::max(1, size / 16);
    l.Frame = {0, 0, size - 1, size - 1};
    l.Field = {unit, unit, size - 1 - unit, size - 1 - unit};
    // The bars stand a unit inside the field, a unit apart.
    const int left = l.Field.Left + unit, right = l.Field.Right - unit;
    const int top = l.Field.Top + unit, bottom = l.Field.Bottom - unit;
    // Counted in units, so that a size twice as large gets bars exactly twice as wide.
    const int width = unit * std::max(1, ((right - left + 1) / unit - 1) / 2);
    const int extent = bottom - top + 1;
    const int hDL = BarHeight(ARateDL, extent), hUL = BarHeight(ARateUL, extent);
    l.Download = {left, bottom - hDL + 1, left + width - 1, bottom};
    l.Upload = {right - width + 1, bottom - hUL + 1, right, bottom};
    return l;
}

TTrayPicture::THeights TTrayPicture::HeightsFor(double ARateDL, double ARateUL)
{
    THeights heights{};
    for (std::size_t i = 0; i < TrayPictureSizes.size(); ++i) {
        const TTrayLayout l = TrayLayoutFor(TrayPictureSizes[i], ARateDL, ARateUL);
        heights[i] = {l.Download.Bottom - l.Download.Top + 1, l.Upload.Bottom - l.Upload.Top + 1};
    }
    return heights;
}

bool TTrayPicture::Differs(double ARateDL, double ARateUL, const TColors& AColors) const
{
    return !FHave || AColors != FColors || HeightsFor(ARateDL, ARateUL) != FHeights;
}

void TTrayPicture::Take(double ARateDL, double ARateUL, const TColors& AColors)
{
    FHeights = HeightsFor(ARateDL, ARateUL);
    FColors = AColors;
    FRateDL = ARateDL;
    FRateUL = ARateUL;
    FHave = true;
}

void TTrayPicture::Paint(int ASize, std::uint32_t* ABits, int AStride) const
{
    const TTrayLayout l = TrayLayoutFor(ASize, FRateDL, FRateUL);
    // Every part is rows of one-pixel lines, set straight into the pixels as the charts' lines are.
    std::vector<TThinSegment> rows;
    const auto fill = [&](const TPixelClip& AArea, std::uint32_t AColor) {
        rows.clear();
        for (int y = AArea.Top; y <= AArea.Bottom; ++y)
            rows.push_back({AArea.Left, y, AArea.Right, y});
        RasterizeThinLines(ABits, AStride, l.Frame, rows.data(), static_cast<int>(rows.size()), AColor);
    };
    fill(l.Frame, BorderColor);
    fill(l.Field, FieldColor);
    fill(l.Download, FColors.Download);
    fill(l.Upload, FColors.Upload);
}

} // namespace qn
