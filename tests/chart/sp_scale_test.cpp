// Axis maths: normalisation, integer factor, ticks, scrolling, labels and pixel mapping.
#include "chart/sp_axis.h"

#include "support/pinned_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace qn {
namespace {

using test::TPinnedFormat;

std::vector<double> Ticks(const Tsp_Scale& AScale)
{
    std::vector<double> ticks;
    for (int i = 0; i < AScale.TickCount(); ++i)
        ticks.push_back(AScale.TickValue(i));
    return ticks;
}

void ExpectTicks(const Tsp_Scale& AScale, const std::vector<double>& AExpected)
{
    const auto ticks = Ticks(AScale);
    ASSERT_EQ(ticks.size(), AExpected.size()) << "range " << AScale.Min() << " .. " << AScale.Max();
    for (std::size_t i = 0; i < ticks.size(); ++i)
        EXPECT_DOUBLE_EQ(ticks[i], AExpected[i]) << "tick " << i;
}

TEST(ScaleRange, RequestedRangesAreNormalised)
{
    struct
    {
        double Min, Max, ExpectMin, ExpectMax;
    } const cases[] = {
        {0, 0, 0, 1},           // empty near zero: one unit wide
        {5, 2, 2, 5},           // swapped
        {20, 20, 19.8, 22},     // empty and large: a tenth around it
        {-20, -20, -19.8, -18}, // ... also below zero
        {9.5, 9.5, 9.5, 10.5},  {-3, 7, -3, 7},
    };
    for (const auto& c : cases) {
        Tsp_Axis axis;
        axis.SetMinMax(c.Min, c.Max);
        EXPECT_DOUBLE_EQ(axis.Min(), c.ExpectMin) << c.Min << ", " << c.Max;
        EXPECT_DOUBLE_EQ(axis.Max(), c.ExpectMax) << c.Min << ", " << c.Max;
        EXPECT_LT(axis.Min(), axis.Max());
    }
}

TEST(ScaleRange, NonFiniteRequestsLeaveTheRange)
{
    Tsp_Axis axis;
    axis.SetMinMax(1, 2);
    axis.SetMinMax(std::numeric_limits<double>::quiet_NaN(), 5);
    axis.SetMax(std::numeric_limits<double>::infinity());
    EXPECT_EQ(axis.Min(), 1);
    EXPECT_EQ(axis.Max(), 2);
    axis.SetMinMax(-1e308, 1e308); // interval overflows
    EXPECT_EQ(axis.Max(), 2);
}

TEST(ScaleTicks, IntegerFactorAndAdjustedTicks)
{
    struct
    {
        double Min, Max;
        int TicksCount;
        double Factor;
        std::vector<double> Ticks;
    } const cases[] = {
        // An interval of exactly 10 gets the lower exponent: F = 10, still six ticks.
        {0, 10, 6, 10, {0, 2, 4, 6, 8, 10}},
        {0, 37.5, 6, 1, {0, 7, 14, 21, 28, 35}},
        {0, 1, 6, 10, {0, 0.2, 0.4, 0.6, 0.8, 1}},
        {0, 100, 6, 1, {0, 20, 40, 60, 80, 100}},
        // More ticks than asked for: 14 units, step 14 div 5 = 2.
        {0, 1.4, 6, 10, {0, 0.2, 0.4, 0.6, 0.8, 1.0, 1.2, 1.4}},
        {0.5, 9.5, 6, 10, {0.5, 2.3, 4.1, 5.9, 7.7, 9.5}},
        {0, 5000, 6, 0.01, {0, 1000, 2000, 3000, 4000, 5000}},
        {3, 7, 1, 10, {3}},
        {0, 10, 0, 10, {}},
    };
    for (const auto& c : cases) {
        Tsp_Axis axis(sfVertical);
        axis.SetTicksCount(static_cast<std::uint8_t>(c.TicksCount));
        axis.SetMinMax(c.Min, c.Max);
        EXPECT_DOUBLE_EQ(axis.IntFactor(), c.Factor) << c.Min << " .. " << c.Max;
        ExpectTicks(axis, c.Ticks);
        for (int i = 0; i < axis.TickCount(); ++i) {
            EXPECT_GE(axis.TickValue(i), axis.Min() - 1e-12);
            EXPECT_LE(axis.TickValue(i), axis.Max() + 1e-12);
        }
    }
}

TEST(ScaleTicks, InversedAxisCountsDownFromTheTop)
{
    Tsp_Axis axis(sfVertical | sfInversed);
    axis.SetTicksCount(6);
    axis.SetMinMax(0, 37.5);
    ExpectTicks(axis, {37, 30, 23, 16, 9, 2});
}

TEST(ScaleTicks, FiveMinuteTimeWindow)
{
    // 300 s is 0.00347 days: F = 10^4 and with 3 ticks a step of 16 or 17 units of 8.64 s.
    Tsp_Axis axis;
    axis.SetTicksCount(3);
    for (double start : {45000.5, 45000.50123, 45000.50456}) {
        axis.SetMinMax(start, start + 300.0 / 86400.0);
        EXPECT_DOUBLE_EQ(axis.IntFactor(), 1e4);
        EXPECT_EQ(axis.TickCount(), 3);
        EXPECT_TRUE(axis.IntStep() == 16 || axis.IntStep() == 17) << axis.IntStep();
    }
}

TEST(ScaleTicks, ScrollingKeepsTheTickPhase)
{
    Tsp_Axis axis;
    axis.SetTicksCount(3);
    const double second = 1.0 / 86400.0;
    axis.SetMinMax(45000.5, 45000.5 + 300 * second);
    const int step = axis.IntStep();
    std::vector<double> seen = Ticks(axis);
    for (int i = 0; i < 400; ++i) {
        axis.MoveMinMax(second);
        ASSERT_EQ(axis.IntStep(), step);
        ASSERT_GE(axis.TickCount(), 1);
        EXPECT_GE(axis.TickValue(0), axis.Min());
        EXPECT_LE(axis.TickValue(axis.TickCount() - 1), axis.Max());
        // Every tick lies on the grid of the first window: the labels stay the same instants.
        for (int t = 0; t < axis.TickCount(); ++t) {
            const double units = axis.TickValue(t) * 1e4 - seen.front() * 1e4;
            EXPECT_NEAR(units / step, std::round(units / step), 1e-6);
        }
        // A tick still inside the window is the same value as before.
        const auto now = Ticks(axis);
        for (double old : seen) {
            if (old >= axis.Min() && old <= axis.Max()) {
                EXPECT_NE(std::find(now.begin(), now.end(), old), now.end());
            }
        }
        seen.insert(seen.end(), now.begin(), now.end());
        std::sort(seen.begin(), seen.end());
        seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    }
    EXPECT_NEAR(axis.Max() - axis.Min(), 300 * second, 1e-9);
}

TEST(ScaleTicks, AScrollWiderThanTheRangeStartsTheGridAfresh)
{
    Tsp_Axis axis(sfVertical);
    axis.SetTicksCount(6);
    axis.SetMinMax(0.3, 37.8);
    axis.MoveMinMax(100.0);
    EXPECT_DOUBLE_EQ(axis.Min(), 100.3);
    EXPECT_DOUBLE_EQ(axis.TickValue(0), 101);
    axis.MoveMinMax(0.0);
    EXPECT_DOUBLE_EQ(axis.Min(), 100.3);
}

TEST(ScaleTicks, FractionModeSpreadsTicksOverTheLength)
{
    Tsp_Axis axis(sfNoTicksAdjusted);
    axis.SetGeometry({10, 50}, 100);
    axis.SetTicksCount(5);
    axis.SetMinMax(0, 7);
    ExpectTicks(axis, {0, 0.25, 0.5, 0.75, 1});
    EXPECT_EQ(axis.TickPosition(1), 35);
    EXPECT_DOUBLE_EQ(axis.TickLabelValue(2), 3.5);
    axis.SetFlag(sfInversed, true);
    EXPECT_DOUBLE_EQ(axis.TickLabelValue(1), 5.25);
    axis.SetTicksCount(1);
    ExpectTicks(axis, {0});
}

TEST(ScaleMapping, ValuesToPixelsAndBack)
{
    Tsp_Axis bottom;
    bottom.SetGeometry({10, 120}, 100);
    bottom.SetMinMax(0, 300);
    EXPECT_EQ(bottom.V2P(0), 10);
    EXPECT_EQ(bottom.V2P(150), 60);
    EXPECT_EQ(bottom.V2P(300), 110);
    EXPECT_DOUBLE_EQ(bottom.P2V(60), 150);
    EXPECT_DOUBLE_EQ(bottom.P2V(-90), -300); // not clamped
    EXPECT_EQ(bottom.V2P(1e12), 16383);
    EXPECT_EQ(bottom.V2P(-1e12), -16383);
    EXPECT_EQ(bottom.V2P(std::numeric_limits<double>::quiet_NaN()), -16383);

    Tsp_Axis left(sfVertical);
    left.SetGeometry({9, 110}, 100);
    left.SetMinMax(0, 10);
    EXPECT_EQ(left.V2P(0), 110);
    EXPECT_EQ(left.V2P(10), 10);
    EXPECT_EQ(left.V2P(2.5), 85);
    EXPECT_DOUBLE_EQ(left.P2V(60), 5);
    EXPECT_EQ(left.TickPosition(1), 85); // default 5 ticks: 0, 2.5, 5 ...

    left.SetFlag(sfInversed, true);
    EXPECT_EQ(left.V2P(0), 10);
    EXPECT_EQ(left.V2P(10), 110);

    // Ties go to the even pixel.
    Tsp_Axis tie;
    tie.SetGeometry({0, 0}, 2);
    tie.SetMinMax(0, 4);
    EXPECT_EQ(tie.V2P(1), 0);
    EXPECT_EQ(tie.V2P(3), 2);
}

TEST(ScaleMapping, PanningByPixelsMovesTheRangeAgainstThePointer)
{
    Tsp_Axis bottom;
    bottom.SetGeometry({0, 0}, 100);
    const double second = 1.0 / 86400.0;
    bottom.SetMinMax(45000.5, 45000.5 + 300 * second);
    const double min = bottom.Min();
    bottom.MoveByPixels(50 - 60); // pointer dragged 10 pixels right
    EXPECT_NEAR((bottom.Min() - min) / second, -30.0, 1e-6);

    Tsp_Axis left(sfVertical);
    left.SetGeometry({0, 100}, 100);
    left.SetMinMax(0, 10);
    left.MoveByPixels(50 - 70); // dragged 20 pixels down: the data follows, the range goes up
    EXPECT_NEAR(left.Min(), 2.0, 1e-12);
    EXPECT_NEAR(left.Max(), 12.0, 1e-12);
}

TEST(ScaleMapping, AScrollMovesEveryPixelByTheSameWholeNumberWithinAPixelOfTheExactPlace)
{
    // One second is 413 / 300 pixels, and 0.69 on the narrower axis: never a whole number.
    const double second = 1.0 / 86400.0;
    std::mt19937 random(3);
    for (int length : {413, 207}) {
        Tsp_Axis bottom;
        bottom.SetGeometry({37, 120}, length);
        bottom.SetTicksCount(3);
        bottom.SetMinMax(45000.5, 45000.5 + 300 * second);
        std::uniform_real_distribution<double> offset(-400 * second, 700 * second);
        int stills = 0;
        for (int tick = 0; tick < 2000; ++tick) {
            const Tsp_Scale before = bottom;
            bottom.MoveMinMax(second);
            int shift = 1;
            ASSERT_TRUE(bottom.ScrolledFrom(before, shift)) << tick;
            ASSERT_LE(shift, 0);
            ASSERT_GE(shift, -2);
            stills += shift == 0;
            for (int i = 0; i < 20; ++i) {
                const double v = bottom.Min() + offset(random);
                ASSERT_EQ(bottom.V2P(v), before.V2P(v) + shift) << tick;
                const double exact = (v - bottom.Min()) * length / bottom.Interval() + 37;
                ASSERT_LE(std::fabs(bottom.V2P(v) - exact), 1.0 + 1e-6) << tick;
            }
            for (int i = 0; i < bottom.TickCount(); ++i)
                ASSERT_EQ(bottom.TickPosition(i), bottom.V2P(bottom.TickValue(i)));
        }
        EXPECT_EQ(stills > 0, length < 300); // under a pixel a second some scrolls move nothing
    }

    // Anything but a scroll is not one; a range set afresh rounds from its own start again.
    Tsp_Axis bottom;
    bottom.SetGeometry({37, 120}, 413);
    bottom.SetMinMax(45000.5, 45000.5 + 300 * second);
    bottom.MoveMinMax(100 * second);
    const Tsp_Scale scrolled = bottom;
    int shift = 0;
    bottom.SetGeometry({37, 120}, 412);
    EXPECT_FALSE(bottom.ScrolledFrom(scrolled, shift));
    bottom.SetGeometry({37, 120}, 413);
    bottom.SetMinMax(scrolled.Min() + second, scrolled.Max() + second);
    EXPECT_FALSE(bottom.ScrolledFrom(scrolled, shift));
    for (int s = 0; s < 300; s += 7) {
        const double v = bottom.Min() + s * second;
        EXPECT_EQ(bottom.V2P(v), static_cast<int>(std::nearbyint((v - bottom.Min()) * 413 / bottom.Interval() + 37)));
    }
    const Tsp_Scale set = bottom;
    bottom.MoveMinMax(400 * second); // wider than the range: the grid starts afresh
    EXPECT_FALSE(bottom.ScrolledFrom(set, shift));
    EXPECT_TRUE(bottom.ScrolledFrom(bottom, shift));
    EXPECT_EQ(shift, 0);
}

TEST(ScaleLabels, NumbersAndDateTimes)
{
    TPinnedFormat pin(",");
    Tsp_Axis axis(sfVertical);
    axis.SetTicksCount(6);
    axis.SetMinMax(0, 1);
    EXPECT_EQ(axis.TickLabel(0), "0");
    EXPECT_EQ(axis.TickLabel(1), "0,2");
    EXPECT_EQ(axis.TickLabel(5), "1");

    Tsp_Axis time(sfLabelAsDateTime);
    time.SetTicksCount(3);
    time.SetLabelFormat("hh:mm:ss");
    time.SetMinMax(45000.5, 45000.5 + 300.0 / 86400.0);
    // 45000.5 is noon; the first grid point at or after it is 12:00:00.
    EXPECT_EQ(time.TickLabel(0), "12:00:00");
    EXPECT_EQ(time.TickLabel(1), time.IntStep() == 17 ? "12:02:26" : "12:02:18");
}

} // namespace
} // namespace qn
