// Thin lines: the pixels of the rounded exact line, clipped without walking the parts outside.
#include "chart/thin_line_raster.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace qn {
namespace {

constexpr int W = 200, H = 120;
constexpr std::uint32_t Ink = 0xFF00FF00u;

using TPixels = std::set<std::pair<int, int>>;

// The definition, pixel by pixel over the whole segment: one pixel per step along the longer
// axis, the other coordinate the exact line's rounded to the nearest pixel (halves away from the
// end with the smaller long coordinate).
TPixels Expected(TThinSegment S, const TPixelClip& AClip)
{
    TPixels pixels;
    const bool steep = std::abs(S.Y1 - S.Y0) > std::abs(S.X1 - S.X0);
    if (steep) {
        std::swap(S.X0, S.Y0);
        std::swap(S.X1, S.Y1);
    }
    if (S.X0 > S.X1) {
        std::swap(S.X0, S.X1);
        std::swap(S.Y0, S.Y1);
    }
    const long long dx = S.X1 - S.X0, dy = std::abs(S.Y1 - S.Y0), sign = S.Y1 >= S.Y0 ? 1 : -1;
    for (int x = S.X0; x <= S.X1; ++x) {
        const long long offset = dx == 0 ? 0 : ((x - S.X0) * 2 * dy + dx) / (2 * dx);
        const int y = S.Y0 + static_cast<int>(sign * offset);
        const int px = steep ? y : x, py = steep ? x : y;
        if (px >= AClip.Left && px <= AClip.Right && py >= AClip.Top && py <= AClip.Bottom)
            pixels.insert({px, py});
    }
    return pixels;
}

TPixels Drawn(const std::vector<std::uint32_t>& ABits)
{
    TPixels pixels;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (ABits[static_cast<std::size_t>(y * W + x)] == Ink)
                pixels.insert({x, y});
    return pixels;
}

TEST(ThinLineRaster, DrawsTheRoundedLineInsideTheClipOnly)
{
    const TPixelClip clip{20, 10, 139, 79};
    std::vector<TThinSegment> segments = {
        {30, 20, 30, 20},            // a single point
        {25, 15, 130, 15},           // flat, both ends inside
        {40, 70, 40, 12},            // upright, drawn upwards
        {22, 11, 137, 78},           // shallow
        {22, 78, 60, 12},            // steep, rising
        {-16383, 40, 16383, 41},     // flat across, ends far outside
        {-16383, 79, 16383, 79},     // along the clip's last row
        {139, 16383, 139, -16383},   // along the clip's last column, drawn upwards
        {60, -16383, 61, 16383},     // upright across, ends far outside
        {-9000, -16000, 16383, 900}, // slanted, entering through a corner region
        {100, 50, 16383, -16383},    // leaving through the top
        {0, 0, 19, 200},             // beside the clip: nothing
        {141, 0, 16000, 5},          // beside the clip: nothing
    };
    std::mt19937 random(11);
    std::uniform_int_distribution<int> far(-16383, 16383), near(0, 159);
    for (int i = 0; i < 300; ++i)
        segments.push_back(i % 2 ? TThinSegment{far(random), far(random), far(random), far(random)}
                                 : TThinSegment{near(random), near(random) - 20, near(random), near(random) - 20});

    for (const TThinSegment& s : segments) {
        std::vector<std::uint32_t> bits(W * H, 0);
        RasterizeThinLines(bits.data(), W, clip, &s, 1, Ink);
        const TPixels drawn = Drawn(bits);
        EXPECT_EQ(drawn, Expected(s, clip)) << s.X0 << "," << s.Y0 << " - " << s.X1 << "," << s.Y1;
        // Nothing outside the clip, and nothing but the ink.
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const bool inside = x >= clip.Left && x <= clip.Right && y >= clip.Top && y <= clip.Bottom;
                const std::uint32_t pixel = bits[static_cast<std::size_t>(y * W + x)];
                if (!inside || pixel != Ink) {
                    ASSERT_EQ(pixel, 0u) << x << "," << y;
                }
            }
    }
}

TEST(ThinLineRaster, ALineDrawnInPiecesIsTheLineDrawnWhole)
{
    // A flat or upright run split at its points lights the same pixels as the run, which the chart
    // relies on when it joins such runs.
    const TPixelClip clip{0, 0, W - 1, H - 1};
    const TThinSegment whole[] = {{5, 30, 150, 30}, {70, 100, 70, 3}};
    const TThinSegment pieces[] = {
        {5, 30, 9, 30}, {9, 30, 9, 30}, {9, 30, 150, 30}, {70, 100, 70, 50}, {70, 50, 70, 3}};
    std::vector<std::uint32_t> a(W * H, 0), b(W * H, 0);
    RasterizeThinLines(a.data(), W, clip, whole, 2, Ink);
    RasterizeThinLines(b.data(), W, clip, pieces, 5, Ink);
    EXPECT_EQ(a, b);
    // An empty clip draws nothing.
    std::vector<std::uint32_t> c(W * H, 0);
    RasterizeThinLines(c.data(), W, {10, 10, 9, 20}, whole, 2, Ink);
    EXPECT_EQ(c, std::vector<std::uint32_t>(W * H, 0));
}

} // namespace
} // namespace qn
