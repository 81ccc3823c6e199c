// One-pixel line raster: the exact line rounded per step, started at the clip edge with one division.
#include "chart/thin_line_raster.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace qn {

namespace {

// Walks the major axis from AMajor0 to AMajor1 (ascending), the minor coordinate moving by ASign
// from AMinor0 over ADMinor steps in total. APlot receives (major, minor) of every pixel whose
// major coordinate lies in [AFrom, ATo]; the minor coordinate is checked by the caller.
template <class TPlot>
void Walk(int AMajor0, int AMajor1, int AMinor0, int ADMinor, int ASign, int AFrom, int ATo, TPlot APlot)
{
    const std::int64_t dMajor = AMajor1 - AMajor0;
    const int first = std::max(AMajor0, AFrom), last = std::min(AMajor1, ATo);
    if (first > last)
        return;
    if (dMajor == 0) {
        APlot(first, AMinor0);
        return;
    }
    // minor = minor0 + sign * floor((t * 2 * dMinor + dMajor) / (2 * dMajor)) for t = major - major0:
    // the exact line rounded half up, kept as a quotient and a running remainder.
    const std::int64_t twoMajor = 2 * dMajor, twoMinor = 2 * static_cast<std::int64_t>(ADMinor);
    const std::int64_t numerator = static_cast<std::int64_t>(first - AMajor0) * twoMinor + dMajor;
    std::int64_t offset = numerator / twoMajor;
    std::int64_t remainder = numerator % twoMajor;
    for (int major = first; major <= last; ++major) {
        APlot(major, AMinor0 + ASign * static_cast<int>(offset));
        remainder += twoMinor;
        if (remainder >= twoMajor) {
            const std::int64_t carry = remainder / twoMajor;
            offset += carry;
            remainder -= carry * twoMajor;
        }
    }
}

} // namespace

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
        const int sign = minor1 >= minor0 ? 1 : -1;
        // The clip bounds the walk along the longer axis, so a far-off part is skipped.
        const int from = steep ? AClip.Top : AClip.Left, to = steep ? AClip.Bottom : AClip.Right;
        const int low = steep ? AClip.Left : AClip.Top, high = steep ? AClip.Right : AClip.Bottom;
        Walk(major0, major1, minor0, std::abs(minor1 - minor0), sign, from, to, [&](int AMajor, int AMinor) {
            if (AMinor < low || AMinor > high)
                return;
            const int x = steep ? AMinor : AMajor, y = steep ? AMajor : AMinor;
            ABits[static_cast<std::int64_t>(y) * AStride + x] = AColor;
        });
    }
}

} // namespace qn
