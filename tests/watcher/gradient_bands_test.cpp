// Gradient band arithmetic: band count, float size, ties to even, overlap, MulDiv halves.
#include "watcher/gradient_bands.h"

#include <gtest/gtest.h>

namespace qn {
namespace {

const TRgb Black{0, 0, 0};
const TRgb Grey{0x80, 0x80, 0x80};

TEST(GradientMulDiv, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(1, -1, 2), -1);
    EXPECT_EQ(MulDiv(1, 128, 3), 43); // 42.67
    EXPECT_EQ(MulDiv(1, 128, 6), 21); // 21.33
    EXPECT_EQ(MulDiv(28, -128, 29), -124);
    EXPECT_EQ(MulDiv(65535, 255, 65535), 255);
    EXPECT_EQ(MulDiv(5, 7, 0), -1);
}

TEST(GradientBands, OneBandPerPixelWhenTheBarIsShorterThanTheColourCount)
{
    // A 29-pixel bar with 255 colours: 29 bands of one pixel, each one pixel into the next.
    const auto bands = GradientBands(0, 29, 255, Black, Grey, gdTopToBottom);
    ASSERT_EQ(bands.size(), 29u);
    for (int i = 0; i < 29; ++i) {
        const auto& b = bands[static_cast<std::size_t>(i)];
        EXPECT_EQ(b.From, i);
        EXPECT_EQ(b.To, i + 2);
        const auto v = static_cast<std::uint8_t>(MulDiv(i, 128, 29));
        EXPECT_EQ(b.Color, (TRgb{v, v, v})) << i;
    }
    EXPECT_EQ(bands.back().Color, (TRgb{124, 124, 124})); // never the end colour itself
}

TEST(GradientBands, ColourCountAndExtentEdgeCases)
{
    // Below two colours: one flat band of the start colour; the end colour is ignored.
    for (std::uint16_t count : {0, 1}) {
        const auto flat = GradientBands(3, 20, count, TRgb{1, 2, 3}, Grey, gdBottomToTop);
        ASSERT_EQ(flat.size(), 1u);
        EXPECT_EQ(flat[0].From, 3);
        EXPECT_EQ(flat[0].To, 23);
        EXPECT_EQ(flat[0].Color, (TRgb{1, 2, 3}));
    }
    EXPECT_TRUE(GradientBands(0, 0, 255, Black, Grey, gdTopToBottom).empty());
    EXPECT_TRUE(GradientBands(0, -4, 255, Black, Grey, gdTopToBottom).empty());

    // Two colours over 29 pixels: 14.5-pixel bands; the second starts at round(14.5) = 14.
    const auto two = GradientBands(0, 29, 2, Black, Grey, gdTopToBottom);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].To, 15);
    EXPECT_EQ(two[1].From, 14);
    EXPECT_EQ(two[1].To, 29);
    EXPECT_EQ(two[1].Color, (TRgb{64, 64, 64}));

    // A one-pixel bar still has two bands; the second (round(0.5) = 0) paints over the first.
    const auto thin = GradientBands(0, 1, 255, Black, Grey, gdTopToBottom);
    ASSERT_EQ(thin.size(), 2u);
    EXPECT_EQ(thin[1].From, 0);
    EXPECT_EQ(thin[1].Color, (TRgb{64, 64, 64}));

    // 100 pixels in 30 bands of 3.33: edges rounded from the float position plus the offset.
    const auto thirds = GradientBands(10, 100, 30, Black, Grey, gdLeftToRight);
    ASSERT_EQ(thirds.size(), 30u);
    EXPECT_EQ(thirds[1].From, 13);
    EXPECT_EQ(thirds[2].From, 17);
    EXPECT_EQ(thirds[29].To, 10 + 97 + 3 + 1);
}

TEST(GradientBands, ReversedDirectionsAreReversedRampsFromTheSameEdge)
{
    const TRgb from{200, 10, 0}, to{0, 250, 100};
    const auto up = GradientBands(0, 29, 255, from, to, gdBottomToTop);
    EXPECT_EQ(up.front().Color, to); // the top band has exactly the end colour
    EXPECT_EQ(up.back().Color, (TRgb{static_cast<std::uint8_t>(0 + MulDiv(28, 200, 29)),
                                     static_cast<std::uint8_t>(250 + MulDiv(28, -240, 29)),
                                     static_cast<std::uint8_t>(100 + MulDiv(28, -100, 29))}));
    const auto right = GradientBands(0, 29, 255, from, to, gdRightToLeft);
    const auto left = GradientBands(0, 29, 255, to, from, gdLeftToRight);
    ASSERT_EQ(right.size(), left.size());
    for (std::size_t i = 0; i < right.size(); ++i)
        EXPECT_EQ(right[i].Color, left[i].Color);
}

} // namespace
} // namespace qn
