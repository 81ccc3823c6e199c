// Series storage: order, deletes at both ends and inside, bounds, the ascending-x flag.
#include "chart/sp_xy_data_series.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace qn {
namespace {

void ExpectPoints(const Tsp_XYDataSeries& ASeries, int AFirst, int ACount)
{
    ASSERT_EQ(ASeries.Count(), ACount);
    for (int i = 0; i < ACount; ++i) {
        ASSERT_EQ(ASeries.X(i), AFirst + i) << i;
        ASSERT_EQ(ASeries.Y(i), -(AFirst + i)) << i;
    }
}

TEST(XYDataSeries, TrimmingTheOldestPointKeepsOrderAcrossManyWraps)
{
    Tsp_XYDataSeries s;
    int changes = 0;
    s.OnChange = [&] { ++changes; };
    int next = 0;
    for (; next < 100; ++next)
        s.AddXY(next, -next);
    // A sliding window of 100 points, as the watcher keeps at its limit.
    for (int i = 0; i < 1000; ++i, ++next) {
        s.AddXY(next, -next);
        s.Delete(0);
    }
    ExpectPoints(s, next - 100, 100);
    EXPECT_EQ(changes, 2100);
    EXPECT_TRUE(s.XAscending());
}

TEST(XYDataSeries, ACapacityHintStopsTheGrowthThereAndTheRingStillKeepsOrder)
{
    // The owner keeps 100 points and adds one before it trims (as the watcher does with a day);
    // the storage stops at 101 instead of doubling to 128, and wraps at that odd size.
    Tsp_XYDataSeries s;
    s.SetCapacityHint(101);
    int next = 0;
    for (; next < 100; ++next)
        s.AddXY(next, -next);
    EXPECT_EQ(s.Capacity(), 101);
    for (int i = 0; i < 1000; ++i, ++next) {
        s.AddXY(next, -next);
        s.Delete(0);
        if (i % 7 == 0) { // an inside delete closing the gap from the front, and one more point
            s.Delete(10);
            s.AddXY(next + 0.5, -(next + 0.5));
        }
    }
    ASSERT_EQ(s.Count(), 100);
    for (int i = 1; i < s.Count(); ++i)
        ASSERT_LT(s.X(i - 1), s.X(i)) << i;
    EXPECT_EQ(s.X(s.Count() - 1), next - 1);
    EXPECT_EQ(s.Capacity(), 101);

    // More points than the hint still fit: the storage grows past it, keeping order.
    Tsp_XYDataSeries t;
    t.SetCapacityHint(40);
    for (int i = 0; i < 30; ++i) { // the ring wraps while it fills
        t.AddXY(2 * i, -2 * i);
        t.Delete(0);
        t.AddXY(2 * i + 1, -(2 * i + 1));
    }
    for (int i = 0; i < 60; ++i)
        t.AddXY(200 + i, -(200 + i));
    EXPECT_GE(t.Capacity(), 90);
    ASSERT_EQ(t.Count(), 90);
    for (int i = 1; i < t.Count(); ++i)
        ASSERT_LT(t.X(i - 1), t.X(i)) << i;
    double lo, hi;
    ASSERT_TRUE(t.GetYMinMax(lo, hi));
    EXPECT_EQ(lo, -259);
}

TEST(XYDataSeries, DeleteIgnoresBadIndicesAndClosesGapsFromEitherSide)
{
    Tsp_XYDataSeries s;
    for (int i = 0; i < 40; ++i)
        s.AddXY(i, -i);
    s.Delete(-1);
    s.Delete(40);
    s.Delete(1000);
    ExpectPoints(s, 0, 40);

    s.Delete(39); // the newest
    s.Delete(3);  // near the front
    s.Delete(30); // near the back
    ASSERT_EQ(s.Count(), 37);
    const int expected[] = {0, 1, 2, 4, 5};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(s.X(i), expected[i]);
    EXPECT_EQ(s.X(29), 30);
    EXPECT_EQ(s.X(30), 32);
    EXPECT_EQ(s.X(36), 38);

    s.Clear();
    EXPECT_EQ(s.Count(), 0);
    double lo, hi;
    EXPECT_FALSE(s.GetYMinMax(lo, hi));
    s.AddXY(7, 8);
    ASSERT_TRUE(s.GetXMinMax(lo, hi));
    EXPECT_EQ(lo, 7);
    EXPECT_EQ(hi, 7);
}

TEST(XYDataSeries, BoundsWidenOnAddAndAreRecomputedAfterADelete)
{
    Tsp_XYDataSeries s;
    s.AddXY(1, 50);
    s.AddXY(2, -5);
    s.AddXY(3, 20);
    double lo, hi;
    ASSERT_TRUE(s.GetYMinMax(lo, hi));
    EXPECT_EQ(lo, -5);
    EXPECT_EQ(hi, 50);
    s.Delete(0); // the maximum goes
    ASSERT_TRUE(s.GetYMinMax(lo, hi));
    EXPECT_EQ(hi, 20);
    ASSERT_TRUE(s.GetXMinMax(lo, hi));
    EXPECT_EQ(lo, 2);
    EXPECT_EQ(hi, 3);
    // Bounds over a ring whose live points wrap around the end of the storage.
    Tsp_XYDataSeries r;
    for (int i = 0; i < 32; ++i)
        r.AddXY(i, i == 5 ? 1000 : i);
    for (int i = 0; i < 20; ++i) {
        r.Delete(0);
        r.AddXY(32 + i, 32 + i);
    }
    ASSERT_TRUE(r.GetYMinMax(lo, hi));
    EXPECT_EQ(lo, 20);
    EXPECT_EQ(hi, 51);
}

TEST(XYDataSeries, BoundsStayExactThroughRandomAddsAndDeletes)
{
    std::mt19937 random(3);
    for (bool ascending : {true, false}) {
        Tsp_XYDataSeries s;
        double x = 0;
        for (int step = 0; step < 3000; ++step) {
            const int action = static_cast<int>(random() % 4);
            if (action < 2 || s.Count() < 3) {
                x += ascending ? 1 : static_cast<double>(random() % 11) - 5;
                s.AddXY(x, static_cast<double>(random() % 50));
            } else {
                s.Delete(action == 2 ? 0 : static_cast<int>(random() % static_cast<unsigned>(s.Count())));
            }
            double xl = 1e300, xh = -1e300, yl = 1e300, yh = -1e300;
            for (int i = 0; i < s.Count(); ++i) {
                xl = std::min(xl, s.X(i));
                xh = std::max(xh, s.X(i));
                yl = std::min(yl, s.Y(i));
                yh = std::max(yh, s.Y(i));
            }
            double a, b, c, d;
            ASSERT_TRUE(s.GetXMinMax(a, b));
            ASSERT_TRUE(s.GetYMinMax(c, d));
            ASSERT_EQ(a, xl) << step;
            ASSERT_EQ(b, xh) << step;
            ASSERT_EQ(c, yl) << step;
            ASSERT_EQ(d, yh) << step;
        }
    }
}

TEST(XYDataSeries, AnXThatGoesBackClearsTheAscendingFlagUntilCleared)
{
    Tsp_XYDataSeries s;
    s.AddXY(1, 0);
    s.AddXY(1, 0); // equal x is still in order
    EXPECT_TRUE(s.XAscending());
    s.AddXY(0.5, 0);
    EXPECT_FALSE(s.XAscending());
    double lo, hi;
    s.Delete(1);
    ASSERT_TRUE(s.GetXMinMax(lo, hi));
    EXPECT_EQ(lo, 0.5);
    EXPECT_EQ(hi, 1);
    s.Clear();
    EXPECT_TRUE(s.XAscending());
}

} // namespace
} // namespace qn
