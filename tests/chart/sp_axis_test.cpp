// An axis over its scale: range setters against the automatic flags, and the automatic range's padding.
#include "chart/sp_axis.h"

#include <gtest/gtest.h>

namespace qn {
namespace {

TEST(AxisFlags, RangeSettersClearTheAutomaticFlagsAndNotify)
{
    Tsp_Axis axis(sfAutoMin | sfAutoMax | sfLabelAsDateTime);
    int changes = 0;
    axis.OnChange = [&](Tsp_AxisChange) { ++changes; };
    axis.SetMax(20);
    EXPECT_TRUE(axis.AutoMin());
    EXPECT_FALSE(axis.AutoMax());
    axis.SetFlags(sfAutoMin | sfAutoMax);
    axis.SetMinMax(axis.Min(), axis.Max()); // unchanged range still clears both
    EXPECT_FALSE(axis.AutoMin());
    EXPECT_FALSE(axis.AutoMax());
    axis.SetFlags(sfAutoMax);
    axis.MoveMinMax(1);
    EXPECT_EQ(axis.Flags(), 0u);
    EXPECT_GE(changes, 5);

    const Tsp_Axis top(sfNoTicksLines | sfNoTicksLabel | sfOpposite);
    EXPECT_FALSE(top.TicksLines());
    EXPECT_TRUE(top.NoTicksLabel());
    EXPECT_TRUE(top.Opposite());
    EXPECT_TRUE(top.TicksAdjusted());
}

TEST(AxisAutoRange, AutomaticSidesArePaddedByTwoAndAHalfPercent)
{
    Tsp_Axis axis(sfAutoMin | sfAutoMax);
    axis.AutoRange(0, 100);
    EXPECT_DOUBLE_EQ(axis.Min(), -2.5);
    EXPECT_DOUBLE_EQ(axis.Max(), 102.5);
    Tsp_Axis onlyMax(sfAutoMax);
    onlyMax.SetFlags(sfAutoMax);
    onlyMax.AutoRange(3, 43);
    EXPECT_DOUBLE_EQ(onlyMax.Min(), 0);
    EXPECT_DOUBLE_EQ(onlyMax.Max(), 44);
}

} // namespace
} // namespace qn
