// Solid one-pixel lines written straight into 32-bit pixels, clipped to a rectangle.
#pragma once

#include <cstdint>

namespace qn {

struct TThinSegment
{
    int X0, Y0, X1, Y1;
};

// A rectangle of pixels, edges inclusive.
struct TPixelClip
{
    int Left, Top, Right, Bottom;
};

// Sets every pixel of each segment that lies inside AClip to AColor. The pixels are those of the
// classic line algorithm: one per step along the longer axis, both ends included, the other
// coordinate that of the exact line rounded to the nearest pixel. A segment reaching far outside costs no more
// than its visible part. ABits addresses pixel (0, 0); AStride counts pixels per row; AClip must
// lie inside the pixels given.
void RasterizeThinLines(std::uint32_t* ABits, int AStride, const TPixelClip& AClip, const TThinSegment* ASegments,
                        int ACount, std::uint32_t AColor);

} // namespace qn
