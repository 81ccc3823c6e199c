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
        TThinSegment s = ASegments[i];
        // Wholly beside the clip: nothing to walk.
        if (std::max(s.X0, s.X1) < AClip.Left || std::min(s.X0, s.X1) > AClip.Right ||
            std::max(s.Y0, s.Y1) < AClip.Top || std::min(s.Y0, s.Y1) > AClip.Bottom)
            continue;
        const int dx = std::abs(s.X1 - s.X0), dy = std::abs(s.Y1 - s.Y0);
        if (dx >= dy) {
            if (s.X0 > s.X1) {
                std::swap(s.X0, s.X1);
                std::swap(s.Y0, s.Y1);
            }
            const int sign = s.Y1 >= s.Y0 ? 1 : -1;
            // The rows the clip allows bound the columns too, so a steep far-off part is skipped.
            Walk(s.X0, s.X1, s.Y0, dy, sign, AClip.Left, AClip.Right, [&](int AX, int AY) {
                if (AY >= AClip.Top && AY <= AClip.Bottom)
                    ABits[static_cast<std::int64_t>(AY) * AStride + AX] = AColor;
            });
        } else {
            if (s.Y0 > s.Y1) {
                std::swap(s.X0, s.X1);
                std::swap(s.Y0, s.Y1);
            }
            const int sign = s.X1 >= s.X0 ? 1 : -1;
            Walk(s.Y0, s.Y1, s.X0, dx, sign, AClip.Top, AClip.Bottom, [&](int AY, int AX) {
                if (AX >= AClip.Left && AX <= AClip.Right)
                    ABits[static_cast<std::int64_t>(AY) * AStride + AX] = AColor;
            });
        }
    }
}

} // namespace qn
