// The tray picture's scale, layout and change test, and its painting as thin lines.
#include "mainwindow/tray/tray_picture.h"

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

int TrayRateStep(double ARate)
{
    if (!(ARate > 0.0))
        return 0;
    return std::max(1, static_cast<int>(std::lround(TrayRateLevel(ARate) * TrayScaleSteps)));
}

namespace {

// The bar's height in pixels for AExtent pixels of field; a step shows at least one pixel.
int BarHeight(double ARate, int AExtent)
{
    const int step = TrayRateStep(ARate);
    if (AExtent <= 0 || step == 0)
        return 0;
    return std::max(1, static_cast<int>(std::lround(static_cast<double>(step) * AExtent / TrayScaleSteps)));
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

bool TTrayPicture::Differs(double ARateDL, double ARateUL, const TColors& AColors) const
{
    return !FHave || AColors != FColors || TrayRateStep(ARateDL) != FStepDL || TrayRateStep(ARateUL) != FStepUL;
}

void TTrayPicture::Take(double ARateDL, double ARateUL, const TColors& AColors)
{
    FStepDL = TrayRateStep(ARateDL);
    FStepUL = TrayRateStep(ARateUL);
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
