// The baseline keeper: what a reading moved past the last one, over the time between the two.
#include "netdata/counter_baseline.h"

#include "netdata/traffic_counter_pass.h"

#include "support/fake_clock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace qn {
namespace {

constexpr std::uint64_t MiB = 1024ull * 1024;

TTrafficCounters At(std::uint64_t AMs, std::uint64_t AIn, std::uint64_t AOut, bool AWide = true)
{
    return {AIn, AOut, AWide, AMs};
}

TEST(CounterBaseline, ARateIsTheBytesBetweenTwoReadingsOverTheTimeBetweenThoseReadings)
{
    TCounterBaseline base;
    TTrafficCounters first = At(10'000, 5 * MiB, 1000);
    EXPECT_EQ(base.Take(3, &first).Kind, TCounterAdvance::akNone) << "the first reading is only a baseline";
    EXPECT_EQ(base.NotBeforeMs(), 10'000u + TCounterBaseline::MinRateSpanMs);

    // Read 1250 ms later (whoever asked, whenever it was handed out): 1250 KiB in 1.25 s.
    TTrafficCounters second = At(11'250, 5 * MiB + 1250 * 1024, 1000 + 2000);
    TCounterAdvance a = base.Take(3, &second);
    ASSERT_TRUE(a.Counted());
    EXPECT_EQ(a.SpanMs, 1250u);
    EXPECT_DOUBLE_EQ(a.RateIn(), 1024.0 * 1000.0);
    EXPECT_DOUBLE_EQ(a.RateOut(), 1600.0);

    // 300 ms later (a wake handled just before a tick): the bytes count, no rate is taken over so
    // short a span.
    TTrafficCounters soon = At(11'550, 5 * MiB + 1550 * 1024, 3000);
    a = base.Take(3, &soon);
    EXPECT_TRUE(a.Counted());
    EXPECT_FALSE(a.HasRate());
    EXPECT_EQ(a.Step.In, 300u * 1024);
    second = soon;

    // The same reading handed out again moves nothing and gives no rate, not a zero one.
    a = base.Take(3, &second);
    EXPECT_EQ(a.Kind, TCounterAdvance::akSame);
    EXPECT_EQ(a.RateIn(), 0.0);
    TTrafficCounters older = At(10'100, 5 * MiB, 1000);
    EXPECT_EQ(base.Take(3, &older).Kind, TCounterAdvance::akSame);
    EXPECT_EQ(base.Reading().TimeMs, 11'550u) << "an older reading never becomes the baseline";
    // A newer reading within the same millisecond counts its bytes but gives no rate.
    TTrafficCounters sameMs = At(11'550, 5 * MiB + 1550 * 1024 + 10, 3000);
    a = base.Take(3, &sameMs);
    EXPECT_TRUE(a.Counted());
    EXPECT_FALSE(a.HasRate());
    EXPECT_EQ(a.Step.In, 10u);
    EXPECT_EQ(a.RateIn(), 0.0);

    // 32-bit counters wrap modulo 2^32 through the one rule.
    TCounterBaseline narrow;
    TTrafficCounters n1 = At(0, 0xFFFF'F000u, 1, false), n2 = At(1000, 0x1000u, 1, false);
    narrow.Take(1, &n1);
    EXPECT_EQ(narrow.Take(1, &n2).Step.In, 0x2000u);
}

TEST(CounterBaseline, AFailedReadAnotherLinkOrAResetStartsAgainWithoutASpike)
{
    TCounterBaseline base;
    TTrafficCounters r = At(1000, 100, 100);
    base.Take(5, &r);
    EXPECT_EQ(base.Take(5, nullptr).Kind, TCounterAdvance::akNone);
    EXPECT_FALSE(base.Have());
    EXPECT_EQ(base.NotBeforeMs(), 0u);
    r = At(2000, 900 * MiB, 100);
    EXPECT_EQ(base.Take(5, &r).Kind, TCounterAdvance::akNone)
        << "everything before the failure is not a second's bytes";

    // Another index under the same keeper belongs to another link.
    r = At(3000, 901 * MiB, 100);
    EXPECT_EQ(base.Take(6, &r).Kind, TCounterAdvance::akNone);
    EXPECT_EQ(base.IntfIdx(), 6u);

    // A 32-bit read of 0 and 0 is a failed read; a 64-bit counter that drops was reset.
    TTrafficCounters zero = At(4000, 0, 0, false);
    EXPECT_EQ(base.Take(6, &zero).Kind, TCounterAdvance::akNone);
    EXPECT_FALSE(base.Have());
    r = At(5000, 10 * MiB, 10 * MiB);
    base.Take(6, &r);
    r = At(6000, 4096, 11 * MiB);
    const TCounterAdvance a = base.Take(6, &r);
    ASSERT_TRUE(a.Counted());
    EXPECT_EQ(a.Step.In, 0u);
    EXPECT_EQ(a.Step.Out, MiB);
}

// Two readers of one shared pass at any phase apart: each reader's rates are exact, because each
// reading says when the pass was taken and a reader asks for one at least the minimum span newer.
TEST(CounterBaseline, ReadersOfOneSharedPassAtAnyPhaseMeasureTheTrueRate)
{
    for (const std::uint64_t phase : {100u, 500u, 850u, 950u}) {
        SCOPED_TRACE(phase);
        test::TFakeClock clock(50'000);
        // A steady 1 MiB/s: the kernel's counter is the byte count at the moment of the pass.
        TTrafficCounterPass pass(
            [&](std::vector<TLinkCounters>& ACounters) {
                ACounters = {{1, clock.Ms * MiB / 1000, clock.Ms * MiB / 2000}};
                return 1;
            },
            clock);
        TCounterBaseline panel;
        std::uint64_t passes = 0;
        for (int second = 0; second < 30; ++second) {
            // The other reader at x.0 (and a refresh of the interfaces after it every seventh second).
            TTrafficCounters other;
            pass.Read(1, other);
            if (second % 7 == 3) {
                clock.Ms += 37;
                pass.Invalidate();
                pass.Read(1, other);
                clock.Ms -= 37;
            }
            // The panel at x.phase.
            clock.Ms += phase;
            TTrafficCounters mine;
            ASSERT_EQ(pass.Read(1, mine, panel.NotBeforeMs()), 1);
            const TCounterAdvance a = panel.Take(1, &mine);
            if (second > 0) {
                ASSERT_TRUE(a.Counted());
                EXPECT_GE(a.SpanMs, TCounterBaseline::MinRateSpanMs);
                EXPECT_NEAR(a.RateIn(), double(MiB), MiB / 1000.0);
                EXPECT_NEAR(a.RateOut(), MiB / 2.0, MiB / 1000.0);
            }
            clock.Ms += 1000 - phase;
            passes = pass.Passes();
        }
        // A bound newer than the pass costs a pass only when the phases cross, not every second.
        EXPECT_LE(passes, 30u + 30u / 7 + 1 + 30u / 7 + 1);
    }
}

TEST(TrafficCounterPassBound, APassOlderThanTheReadersBoundIsTakenAnewButAFailedOneIsNot)
{
    test::TFakeClock clock(10'000);
    int result = 1;
    TTrafficCounterPass pass(
        [&](std::vector<TLinkCounters>& ACounters) {
            ACounters = {{1, clock.Ms, 0}};
            return result;
        },
        clock);
    TTrafficCounters c;
    ASSERT_EQ(pass.Read(1, c), 1);
    EXPECT_EQ(c.TimeMs, 10'000u);
    clock.Ms += 300;
    ASSERT_EQ(pass.Read(1, c), 1);
    EXPECT_EQ(c.TimeMs, 10'000u) << "shared within its age";
    ASSERT_EQ(pass.Read(1, c, 10'200), 1);
    EXPECT_EQ(c.TimeMs, 10'300u) << "the reader needs one newer than its bound";
    EXPECT_EQ(c.InOctets, 10'300u);
    // A bound in the future cannot be met: the pass taken now serves.
    ASSERT_EQ(pass.Read(1, c, 99'000), 1);
    EXPECT_EQ(pass.Passes(), 2u);

    result = -1;
    pass.Invalidate();
    EXPECT_EQ(pass.Read(1, c), -1);
    clock.Ms += 100;
    EXPECT_EQ(pass.Read(1, c, clock.Ms), -1);
    EXPECT_EQ(pass.Passes(), 3u) << "a failed pass is not asked again for a reader's bound";
}

TEST(TrafficCounterPassBound, AWholeReadingSharesThePassWithTheRowReadersUnderTheSameBound)
{
    test::TFakeClock clock(10'000);
    int result = 1;
    TTrafficCounterPass pass(
        [&](std::vector<TLinkCounters>& ACounters) {
            ACounters = {{1, clock.Ms, 0}, {4, 0, clock.Ms}};
            return result;
        },
        clock);
    std::vector<TLinkCounters> all;
    ASSERT_EQ(pass.ReadAll(all, 10'000), 1);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1].OutOctets, 10'000u);
    // A reader ticking a few milliseconds later with a bound the pass meets gets the same pass.
    clock.Ms += 5;
    TTrafficCounters c;
    ASSERT_EQ(pass.Read(4, c, 9'100), 1);
    EXPECT_EQ(c.OutOctets, 10'000u);
    EXPECT_EQ(pass.Passes(), 1u);
    // A whole reading that needs a newer one takes it for everybody.
    ASSERT_EQ(pass.ReadAll(all, 10'004), 1);
    EXPECT_EQ(all[0].InOctets, 10'005u);
    ASSERT_EQ(pass.Read(1, c, 10'004), 1);
    EXPECT_EQ(c.InOctets, 10'005u);
    EXPECT_EQ(pass.Passes(), 2u);

    result = -1;
    clock.Ms += 1000;
    EXPECT_EQ(pass.ReadAll(all, clock.Ms), -1);
    EXPECT_TRUE(all.empty()) << "a failed pass hands out nothing";
    result = 0;
    clock.Ms += 1000;
    EXPECT_EQ(pass.ReadAll(all, clock.Ms), 0) << "no bulk request on this system";
    EXPECT_EQ(pass.ReadAll(all, clock.Ms + 2000), 0);
    EXPECT_EQ(pass.Passes(), 4u) << "and it is never asked for again";
}

} // namespace
} // namespace qn
