// Series storage: order, deletes at both ends and inside, bounds, the ascending-x flag, and the packed
// blocks giving back what was kept.
#include "chart/sp_xy_data_series.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <utility>
#include <vector>

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

TEST(XYDataSeries, ASlidingWindowWithInsideDeletesKeepsOrderAcrossBlocks)
{
    // The owner keeps 300 points and adds one before it trims (as the watcher does with a day),
    // now and then deleting one inside; the window moves across many packed blocks.
    Tsp_XYDataSeries s;
    int next = 0;
    for (; next < 300; ++next)
        s.AddXY(next, -next);
    for (int i = 0; i < 3000; ++i, ++next) {
        s.AddXY(next, -next);
        s.Delete(0);
        if (i % 97 == 0) { // an inside delete, and one more point
            s.Delete(10);
            s.AddXY(next + 0.5, -(next + 0.5));
        }
    }
    ASSERT_EQ(s.Count(), 300);
    for (int i = 1; i < s.Count(); ++i)
        ASSERT_LT(s.X(i - 1), s.X(i)) << i;
    EXPECT_EQ(s.X(s.Count() - 1), next - 1);
    EXPECT_EQ(s.Y(s.Count() - 1), -(next - 1));
    // Whole blocks are given back as the window moves on: at most two blocks more than it needs.
    EXPECT_LE(s.StorageBytes(), 4u * 2 * 8 * Tsp_PointBlock::Size + 1024);

    // Deleting the newest points reopens packed blocks and keeps the rest.
    for (int i = 0; i < 290; ++i)
        s.Delete(s.Count() - 1);
    ASSERT_EQ(s.Count(), 10);
    for (int i = 0; i < s.Count(); ++i)
        ASSERT_EQ(s.Y(i), -s.X(i)) << i;
    for (int i = 1; i < s.Count(); ++i)
        ASSERT_LT(s.X(i - 1), s.X(i)) << i;
    s.AddXY(1e6, 3);
    EXPECT_EQ(s.X(10), 1e6);
    EXPECT_EQ(s.Y(10), 3);
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

std::vector<std::pair<int, int>> Runs(const Tsp_XYDataSeries& ASeries)
{
    std::vector<std::pair<int, int>> runs;
    ASeries.ForEachRun([&](int AFrom, int ATo, double AFirst, double ALast) {
        EXPECT_EQ(AFirst, ASeries.X(AFrom));
        EXPECT_EQ(ALast, ASeries.X(ATo - 1));
        runs.emplace_back(AFrom, ATo);
    });
    return runs;
}

TEST(XYDataSeries, StepsBackAndBreaksStartRunsThatFollowThePointsAsTheyAreDeleted)
{
    using TRuns = std::vector<std::pair<int, int>>;
    Tsp_XYDataSeries s;
    EXPECT_EQ(s.RunCount(), 0);
    s.BreakLine(); // nothing before it: no run to break
    for (double x : {10.0, 11.0, 12.0})
        s.AddXY(x, 1);
    s.AddXY(5, 2); // a step back
    s.AddXY(6, 3);
    s.BreakLine(); // a jump ahead
    s.AddXY(100, 4);
    s.AddXY(101, 5);
    EXPECT_EQ(Runs(s), (TRuns{{0, 3}, {3, 5}, {5, 7}}));
    EXPECT_FALSE(s.XAscending());
    double lo, hi;
    ASSERT_TRUE(s.GetXMinMax(lo, hi));
    EXPECT_EQ(lo, 5);
    EXPECT_EQ(hi, 101);

    // Deleting the newest point of a run of one removes the run.
    s.AddXY(1, 6);
    EXPECT_EQ(s.RunCount(), 4);
    s.Delete(s.Count() - 1);
    EXPECT_EQ(Runs(s), (TRuns{{0, 3}, {3, 5}, {5, 7}}));

    // Inside: the run that started at the point starts at the next one, and is a step back or not
    // by its new neighbour (6 after 12 still is; 101 after 6, at a break, is not but stays apart).
    s.Delete(3);
    EXPECT_EQ(Runs(s), (TRuns{{0, 3}, {3, 4}, {4, 6}}));
    EXPECT_FALSE(s.XAscending());
    s.Delete(3);
    EXPECT_EQ(Runs(s), (TRuns{{0, 3}, {3, 5}}));
    EXPECT_TRUE(s.XAscending());
    EXPECT_EQ(s.X(3), 100);

    // Trimming the oldest points moves the runs with them; bounds follow the runs' ends.
    s.AddXY(50, 7);
    for (int i = 0; i < 3; ++i)
        s.Delete(0);
    EXPECT_EQ(Runs(s), (TRuns{{0, 2}, {2, 3}}));
    ASSERT_TRUE(s.GetXMinMax(lo, hi));
    EXPECT_EQ(lo, 50);
    EXPECT_EQ(hi, 101);
    s.Delete(0);
    s.Delete(0);
    EXPECT_EQ(Runs(s), (TRuns{{0, 1}}));
    EXPECT_TRUE(s.XAscending());
    s.Clear();
    s.AddXY(1, 1);
    s.AddXY(2, 1);
    EXPECT_EQ(Runs(s), (TRuns{{0, 2}}));
}

// Packed storage: what goes in comes back, x bit for bit and y as its nearest float.

std::uint64_t Bits(double AValue)
{
    return std::bit_cast<std::uint64_t>(AValue);
}

// A stamp as the system clock makes it: days since 1899-12-30 from seconds with a nanosecond part.
double Stamp(std::int64_t ANs)
{
    return 25569.0 + (static_cast<double>(ANs / 1000000000) + static_cast<double>(ANs % 1000000000) / 1e9) / 86400.0;
}

struct TKept
{
    double X;
    double Y;
};

void ExpectKept(const Tsp_XYDataSeries& ASeries, const std::vector<TKept>& AKept, std::size_t AFrom)
{
    ASSERT_EQ(static_cast<std::size_t>(ASeries.Count()), AKept.size() - AFrom);
    for (int i = 0; i < ASeries.Count(); ++i) {
        const TKept& k = AKept[AFrom + static_cast<std::size_t>(i)];
        ASSERT_EQ(Bits(ASeries.X(i)), Bits(k.X)) << i;
        ASSERT_EQ(Bits(ASeries.Y(i)), Bits(static_cast<double>(static_cast<float>(k.Y)))) << i;
        // The stated precision: half a float step, 2^-24 of the value.
        ASSERT_LE(std::fabs(ASeries.Y(i) - k.Y), std::ldexp(std::fabs(k.Y), -24)) << i;
    }
}

TEST(XYDataSeries, ChangesAreKeptAsTheXRangesWhereLinesAppearedOrWent)
{
    Tsp_XYDataSeries s;
    EXPECT_TRUE(s.AllChanged()); // nothing drawn of it yet
    for (int x = 0; x < 10; ++x)
        s.AddXY(x, x);
    s.ClearChanges();
    auto range = [&](Tsp_XYDataSeries::TChangePlace APlace) {
        const auto& changed = s.ChangedX(APlace);
        return std::pair<double, double>(changed.Low, changed.High);
    };
    EXPECT_GT(s.ChangedX(Tsp_XYDataSeries::cpFront).Low, s.ChangedX(Tsp_XYDataSeries::cpFront).High);

    // The newest line runs from the point before; trimming takes the oldest line. Kept apart, the
    // two stay narrow however far apart they are.
    s.AddXY(10, 3);
    s.Delete(0);
    EXPECT_EQ(range(Tsp_XYDataSeries::cpElsewhere), std::make_pair(9.0, 10.0));
    EXPECT_EQ(range(Tsp_XYDataSeries::cpFront), std::make_pair(0.0, 1.0));
    EXPECT_FALSE(s.AllChanged());

    // A point deleted inside joins its neighbours; one after a break still marks the point before.
    s.ClearChanges();
    s.Delete(4); // x = 5
    EXPECT_EQ(range(Tsp_XYDataSeries::cpElsewhere), std::make_pair(4.0, 6.0));
    s.BreakLine();
    s.AddXY(30, 1);
    EXPECT_EQ(range(Tsp_XYDataSeries::cpElsewhere), std::make_pair(4.0, 30.0));
    s.ClearChanges();
    s.AddXY(2, 1); // a step back
    EXPECT_EQ(range(Tsp_XYDataSeries::cpElsewhere), std::make_pair(2.0, 30.0));

    s.ClearChanges();
    s.AddXY(std::numeric_limits<double>::quiet_NaN(), 1);
    EXPECT_TRUE(s.AllChanged());
    s.ClearChanges();
    s.Clear();
    EXPECT_TRUE(s.AllChanged());
}

TEST(PackedSeries, TwoDaysOfIrregularStampsReadBackAcrossTheDayLimitAndTrims)
{
    // A tick on the timer's one-second grid, each a little late (up to 3 ms), now and then one
    // 70 ms late, once a suspend of two hours; rates from idle to 10^12 bytes a second, many 0.
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::int64_t> latency(0, 3000000); // ns
    std::uniform_real_distribution<double> exponent(0.0, 12.0);
    constexpr int Day = 86400;
    Tsp_XYDataSeries s;
    std::vector<TKept> kept;
    std::size_t first = 0;
    std::int64_t grid = 1733700000LL * 1000000000LL + 123456789;
    for (int tick = 0; tick < 2 * Day + 5000; ++tick) {
        grid += 1000000000LL;
        if (tick == 100000)
            grid += 7200LL * 1000000000LL;
        const std::int64_t ns = grid + latency(random) + (tick % 9973 == 0 ? 70000000 : 0);
        const double rate = tick % 5 == 0 ? 0.0 : std::pow(10.0, exponent(random));
        s.AddXY(Stamp(ns), rate);
        kept.push_back({Stamp(ns), rate});
        if (s.Count() > Day) {
            s.Delete(0);
            ++first;
        }
        if (tick % 40000 == 39999)
            ExpectKept(s, kept, first);
    }
    ExpectKept(s, kept, first);
    EXPECT_TRUE(s.XAscending());
    // A day of such points in under 7 bytes a point (16 as two doubles).
    EXPECT_LT(s.StorageBytes(), static_cast<std::size_t>(7 * Day));

    double lo, hi;
    ASSERT_TRUE(s.GetYMinMax(lo, hi));
    double kLo = 1e300, kHi = -1e300;
    for (int i = 0; i < s.Count(); ++i) {
        kLo = std::min(kLo, s.Y(i));
        kHi = std::max(kHi, s.Y(i));
    }
    EXPECT_EQ(lo, kLo);
    EXPECT_EQ(hi, kHi);
}

TEST(PackedSeries, ValuesAndStampsOutsideThePackedFormsAreKeptExactly)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<TKept> kept;
    std::mt19937_64 random(11);
    for (int i = 0; i < 5 * Tsp_PointBlock::Size; ++i) {
        double x = 46000.0 + i / 86400.0;
        switch (i % 23) {
        case 3:
            x = -0.0;
            break;
        case 5:
            x = i % 2 ? 1e300 : -7.25; // far outside the block's binade
            break;
        case 7:
            x = 46000.0 - i / 86400.0; // the clock went back
            break;
        case 11:
            x = std::numeric_limits<double>::denorm_min();
            break;
        default:
            break;
        }
        if (i / Tsp_PointBlock::Size == 2) // one block of stamps on the line only
            x = 46000.0 + i / 86400.0;
        double y = static_cast<double>(random() % 1000) / 7.0;
        switch (i % 17) {
        case 2:
            y = 1e300;
            break;
        case 4:
            y = 1e-310;
            break;
        case 6:
            y = -inf;
            break;
        case 8:
            y = nan;
            break;
        case 9:
            y = -0.0;
            break;
        case 10:
            y = 1e12;
            break;
        default:
            break;
        }
        kept.push_back({x, y});
    }
    Tsp_XYDataSeries s;
    for (const TKept& k : kept)
        s.AddXY(k.X, k.Y);
    ASSERT_EQ(s.Count(), static_cast<int>(kept.size()));
    for (int i = 0; i < s.Count(); ++i) {
        const TKept& k = kept[static_cast<std::size_t>(i)];
        ASSERT_EQ(Bits(s.X(i)), Bits(k.X)) << i;
        const float f = static_cast<float>(k.Y);
        const bool asFloat = std::isfinite(f) && f != 0 && std::fabs(f) >= std::numeric_limits<float>::min();
        if (std::isnan(k.Y))
            ASSERT_TRUE(std::isnan(s.Y(i))) << i;
        else if (asFloat)
            ASSERT_EQ(s.Y(i), static_cast<double>(f)) << i;
        else
            ASSERT_EQ(Bits(s.Y(i)), Bits(k.Y)) << i; // 1e300, 1e-310, -inf, -0.0 exactly
    }
    EXPECT_FALSE(s.XAscending());

    // Exact values keep every y to the last bit.
    Tsp_XYDataSeries exact;
    exact.SetExactValues(true);
    for (int i = 0; i < 3 * Tsp_PointBlock::Size; ++i)
        exact.AddXY(i, i / 7.0);
    for (int i = 0; i < exact.Count(); ++i)
        ASSERT_EQ(exact.Y(i), i / 7.0) << i;
}

TEST(PackedSeries, AnIdleDayOnAPlainGridTakesAlmostNothing)
{
    // Stamps exactly on a grid and a value that stays 0: no bytes per point for either, only
    // the blocks' own records.
    Tsp_XYDataSeries s;
    for (int i = 0; i < 86400; ++i)
        s.AddXY(46000.0 + i * 0.0009765625, 0); // 2^-10 days apart: exact steps
    EXPECT_LT(s.StorageBytes(), 86400u);
    for (int i = 0; i < s.Count(); i += 997)
        ASSERT_EQ(s.X(i), 46000.0 + i * 0.0009765625) << i;
}

} // namespace
} // namespace qn
