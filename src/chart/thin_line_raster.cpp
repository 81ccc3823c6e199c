// One-pixel line raster: the exact line rounded per step, started at the clip edge with one division.
#include "chart/thin_line_raster.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <utility>

namespace qn {

void RasterizeThinLines(std::uint32_t* ABits, int AStride, const TPixelClip& AClip, const TThinSegment* ASegments,
                        int ACount, std::uint32_t AColor)
{
    if (AClip.Left > AClip.Right || AClip.Top > AClip.Bottom)
        return;
    for (int i = 0; i < ACount; ++i) {
        const TThinSegment& s = ASegments[i];
        // Wholly beside the clip: nothing to walk.
        if (std::max(s.X0, s.X1) < AClip.Left || std::min(s.X0, s.X1) > AClip.Right ||
            std::max(s.Y0, s.Y1) < AClip.Top || std::min(s.Y0, s.Y1) > AClip.Bottom)
            continue;
        // Walk along the longer axis; a steep segment's pixels swap their coordinates back.
        const bool steep = std::abs(s.Y1 - s.Y0) > std::abs(s.X1 - s.X0);
        int major0 = steep ? s.Y0 : s.X0, minor0 = steep ? s.X0 : s.Y0;
        int major1 = steep ? s.Y1 : s.X1, minor1 = steep ? s.X1 : s.Y1;
        if (major0 > major1) {
            std::swap(major0, major1);
            std::swap(minor0, minor1);
        }
        // The clip bounds the walk along the longer axis, so a far-off part is skipped.
        const int first = std::max(major0, steep ? AClip.Top : AClip.Left);
        const int last = std::min(major1, steep ? AClip.Bottom : AClip.Right);
        const int low = steep ? AClip.Left : AClip.Top, high = steep ? AClip.Right : AClip.Bottom;
        if (first > last)
            continue;
        // Pixel offsets from ABits and their steps along either axis; an offset may lie outside the
        // pixels while its minor coordinate does, and is used only inside.
        const std::ptrdiff_t majorStep = steep ? AStride : 1, minorStep = steep ? 1 : AStride;
        auto at = [&](int AMajor, int AMinor) {
            const int x = steep ? AMinor : AMajor, y = steep ? AMajor : AMinor;
            return static_cast<std::ptrdiff_t>(y) * AStride + x;
        };
        if (minor0 == minor1) {
            // Grids, axes and an idle link's flat run: one row or column.
            if (minor0 < low || minor0 > high)
                continue;
            std::ptrdiff_t pixel = at(first, minor0);
            for (int major = first; major <= last; ++major, pixel += majorStep)
                ABits[pixel] = AColor;
            continue;
        }
        // minor = minor0 + sign * floor((t * 2 * dMinor + dMajor) / (2 * dMajor)) for t = major - major0:
        // the exact line rounded to the nearest pixel, kept as a quotient and a running remainder.
        // The minor axis is the shorter, so it moves at most one pixel per step.
        const int sign = minor1 > minor0 ? 1 : -1;
        const std::int64_t dMajor = major1 - major0;
        const std::int64_t twoMajor = 2 * dMajor, twoMinor = 2 * static_cast<std::int64_t>(std::abs(minor1 - minor0));
        const std::int64_t numerator = static_cast<std::int64_t>(first - major0) * twoMinor + dMajor;
        int minor = minor0 + sign * static_cast<int>(numerator / twoMajor);
        std::int64_t remainder = numerator % twoMajor;
        std::ptrdiff_t pixel = at(first, minor);
        const std::ptrdiff_t minorMove = sign * minorStep;
        for (int major = first; major <= last; ++major) {
            if (minor >= low && minor <= high)
                ABits[pixel] = AColor;
            pixel += majorStep;
            remainder += twoMinor;
            if (remainder >= twoMajor) {
                remainder -= twoMajor;
                minor += sign;
                pixel += minorMove;
            }
        }
    }
}

} // namespace qn
